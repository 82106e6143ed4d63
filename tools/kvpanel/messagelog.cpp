#include "messagelog.h"

#include "recordtable.h"

#include <QFontDatabase>
#include <QTime>

namespace {
constexpr int SourceColumns = 9;

// The source in a column of its own, wide characters taking two.
QString padded(const QString &source)
{
    return source + QString(qMax(0, SourceColumns - RecordTable::displayWidth(source)), QLatin1Char(' '));
}
} // namespace

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
    addLine(RecordTable::messageKindText(type), text.isEmpty() ? tr("(task record changed)") : text);
}

void MessageLog::addNote(const QString &text)
{
    addLine(tr("panel"), text);
}

void MessageLog::addLine(const QString &source, const QString &text)
{
    appendPlainText(QStringLiteral("%1  %2  %3").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                                                    padded(source), text));
}
