#include "replyframe.h"

#include "kvlogging.h"

namespace KVReply {

Frame split(QStringView text, const char *operation)
{
    Frame frame;
    frame.fields = text.split(u';');
    if (frame.fields.size() < 3) {
        qCWarning(lcKvDevice) << operation << "frame dropped: fewer than three fields" << text;
        return frame;
    }
    if (text.contains(QChar::ReplacementCharacter)) {
        qCWarning(lcKvDevice) << operation << "frame dropped: its bytes are not UTF-8 text" << text;
        return frame;
    }
    const QStringView word = frame.fields.at(1);
    if (word == u"CMD") {
        frame.type = KVDeviceInterface::CMD;
    } else if (word == u"CCMD") {
        frame.type = KVDeviceInterface::CCMD;
        frame.commaFields = frame.fields.at(2).split(u',');
    }
    frame.usable = true;
    return frame;
}

int number(QStringView text)
{
    return text.toInt();
}

QList<QString> toStrings(const QList<QStringView> &views)
{
    QList<QString> strings;
    strings.reserve(views.size());
    for (QStringView view : views)
        strings.append(view.toString());
    return strings;
}

} // namespace KVReply
