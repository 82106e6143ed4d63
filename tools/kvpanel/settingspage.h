#ifndef KVPANEL_SETTINGSPAGE_H
#define KVPANEL_SETTINGSPAGE_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class KVDeviceInterface;
class KVDeviceProperty;
class QPushButton;
class RecordRequests;

// A page of device records, each shown by the editor its record builds. Read asks the device for
// every record and shows each answer as it arrives; Write sends the records whose values were
// edited, and only those.
class SettingsPage : public QWidget
{
    Q_OBJECT
public:
    SettingsPage(KVDeviceInterface *device, const QStringList &keys, RecordRequests *requests,
                 QWidget *parent = nullptr);

    // Keys shown on the page, and those of the list that have no record on the device.
    QStringList shownKeys() const;
    QStringList skippedKeys() const { return m_skipped; }
    // Why records on the page are not read: the device's answer would not come back to them.
    QStringList unreadableNotes() const { return m_unreadable; }

    void read();
    void write();
    void setConnected(bool connected);

Q_SIGNALS:
    void note(QString text);

private:
    struct Shown
    {
        QString key;
        KVDeviceProperty *record;
    };

    void build(KVDeviceInterface *device, const QStringList &keys);
    void lockReadOnly(const Shown &shown);
    void readOne(const Shown &shown, KVDeviceProperty *target);
    void writeOne(const Shown &shown, KVDeviceProperty *target);
    void report(const Shown &shown, bool writing, int result);

    KVDeviceInterface *m_device;
    RecordRequests *m_requests;
    QList<Shown> m_shown;
    QStringList m_skipped;
    QStringList m_unreadable;
    QPushButton *m_read;
    QPushButton *m_write;
};

#endif // KVPANEL_SETTINGSPAGE_H
