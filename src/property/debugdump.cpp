#include "kvdeviceproperty.h"

#include <QJsonDocument>
#include <QJsonObject>

// Several lines: label, value, codes and type, both frames, the names of the record's own dynamic
// properties and, when it has one, its widget description. Also what a QVariant holding a record
// prints; the variant's own output turns spacing off, so it is switched on here to print the same.
QDebug operator<<(QDebug debug, const KVDeviceProperty &record)
{
    const QDebugStateSaver saver(debug);
    debug.setAutoInsertSpaces(true);
    debug << "\n"
          << "label : " << record.label() << "\n"
          << "value : " << record.value()
          << "get : " << record.get_cmd_int() << "set : " << record.set_cmd_int()
          << "len : " << record.cmd_len() << " type : " << record.cmd_type() << "\n"
          << "set cmd : " << record.set_cmd_bytes() << "\n"
          << "get cmd : " << record.get_cmd_bytes() << "\n"
          << "child : " << record.dynamicPropertyNames();
    const QVariant widget = record.property("WIDGET");
    if (widget.isValid())
        debug << "widget : " << QJsonDocument(widget.toJsonObject()).toJson(QJsonDocument::Compact);
    debug << "\n";
    return debug;
}
