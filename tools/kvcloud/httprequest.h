#ifndef KVHTTPREQUEST_H
#define KVHTTPREQUEST_H

#include <QByteArray>
#include <QString>

// Reads the HTTP/1.1 requests of one connection from its bytes, one after the other, without
// any I/O. A request is
//
//     METHOD SP target SP HTTP/1.x CRLF
//     name: value CRLF ...          (the head, at most `headLimit` bytes)
//     CRLF
//     body                          (exactly Content-Length bytes, at most `bodyLimit`)
//
// A request outside those bounds is refused as soon as its head is read, with the status its
// answer carries: 400 malformed, 411 a body without a length, 413 a body over the limit, 431 a
// head over the limit, 505 another HTTP version. The connection ends after a refusal; the body
// of a refused request (up to `skipLimit` bytes) is read and dropped first, so that the client
// gets to read the answer, but never kept.
class KvHttpRequestReader
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray target;
        QByteArray body;
        bool keepAlive = true;
    };

    enum class Step {
        More,     // more bytes are needed
        Head,     // a head was read and its body of declaredLength() bytes is to come
        Request,  // a whole request: request()
        Refused,  // the request is refused: refusalStatus(), refusalReason()
        Finished  // nothing more is read on this connection
    };

    KvHttpRequestReader(qsizetype bodyLimit, qsizetype headLimit, qsizetype skipLimit);

    void append(const QByteArray &bytes);
    Step next();
    // Refuses the request whose head was just read: the next step is Step::Refused. `bodyToSkip`
    // bytes of it that are still to come are read and dropped.
    void refuse(int status, const QString &reason, qsizetype bodyToSkip = 0);

    // A refused request's body is being read and dropped.
    bool isSkipping() const { return m_state == State::Skipping; }
    const Request &request() const { return m_request; }
    qsizetype declaredLength() const { return m_length; }
    int refusalStatus() const { return m_status; }
    QString refusalReason() const { return m_reason; }

private:
    enum class State { Head, Body, Refusing, Skipping, Finished };

    Step readHead();
    Step readBody();
    bool parseHead(const QByteArray &head);
    bool parseHeader(const QByteArray &line);
    bool refuseBody();

    qsizetype m_bodyLimit;
    qsizetype m_headLimit;
    qsizetype m_skipLimit;
    State m_state = State::Head;
    QByteArray m_buffer;
    qsizetype m_searched = 0;
    Request m_request;
    qsizetype m_length = 0;
    qsizetype m_skip = 0;
    bool m_chunked = false;
    int m_status = 0;
    QString m_reason;
};

#endif // KVHTTPREQUEST_H
