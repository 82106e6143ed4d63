#include "simparameters.h"

#include <algorithm>

namespace {

KvSimParameter entry(const char *name, int get, int set, QStringList defaults)
{
    KvSimParameter parameter;
    parameter.name = QString::fromLatin1(name);
    parameter.get = get;
    parameter.set = set;
    parameter.defaults = std::move(defaults);
    return parameter;
}

// A CMD value in `count` registers from `first`, read and written at the same address.
KvSimParameter registerEntry(const char *name, int first, QStringList words)
{
    return entry(name, first, first, std::move(words));
}

// A value that only carries its defaults: part of a compound, no command of its own.
KvSimParameter stored(const char *name, QStringList defaults)
{
    return entry(name, 0, 0, std::move(defaults));
}

// Ranges are on the line's units: where the host shows a value scaled (camera offset in
// 0.005 mm steps, SP pressure in 19/6 gf steps, work area in 0.5 mm steps) the range here is
// the displayed range divided by that factor.
QList<KvSimParameter> commands583()
{
    return {
        entry("QRCODE_FILE", 55, 55, { QStringLiteral("qr-job.plt") }),
        entry("TASK_COPIES", 30, 30, { QStringLiteral("1") }).range(1, 9999),
        entry("TASK_MODE", 32, 32, { QStringLiteral("0") }).number(),
        entry("WORK_MODE", 64, 23, { QStringLiteral("1") }).range(0, 2),
        entry("CAMERA_OFFSET", 18, 17, { QStringLiteral("12.5"), QStringLiteral("-3.25") }).range(-1000, 1000),
        entry("SPEED", 7, 6, { QStringLiteral("300") }).withFixed(1).range(10, 800),
        entry("PRESSURE", 9, 8, { QStringLiteral("120") }).withFixed(1).range(0, 500),
        entry("FIRMWARE", 51, 0, { QStringLiteral("V2.3.1-sim") }),
        entry("DEVICE_ID", 45, 44, { QStringLiteral("KV520-000001") }),
        entry("PCB_ID", 47, 46, { QStringLiteral("PCB583-0001") }),
        entry("PCB_VERSION", 49, 48, { QStringLiteral("V1.2") }),
        entry("MOVE", 0, 65, { QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0") }).number(),
        entry("SET_MARK", 0, 1000, { QStringLiteral("1") }).number(),
        entry("HEARTBEAT", 1010, 1010, { QStringLiteral("2") }).range(0, 3600),
        // Optional groups of this dialect; the camera offset group is the same offset under
        // other codes.
        entry("CAMERA_OFFSET", 16, 15, { QStringLiteral("12.5"), QStringLiteral("-3.25") }).range(-1000, 1000),
        entry("SCALE_X", 61, 20, { QStringLiteral("1") }).range(0, 200),
        entry("SCALE_Y", 62, 21, { QStringLiteral("1") }).range(0, 200),
        entry("WORKAREA", 63, 22, { QStringLiteral("520"), QStringLiteral("380") }).range(10, 10000),
    };
}

QList<KvSimParameter> commands261()
{
    return {
        entry("QRCODE_COPIES", 54, 54, { QStringLiteral("1") }).range(1, 9999),
        entry("QRCODE_FILE", 55, 55, { QStringLiteral("qr-job.plt") }),
        entry("HEARTBEAT", 1010, 1010, { QStringLiteral("2") }).range(0, 3600),
        entry("FACTORY_SET", 0, 67, { QStringLiteral("0") }).number(),
        entry("DEVICE_ID", 0, 44, { QStringLiteral("TRX3104-000001") }),
        entry("PCB_ID", 0, 46, { QStringLiteral("PCB261-0001") }),
        entry("PCB_VERSION", 0, 48, { QStringLiteral("V3.0") }),
        entry("DEVICE_UNIQUE_ID", 57, 0, { QStringLiteral("0123456789ABCDEF") }),
        stored("DEVICE_MODEL", { QStringLiteral("KV-TRX3104MAXCam") }),
        stored("FIRMWARE", { QStringLiteral("V4.1.0-sim") }),
        stored("DEVICE_CONFIG_NO", { QStringLiteral("CFG-261-01") }),
        entry("DEVICE_INFO", 2, 0, {}).of({ QStringLiteral("DEVICE_MODEL"), QStringLiteral("DEVICE_ID"),
                                           QStringLiteral("PCB_ID"), QStringLiteral("PCB_VERSION"),
                                           QStringLiteral("FIRMWARE"), QStringLiteral("DEVICE_CONFIG_NO") }),
    };
}

QStringList word(const char *text)
{
    return { QString::fromLatin1(text) };
}

QStringList wideWords(qint32 value)
{
    const quint32 bits = quint32(value);
    return { QString::number(bits & 0xFFFF), QString::number(bits >> 16), QStringLiteral("0") };
}

QList<KvSimParameter> registers261()
{
    return {
        registerEntry("WORK_MODE", 27, word("1")).range(0, 2),
        registerEntry("PU_SPEED", 26, word("300")).range(10, 700),
        registerEntry("FLAG_POINT", 87, word("1")).number(),
        registerEntry("BACK_FLAG_POINT", 93, word("1")).number(),
        registerEntry("CAMERA_OFFSET_X", 11, wideWords(2500)).asWide().range(-200000, 200000),
        registerEntry("CAMERA_OFFSET_Y", 14, wideWords(-650)).asWide().range(-200000, 200000),
        registerEntry("AUTO_FEED", 134, word("0")).range(0, 1),
        registerEntry("FEED_MODEL", 133, word("0")).range(0, 1),
        registerEntry("FEED_LENGTH", 135, word("100")).range(0, 1000),
        registerEntry("FEED_CENTER", 136, word("260")).range(0, 1000),
        registerEntry("FAN_DELAY", 137, word("500")).range(0, 10000),
        registerEntry("FEED_SPEED", 138, word("200")).range(0, 1000),
        registerEntry("SCALE_X", 24, word("10000")),
        registerEntry("SCALE_Y", 25, word("10000")),
        registerEntry("SP1_TOOL", 128, word("0")).range(0, 1),
        registerEntry("SP1_SPEED", 1, word("300")).range(10, 700),
        registerEntry("SP1_PRESSURE", 2, word("60")).range(0, 600),
        registerEntry("SP1_ANGLE", 131, word("0")).range(-360, 360),
        registerEntry("SP2_SPEED", 3, word("300")).range(10, 700),
        registerEntry("SP2_PRESSURE", 4, word("60")).range(0, 600),
        registerEntry("SP2_TOOL", 129, word("1")).range(0, 1),
        registerEntry("SP2_ANGLE", 132, word("0")).range(-360, 360),
        registerEntry("TOOL_SPACE_X", 5, wideWords(0)).asWide().range(-200000, 200000),
        registerEntry("TOOL_SPACE_Y", 8, wideWords(0)).asWide().range(-200000, 200000),
        registerEntry("WORKAREA_X", 28, word("1040")),
        registerEntry("WORKAREA_Y", 29, word("1400")),
        registerEntry("MOVE_X", 82, word("0")).number(),
        registerEntry("MOVE_Y", 83, word("0")).number(),
    };
}

const KvSimParameter *findCommand(const QList<KvSimParameter> &table, int code, int KvSimParameter::*field)
{
    if (code == 0)
        return nullptr;
    for (const KvSimParameter &candidate : table) {
        if (candidate.*field == code)
            return &candidate;
    }
    return nullptr;
}

} // namespace

KvSimParameters::KvSimParameters(int family)
    : m_family(family),
      m_commands(family == 261 ? commands261() : commands583()),
      m_registers(family == 261 ? registers261() : QList<KvSimParameter>())
{
    reset();
}

void KvSimParameters::reset()
{
    m_values.clear();
    for (const QList<KvSimParameter> *table : { &m_commands, &m_registers }) {
        for (const KvSimParameter &parameter : *table) {
            if (!m_values.contains(parameter.name))
                m_values.insert(parameter.name, parameter.defaults);
        }
    }
}

QStringList KvSimParameters::value(const QString &name) const
{
    const KvSimParameter *compound = nullptr;
    for (const KvSimParameter &parameter : m_commands) {
        if (parameter.name == name && !parameter.parts.isEmpty())
            compound = &parameter;
    }
    if (!compound)
        return m_values.value(name);
    QStringList fields;
    for (const QString &part : compound->parts)
        fields += m_values.value(part);
    return fields;
}

void KvSimParameters::setValue(const QString &name, const QStringList &fields)
{
    m_values.insert(name, fields);
}

const KvSimParameter *KvSimParameters::readCommand(int code) const
{
    return findCommand(m_commands, code, &KvSimParameter::get);
}

const KvSimParameter *KvSimParameters::writeCommand(int code) const
{
    return findCommand(m_commands, code, &KvSimParameter::set);
}

const KvSimParameter *KvSimParameters::registerOwner(int reg, int *index) const
{
    for (const KvSimParameter &parameter : m_registers) {
        const int offset = reg - parameter.get;
        if (offset >= 0 && offset < parameter.defaults.size()) {
            if (index)
                *index = offset;
            return &parameter;
        }
    }
    return nullptr;
}

QString KvSimParameters::registerValue(int reg) const
{
    int index = 0;
    const KvSimParameter *owner = registerOwner(reg, &index);
    return owner ? m_values.value(owner->name).value(index) : QStringLiteral("0");
}

bool KvSimParameters::fitsFields(const QStringList &fields)
{
    return std::all_of(fields.cbegin(), fields.cend(),
                       [](const QString &field) { return field.toUtf8().size() <= FieldBytes; });
}

bool KvSimParameters::accepts(const KvSimParameter &entry, const QStringList &fields)
{
    if (fields.size() != entry.defaults.size() || !fitsFields(fields))
        return false;
    if (!entry.numeric)
        return true;
    QList<double> numbers;
    for (const QString &field : fields) {
        bool ok = false;
        numbers.append(field.toDouble(&ok));
        if (!ok)
            return false;
    }
    if (entry.wide) {
        for (int i = 0; i < 2; ++i) {
            if (numbers[i] < 0 || numbers[i] > 0xFFFF || numbers[i] != qint64(numbers[i]))
                return false;
        }
        numbers = { double(wideValue(fields)) };
    }
    if (!entry.ranged)
        return true;
    return std::all_of(numbers.cbegin(), numbers.cend(),
                       [&entry](double number) { return number >= entry.min && number <= entry.max; });
}

qint64 KvSimParameters::wideValue(const QStringList &words)
{
    const quint32 bits = (words.value(0).toUInt() & 0xFFFF) | ((words.value(1).toUInt() & 0xFFFF) << 16);
    return qint32(bits);
}
