#include "httprequest.h"

#include <QList>

#include <algorithm>

namespace {
const QByteArray HeadEnd = QByteArrayLiteral("\r\n\r\n");

bool isToken(const QByteArray &word)
{
    return !word.isEmpty() && std::all_of(word.cbegin(), word.cend(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Whether the bytes can be the start of a request line: a method of capital letters, then a
// blank. Anything else (a TLS handshake, noise) is refused at once, not when a head ends.
bool startsLikeARequest(const QByteArray &bytes)
{
    constexpr qsizetype LongestMethod = 16;
    for (qsizetype i = 0; i < qMin(bytes.size(), LongestMethod + 1); ++i) {
        if (bytes.at(i) == ' ')
            return i > 0;
        if (bytes.at(i) < 'A' || bytes.at(i) > 'Z')
            return false;
    }
    return bytes.size() <= LongestMethod;
}

bool isDecimal(const QByteArray &word)
{
    return !word.isEmpty() && word.size() <= 15
           && std::all_of(word.cbegin(), word.cend(), [](char c) { return c >= '0' && c <= '9'; });
}
} // namespace

KvHttpRequestReader::KvHttpRequestReader(qsizetype bodyLimit, qsizetype headLimit, qsizetype skipLimit)
    : m_bodyLimit(bodyLimit), m_headLimit(headLimit), m_skipLimit(skipLimit)
{
}

void KvHttpRequestReader::append(const QByteArray &bytes)
{
    if (m_state == State::Finished)
        return;
    if (m_state != State::Skipping) {
        m_buffer.append(bytes);
        return;
    }
    m_skip -= qMin(m_skip, qsizetype(bytes.size()));
    if (m_skip == 0)
        m_state = State::Finished;
}

KvHttpRequestReader::Step KvHttpRequestReader::next()
{
    switch (m_state) {
    case State::Head:
        return readHead();
    case State::Body:
        return readBody();
    case State::Refusing:
        m_state = m_skip > 0 ? State::Skipping : State::Finished;
        m_buffer.clear();
        return Step::Refused;
    case State::Skipping:
        return Step::More;
    case State::Finished:
        break;
    }
    return Step::Finished;
}

void KvHttpRequestReader::refuse(int status, const QString &reason, qsizetype bodyToSkip)
{
    m_status = status;
    m_reason = reason;
    // What is already here of the body counts as skipped.
    m_skip = bodyToSkip <= m_skipLimit ? qMax(qsizetype(0), bodyToSkip - m_buffer.size()) : 0;
    m_state = State::Refusing;
}

KvHttpRequestReader::Step KvHttpRequestReader::readHead()
{
    const qsizetype end = m_buffer.indexOf(HeadEnd, qMax(qsizetype(0), m_searched - 3));
    if (end < 0) {
        m_searched = m_buffer.size();
        if (!startsLikeARequest(m_buffer))
            refuse(400, QStringLiteral("the request line is malformed"));
        else if (m_buffer.size() > m_headLimit)
            refuse(431, QStringLiteral("the request head is too large"));
        else
            return Step::More;
        return next();
    }
    const QByteArray head = m_buffer.left(end);
    m_buffer.remove(0, end + HeadEnd.size());
    m_searched = 0;
    m_request = Request();
    m_length = 0;
    m_chunked = false;
    if (end > m_headLimit)
        refuse(431, QStringLiteral("the request head is too large"));
    else if (parseHead(head) && !refuseBody())
        m_state = State::Body;
    if (m_state != State::Body)
        return next();
    return m_length > 0 ? Step::Head : readBody();
}

// True, with the request refused, when its body is not one this server takes.
bool KvHttpRequestReader::refuseBody()
{
    if (m_chunked)
        refuse(411, QStringLiteral("a body needs a Content-Length"));
    else if (m_length > m_bodyLimit)
        refuse(413, QStringLiteral("a body may have at most %1 bytes").arg(m_bodyLimit), m_length);
    return m_state == State::Refusing;
}

// False, with the request refused, when the head is not one this server reads.
bool KvHttpRequestReader::parseHead(const QByteArray &head)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !isToken(requestLine.at(0)) || !requestLine.at(2).startsWith("HTTP/")) {
        refuse(400, QStringLiteral("the request line is malformed"));
        return false;
    }
    if (requestLine.at(2) != "HTTP/1.1" && requestLine.at(2) != "HTTP/1.0") {
        refuse(505, QStringLiteral("only HTTP/1.1 is served"));
        return false;
    }
    m_request.method = requestLine.at(0);
    m_request.target = requestLine.at(1);
    m_request.keepAlive = requestLine.at(2) == "HTTP/1.1";
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!parseHeader(lines.at(i).trimmed())) {
            refuse(400, QStringLiteral("a header is malformed"));
            return false;
        }
    }
    return true;
}

bool KvHttpRequestReader::parseHeader(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") {
        if (!isDecimal(value))
            return false;
        m_length = value.toLongLong();
    } else if (name == "transfer-encoding") {
        m_chunked = true;
    } else if (name == "connection") {
        const QByteArray option = value.toLower();
        if (option.contains("close"))
            m_request.keepAlive = false;
        else if (option.contains("keep-alive"))
            m_request.keepAlive = true;
    }
    return true;
}

KvHttpRequestReader::Step KvHttpRequestReader::readBody()
{
    if (m_buffer.size() < m_length)
        return Step::More;
    m_request.body = m_buffer.left(m_length);
    m_buffer.remove(0, m_length);
    m_state = State::Head;
    return Step::Request;
}
