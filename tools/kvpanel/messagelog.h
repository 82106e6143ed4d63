#ifndef KVPANEL_MESSAGELOG_H
#define KVPANEL_MESSAGELOG_H

#include "kvdeviceinterface.h"

#include <QPlainTextEdit>

// The device's messages and the panel's own notes, one time-stamped line each; the oldest lines
// go once the log holds MaxLines.
class MessageLog : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int MaxLines = 2000;

    explicit MessageLog(QWidget *parent = nullptr);

    void addMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text);
    void addNote(const QString &text);

private:
    void addLine(const QString &source, const QString &text);
};

#endif // KVPANEL_MESSAGELOG_H
