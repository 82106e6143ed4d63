#ifndef KVHOST_RECORDTABLE_H
#define KVHOST_RECORDTABLE_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class KVDeviceInterface;
class KVDeviceProperty;
class QTextStream;

// Text and JSON views of a device's records for the command line.
namespace RecordTable {

// Keys of the device's records, in the order they were attached.
QStringList keys(const KVDeviceInterface *device);
// A record's value as one line of text (JSON compact, lists joined, date-times in ISO form).
QString valueText(const QVariant &value);
QString typeName(int cmdType);
// A kind of device message (KVDeviceMessage): its name in the interface, for JSON, and a word
// for people.
QString messageKindName(int type);
QString messageKindText(int type);
// Columns a text takes in a terminal: East Asian wide characters take two.
int displayWidth(const QString &text);

QJsonObject recordJson(const KVDeviceInterface *device, const QString &key, const KVDeviceProperty *record);
QJsonArray catalogueJson(const KVDeviceInterface *device);

// Rows of cells printed as aligned columns under a header row.
void printTable(QTextStream &out, const QList<QStringList> &rows);
void printCatalogue(QTextStream &out, const KVDeviceInterface *device);

} // namespace RecordTable

#endif // KVHOST_RECORDTABLE_H
