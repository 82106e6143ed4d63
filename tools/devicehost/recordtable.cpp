#include "recordtable.h"

#include "recordaccess.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QMetaEnum>
#include <QTextStream>

#include <iterator>

namespace RecordTable {

namespace {
// The texts of this file, in the catalogues' context "RecordTable".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(RecordTable)
};
} // namespace

QStringList keys(const KVDeviceInterface *device)
{
    QStringList result;
    const QList<QByteArray> names = device->dynamicPropertyNames();
    for (const QByteArray &name : names) {
        if (KVDeviceProperty::fromHolder(device, name.constData()))
            result << QString::fromLatin1(name);
    }
    return result;
}

QString valueText(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("-");
    switch (value.metaType().id()) {
    case QMetaType::QJsonObject:
        return QString::fromUtf8(QJsonDocument(value.toJsonObject()).toJson(QJsonDocument::Compact));
    case QMetaType::QStringList:
        return QLatin1Char('[') + value.toStringList().join(QLatin1String(", ")) + QLatin1Char(']');
    case QMetaType::QByteArray:
        return Texts::tr("%n bytes", nullptr, int(value.toByteArray().size()));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODate);
    default:
        return value.toString();
    }
}

QString typeName(int cmdType)
{
    const QMetaEnum types = QMetaEnum::fromType<KVDeviceInterface::KVDeviceCMDType>();
    const char *name = types.valueToKey(cmdType);
    return name ? QString::fromLatin1(name) : QString::number(cmdType);
}

QString messageKindName(int type)
{
    const char *name = QMetaEnum::fromType<KVDeviceInterface::KVDeviceMessage>().valueToKey(type);
    return name ? QString::fromLatin1(name) : QString::number(type);
}

QString messageKindText(int type)
{
    static const char *const kinds[] = {QT_TRANSLATE_NOOP("RecordTable", "status"), QT_TRANSLATE_NOOP("RecordTable", "task"),
                                        QT_TRANSLATE_NOOP("RecordTable", "QR code")};
    return type >= 0 && type < int(std::size(kinds)) ? Texts::tr(kinds[type]) : messageKindName(type);
}

static bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

int displayWidth(const QString &text)
{
    int width = 0;
    for (char32_t c : text.toUcs4())
        width += isWide(c) ? 2 : 1;
    return width;
}

QJsonObject recordJson(const KVDeviceInterface *device, const QString &key, const KVDeviceProperty *record)
{
    QJsonObject json{{QStringLiteral("key"), key},
                     {QStringLiteral("label"), record->label()},
                     {QStringLiteral("unit"), record->uint()},
                     {QStringLiteral("get"), record->get_cmd_int()},
                     {QStringLiteral("set"), record->set_cmd_int()},
                     {QStringLiteral("len"), record->cmd_len()},
                     {QStringLiteral("type"), typeName(record->cmd_type())},
                     {QStringLiteral("read"), RecordAccess::word(RecordAccess::read(device, key))},
                     {QStringLiteral("write"), RecordAccess::word(RecordAccess::write(device, key))}};
    const QJsonValue value = QJsonValue::fromVariant(record->value());
    json.insert(QStringLiteral("value"), value.isNull() ? QJsonValue(valueText(record->value())) : value);
    return json;
}

QJsonArray catalogueJson(const KVDeviceInterface *device)
{
    QJsonArray array;
    for (const QString &key : keys(device))
        array.append(recordJson(device, key, KVDeviceProperty::fromHolder(device, key.toLatin1().constData())));
    return array;
}

void printTable(QTextStream &out, const QList<QStringList> &rows)
{
    QList<int> widths;
    for (const QStringList &row : rows) {
        for (int column = 0; column < row.size(); ++column) {
            if (widths.size() <= column)
                widths << 0;
            widths[column] = qMax(widths[column], displayWidth(row.at(column)));
        }
    }
    for (const QStringList &row : rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column) {
            const QString &cell = row.at(column);
            line += cell;
            if (column + 1 < row.size())
                line += QString(widths[column] - displayWidth(cell) + 2, QLatin1Char(' '));
        }
        out << line << '\n';
    }
}

void printCatalogue(QTextStream &out, const KVDeviceInterface *device)
{
    static const char *const header[] = {
        QT_TRANSLATE_NOOP("RecordTable", "KEY"), QT_TRANSLATE_NOOP("RecordTable", "LABEL"),
        QT_TRANSLATE_NOOP("RecordTable", "UNIT"), QT_TRANSLATE_NOOP("RecordTable", "VALUE"),
        QT_TRANSLATE_NOOP("RecordTable", "GET"), QT_TRANSLATE_NOOP("RecordTable", "SET"),
        QT_TRANSLATE_NOOP("RecordTable", "LEN"), QT_TRANSLATE_NOOP("RecordTable", "TYPE"),
        QT_TRANSLATE_NOOP("RecordTable", "READ"), QT_TRANSLATE_NOOP("RecordTable", "WRITE")};
    QStringList titles;
    for (const char *title : header)
        titles << Texts::tr(title);
    QList<QStringList> rows{titles};
    for (const QString &key : keys(device)) {
        const KVDeviceProperty *record = KVDeviceProperty::fromHolder(device, key.toLatin1().constData());
        QString value = valueText(record->value());
        if (displayWidth(value) > 40)
            value = value.left(37) + QStringLiteral("...");
        rows << QStringList{key, record->label(), record->uint(), value,
                            QString::number(record->get_cmd_int()), QString::number(record->set_cmd_int()),
                            QString::number(record->cmd_len()), typeName(record->cmd_type()),
                            RecordAccess::wordText(RecordAccess::read(device, key)),
                            RecordAccess::wordText(RecordAccess::write(device, key))};
    }
    printTable(out, rows);
    // (lupdate 6.4 hangs on arithmetic in a count argument: the count is a name of its own.)
    const int records = int(rows.size()) - 1;
    out << Texts::tr("%n records", nullptr, records) << '\n' << RecordAccess::legend() << '\n';
}

} // namespace RecordTable
