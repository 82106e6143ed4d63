#ifndef KVSIMPARAMETERS_H
#define KVSIMPARAMETERS_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One value the plotter keeps, as the host reads and writes it.
//
// "583" firmware speaks only CCMD: a read is "get,fixed fields;" and a write "set,fixed fields,
// values;". "261" firmware also speaks CMD, where a value lives in one or more consecutive
// registers starting at `get` (= `set`).
struct KvSimParameter
{
    QString name;         // the host's key for it
    int get = 0;          // read code or first register; 0: cannot be read
    int set = 0;          // write code or first register; 0: cannot be written
    int fixed = 0;        // CCMD: leading fixed fields of requests, echoed in replies, not stored
    QStringList defaults; // CCMD: the value fields; CMD: one text per register
    QStringList parts;    // a read-only compound: the values of these parameters, in order
    bool numeric = false; // every value field must be a number
    double min = 0;       // with `numeric` and `ranged`: the accepted range of each value,
    double max = 0;       // in the units on the line (the host scales some for display)
    bool ranged = false;
    bool wide = false;    // CMD: registers 0 and 1 hold one signed 32-bit number, low half first

    KvSimParameter &number() { numeric = true; return *this; }
    KvSimParameter &range(double low, double high)
    {
        numeric = ranged = true;
        min = low;
        max = high;
        return *this;
    }
    KvSimParameter &withFixed(int count) { fixed = count; return *this; }
    KvSimParameter &asWide() { wide = true; return *this; }
    KvSimParameter &of(QStringList names) { parts = std::move(names); return *this; }
};

// The plotter's parameter table of one firmware family: what it answers to reads, what it
// accepts in writes, and the values it starts with (and returns to on a factory reset).
class KvSimParameters
{
public:
    explicit KvSimParameters(int family);

    int family() const { return m_family; }
    const QList<KvSimParameter> &commands() const { return m_commands; }
    const QList<KvSimParameter> &registers() const { return m_registers; }

    void reset();
    QStringList value(const QString &name) const;
    void setValue(const QString &name, const QStringList &fields);

    // CCMD: the entry read with `code`, or written with it.
    const KvSimParameter *readCommand(int code) const;
    const KvSimParameter *writeCommand(int code) const;

    // CMD: the entry that owns register `reg` and the register's place in it; null for a
    // register the plotter does not have.
    const KvSimParameter *registerOwner(int reg, int *index = nullptr) const;
    QString registerValue(int reg) const;

    // What one field of the plotter holds, in bytes of UTF-8: a device id, a file name. Longer
    // texts are refused; a reply carrying one would not fit what a host takes in one frame.
    static constexpr qsizetype FieldBytes = 255;

    // Whether `fields` (the value fields only) are a value `entry` accepts.
    static bool accepts(const KvSimParameter &entry, const QStringList &fields);
    static bool fitsFields(const QStringList &fields);
    // The signed number held by a wide register pair.
    static qint64 wideValue(const QStringList &words);

private:
    int m_family;
    QList<KvSimParameter> m_commands;
    QList<KvSimParameter> m_registers;
    QHash<QString, QStringList> m_values;
};

#endif // KVSIMPARAMETERS_H
