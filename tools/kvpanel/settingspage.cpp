#include "settingspage.h"

#include "recordaccess.h"
#include "recordio.h"
#include "recordrequests.h"

#include "kvdeviceinterface.h"
#include "kvdeviceproperty.h"

#include <QAbstractSpinBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

using AnswerOf = RecordAccess::Way (*)(const KVDeviceInterface *, const KVDeviceProperty *);
// Groups in the catalogues nest one level; anything deeper is not followed.
constexpr int MaxNesting = 4;

// The records whose frames carry `record`: the record itself when it has the command and the
// device's answer comes back to it; otherwise those of its members that have it (a container
// group gathers members with commands of their own).
QList<KVDeviceProperty *> carriersOf(const KVDeviceInterface *device, KVDeviceProperty *record, AnswerOf answer, int depth = 0)
{
    const RecordAccess::Reach reach = answer(device, record).reach;
    if (reach == RecordAccess::Reach::Device || reach == RecordAccess::Reach::TaskControl)
        return { record };
    QList<KVDeviceProperty *> carriers;
    if (reach == RecordAccess::Reach::NoCommand && depth < MaxNesting) {
        for (KVDeviceProperty *member : RecordAccess::members(record))
            carriers += carriersOf(device, member, answer, depth + 1);
    }
    return carriers;
}

// A record's value with those of its members: what a write of the record sends.
QVariantList snapshotOf(const KVDeviceProperty *record, int depth = 0)
{
    QVariantList values{ record->value() };
    if (depth < MaxNesting) {
        for (const KVDeviceProperty *member : RecordAccess::members(record))
            values += snapshotOf(member, depth + 1);
    }
    return values;
}

// What a read or a write of a record came to, for the log.
struct Outcomes
{
    const char *done;
    const char *noAnswer;
    const char *refused;
};
constexpr Outcomes readOutcomes{QT_TRANSLATE_NOOP("SettingsPage", "%1 read: %2"),
                                QT_TRANSLATE_NOOP("SettingsPage", "%1: no answer to the read within %2 s"),
                                QT_TRANSLATE_NOOP("SettingsPage", "%1: the device refused the read (result %2)")};
constexpr Outcomes writeOutcomes{QT_TRANSLATE_NOOP("SettingsPage", "%1 write: %2"),
                                 QT_TRANSLATE_NOOP("SettingsPage", "%1: no answer to the write within %2 s"),
                                 QT_TRANSLATE_NOOP("SettingsPage", "%1: the device refused the write (result %2)")};

} // namespace

SettingsPage::SettingsPage(KVDeviceInterface *device, const QStringList &keys, RecordRequests *requests,
                           QWidget *parent)
    : QWidget(parent),
      m_device(device),
      m_requests(requests),
      m_read(new QPushButton(tr("Read"))),
      m_write(new QPushButton(tr("Write")))
{
    m_read->setObjectName(QStringLiteral("readButton"));
    m_write->setObjectName(QStringLiteral("writeButton"));
    build(device, keys);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_read);
    buttons->addWidget(m_write);
    qobject_cast<QVBoxLayout *>(layout())->addLayout(buttons);

    connect(m_read, &QPushButton::clicked, this, &SettingsPage::read);
    connect(m_write, &QPushButton::clicked, this, &SettingsPage::write);
    setConnected(false);
}

void SettingsPage::build(KVDeviceInterface *device, const QStringList &keys)
{
    auto *content = new QWidget;
    auto *rows = new QVBoxLayout(content);
    for (const QString &key : keys) {
        if (shownKeys().contains(key))
            continue;
        KVDeviceProperty *record = device->property_ptr(key.toLatin1().constData());
        if (!record) {
            m_skipped << key;
            continue;
        }
        record->create_ui_ctrl(content, key, true);
        record->to_ui_ctrl();
        m_shown.append({ key, record });
        lockReadOnly(m_shown.last());
        if (const RecordAccess::Way way = RecordAccess::read(device, key); way.reach == RecordAccess::Reach::Unmatched)
            m_unreadable << tr("%1 cannot be read: %2").arg(key, way.reason);
    }
    rows->addStretch();

    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto *page = new QVBoxLayout(this);
    page->addWidget(scroll);
}

QStringList SettingsPage::shownKeys() const
{
    QStringList keys;
    for (const Shown &shown : m_shown)
        keys << shown.key;
    return keys;
}

// An editor of a record the device cannot take shows the value only.
void SettingsPage::lockReadOnly(const Shown &shown)
{
    if (!carriersOf(m_device, shown.record, &RecordAccess::ownWrite).isEmpty())
        return;
    QObject *control = shown.record->property("UI_CTRL").value<QObject *>();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setReadOnly(true);
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        spin->setReadOnly(true);
    else if (auto *widget = qobject_cast<QWidget *>(control); widget && !widget->inherits("QLabel"))
        widget->setEnabled(false);
}

void SettingsPage::setConnected(bool connected)
{
    m_read->setEnabled(connected);
    m_write->setEnabled(connected);
}

void SettingsPage::read()
{
    for (const Shown &shown : std::as_const(m_shown)) {
        for (KVDeviceProperty *target : carriersOf(m_device, shown.record, &RecordAccess::ownRead))
            readOne(shown, target);
    }
}

void SettingsPage::write()
{
    int sent = 0;
    for (const Shown &shown : std::as_const(m_shown)) {
        const QList<KVDeviceProperty *> carriers = carriersOf(m_device, shown.record, &RecordAccess::ownWrite);
        if (carriers.isEmpty())
            continue;
        QList<QVariantList> before;
        for (const KVDeviceProperty *carrier : carriers)
            before << snapshotOf(carrier);
        shown.record->from_ui_ctrl();
        for (qsizetype i = 0; i < carriers.size(); ++i) {
            if (snapshotOf(carriers.at(i)) != before.at(i)) {
                writeOne(shown, carriers.at(i));
                ++sent;
            }
        }
    }
    if (sent == 0)
        Q_EMIT note(tr("nothing was edited, nothing written"));
}

void SettingsPage::readOne(const Shown &shown, KVDeviceProperty *target)
{
    const QPointer<SettingsPage> page(this);
    m_requests->read(target, [page, shown](int result) {
        if (!page)
            return;
        if (result == 0)
            shown.record->to_ui_ctrl();
        page->report(shown, false, result);
    });
}

// A refused write leaves the record holding the value the device did not take: reading it back
// shows what the device keeps.
void SettingsPage::writeOne(const Shown &shown, KVDeviceProperty *target)
{
    const QPointer<SettingsPage> page(this);
    m_requests->write(target, [page, shown, target](int result) {
        if (!page)
            return;
        page->report(shown, true, result);
        if (result == 0)
            shown.record->to_ui_ctrl();
        else
            page->readOne(shown, target);
    });
}

void SettingsPage::report(const Shown &shown, bool writing, int result)
{
    const Outcomes &outcomes = writing ? writeOutcomes : readOutcomes;
    if (result == 0)
        Q_EMIT note(tr(outcomes.done).arg(shown.key, RecordIO::display(shown.record)));
    else if (result == RecordRequests::NoAnswer)
        Q_EMIT note(tr(outcomes.noAnswer).arg(shown.key).arg(m_requests->timeout() / 1000.0));
    else
        Q_EMIT note(tr(outcomes.refused).arg(shown.key).arg(result));
}
