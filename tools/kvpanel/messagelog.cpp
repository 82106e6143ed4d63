#include "messagelog.h"

#include <QFontDatabase>
#include <QMetaEnum>
#include <QTime>

MessageLog::MessageLog(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("messageLog"));
    setReadOnly(true);
    setMaximumBlockCount(MaxLines);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void MessageLog::addMessage(KVDeviceInterface::KVDeviceMessage type, const QString &text)
{
    const char *kind = QMetaEnum::fromType<KVDeviceInterface::KVDeviceMessage>().valueToKey(type);
    addLine(kind ? QString::fromLatin1(kind) : QString::number(type), text.isEmpty() ? QStringLiteral("(task record changed)") : text);
}

void MessageLog::addNote(const QString &text)
{
    addLine(QStringLiteral("panel"), text);
}

void MessageLog::addLine(const QString &source, const QString &text)
{
    appendPlainText(QStringLiteral("%1  %2  %3").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                                                    source.leftJustified(9), text));
}
