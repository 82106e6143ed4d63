// A host compiled only from the documented declarations in host/, linked to the built library.
// A changed signature of a documented member fails this program's link; a changed virtual order
// or record layout fails its run.
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"
#include "pivenacloud.h"
#include "usboperate.h"

#include <QPluginLoader>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <tuple>

using Type = KVDeviceInterface::KVDeviceCMDType;

// Every documented non-virtual member, referenced so that the link needs its exact symbol (the
// virtual ones are reached through calls below).
using Record = KVDeviceProperty;
using Common = KVCommonInterface;
auto documentedMembers = std::make_tuple(
    &Record::init, &Record::value, &Record::setValue, &Record::label, &Record::uint, &Record::param, &Record::cmd_len,
    &Record::cmd_type, &Record::get_cmd_int, &Record::set_cmd_int, &Record::ret_Status, &Record::property_ptr,
    &Record::pack, &Record::get_cmd_bytes, &Record::set_cmd_bytes,
    static_cast<void (Record::*)(QList<QString>)>(&Record::set_decode),
    static_cast<void (Record::*)(QString)>(&Record::set_decode), &Record::create_ui_ctrl, &Record::to_ui_ctrl,
    &Record::from_ui_ctrl, &Record::valueChanged, &Record::retStatus,
    static_cast<QDebug (*)(QDebug, const Record &)>(&operator<<),
    &Common::systemLanguage, &Common::init583, &Common::info_583, &Common::init261, &Common::info_261,
    &Common::camera_offset_261, &Common::camera_offset_583, &Common::feed_261, &Common::scale_261, &Common::scale_583,
    &Common::sp1_261, &Common::sp2_261, &Common::tool_space_261, &Common::work_area_261, &Common::work_area_583,
    &Common::move_261, &Common::connect_usb, &Common::connect_tcp, &Common::decode_buffer, &Common::send_cmd,
    &Common::heartbeat_switch, static_cast<void (Common::*)(QString, QString &, int &, QString &)>(&Common::decode_cmd),
    static_cast<void (Common::*)(QString)>(&Common::decode_task), &Common::cloud_device_model_get,
    &Common::cloud_device_get, &Common::cloud_device_new, &Common::cloud_device_update, &Common::cloud_device_workrecord,
    &Common::connect_websocket, &Common::device_task_to_cloud, &Common::device_task_record_to_cloud,
    &Common::device_info_to_cloud, &Common::slot_usb_write, &Common::slot_usb_read, &Common::slot_usb_status,
    &Common::slot_tcp_socket_read, &Common::slot_tcp_socket_state, &Common::slot_device_timer,
    &Common::slot_websocket_connected, &Common::slot_websocket_disconnected, &Common::slot_websocket_error,
    &Common::slot_websocket_text_received, static_cast<void (KVRV520MAXCam::*)()>(&KVRV520MAXCam::decode_task),
    &PivenaCloud::url, &PivenaCloud::ws, &PivenaCloud::customRequest, &UsbOperate::usbConnect, &UsbOperate::send,
    &UsbOperate::statusChanged, &UsbOperate::readData, &UsbOperate::writeData);

namespace {

// The record's fields as the host lays them out after the QObject part.
struct RecordFields
{
    QVariant value, lastValue;
    int get, set, len;
    QString label, unit;
    Type type;
    QList<QString> param;
};
static_assert(sizeof(KVDeviceProperty) == sizeof(QObject) + sizeof(RecordFields));

const RecordFields &fieldsOf(const KVDeviceProperty &record)
{
    return *reinterpret_cast<const RecordFields *>(reinterpret_cast<const char *>(&record) + sizeof(QObject));
}

QByteArray framed(const char *text)
{
    return '\x02' + QByteArray(text) + '\x03';
}

} // namespace

class tst_AbiHost : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { loader.unload(); }
    void baseInterface();
    void hostRecord();
    void devicesFromTheRoot_data();
    void devicesFromTheRoot();

private:
    QPluginLoader loader{qEnvironmentVariable("KV_PLUGIN_PATH")};
    KVDeviceInterface *root = nullptr;
};

void tst_AbiHost::initTestCase()
{
    root = qobject_cast<KVDeviceInterface *>(loader.instance());
    QVERIFY2(qobject_cast<KVRV520MAXCam *>(root), qPrintable(loader.errorString()));
    QCOMPARE(root->icon(), 58918);
}

// The base class's slots in the host's order: the answers show that each call reached its own.
void tst_AbiHost::baseInterface()
{
    KVDeviceInterface base;
    QVERIFY(!base.initInstance() && !base.connectDevice() && !base.property_ptr("USB"));
    QCOMPARE(base.icon(), 0);
    QVERIFY(base.userProperty().isEmpty() && base.sysProperty().isEmpty());
    base.setPlt(QStringLiteral("IN;")); // no plot record: nothing happens
    base.setUSBPath(QStringLiteral("/dev/ttyACM0"));
    base.setIPAddress(QStringLiteral("127.0.0.1"));
    auto *usb = qobject_cast<KVDeviceProperty *>(base.property("USB").value<QObject *>());
    auto *tcp = qobject_cast<KVDeviceProperty *>(base.property("TCP").value<QObject *>());
    QVERIFY(usb && tcp);
    QCOMPARE(usb->value().toString() + u'|' + usb->label(), QStringLiteral("USB|/dev/ttyACM0"));
    QCOMPARE(tcp->value().toString() + u'|' + tcp->label(), QStringLiteral("TCP|127.0.0.1"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4} - \\d\\d - \\d\\d$")).match(KVDeviceInterface::buildDate()).hasMatch());
}

// A record the host creates itself, with its own idea of its size: the library's members must
// write the fields where the host lays them out.
void tst_AbiHost::hostRecord()
{
    QCOMPARE(QMetaType::fromName("KVDeviceProperty").sizeOf(), qsizetype(sizeof(KVDeviceProperty)));
    const QList<QString> param{QStringLiteral("A"), QStringLiteral("B")};
    auto record = std::make_unique<KVDeviceProperty>();
    QVERIFY(record->init(7, QStringLiteral("label"), QStringLiteral("unit"), 41, 40, 1, KVDeviceInterface::CCMD, param));
    const RecordFields &fields = fieldsOf(*record);
    QCOMPARE(std::make_tuple(fields.get, fields.set, fields.len, fields.type), std::make_tuple(41, 40, 1, KVDeviceInterface::CCMD));
    QCOMPARE(fields.label + fields.unit, QStringLiteral("labelunit"));
    QCOMPARE(fields.param, param);
    QCOMPARE(record->get_cmd_bytes(), framed("17;CCMD;41,A,B;"));
    QCOMPARE(record->set_cmd_bytes(), framed("19;CCMD;40,A,B,7;"));
    record->set_decode(param + QList<QString>{QStringLiteral("9")});
    QCOMPARE(std::make_pair(fields.value, fields.lastValue), std::make_pair(QVariant(9), QVariant(7)));
    QCOMPARE(record->value(), QVariant(9));
}

void tst_AbiHost::devicesFromTheRoot_data()
{
    QTest::addColumn<bool>("common");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QVariant>("decoded");
    QTest::addColumn<QByteArray>("plotKey");
    QTest::newRow("model") << false << QByteArray("SPEED") << QVariant(300u) << framed("20;CCMD;7,0,0,250;") << QVariant(250u)
                           << QByteArray("TASK_PPLT");
    QTest::newRow("261 dialect") << true << QByteArray("HEARTBEAT") << QVariant(5) << framed("19;CCMD;1010,0,7;") << QVariant(7)
                                 << QByteArray("TASK_PLT");
}

// Device objects as the root makes them, driven through the virtual members in the host's order.
void tst_AbiHost::devicesFromTheRoot()
{
    QFETCH(bool, common);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, reply);
    std::unique_ptr<KVDeviceInterface> device(common ? qobject_cast<KVCommonInterface *>(root)->KVCommonInterface::initInstance()
                                                     : root->initInstance());
    auto *dispatcher = qobject_cast<KVCommonInterface *>(device.get());
    QVERIFY(dispatcher && device.get() != root);
    QVERIFY(device->userProperty().contains(QStringLiteral("SPEED")));
    QCOMPARE(device->sysProperty().contains(QStringLiteral("FIRMWARE")), !common);
    QCOMPARE(device->property_ptr("STATUS")->value().toInt(), int(KVDeviceInterface::DisConnected));
    QVERIFY(!device->connectDevice());

    KVDeviceProperty *record = device->property_ptr(key.constData());
    QVERIFY(record);
    QSignalSpy changed(record, &KVDeviceProperty::valueChanged);
    QFETCH(QVariant, value);
    record->setValue(value);
    QCOMPARE(changed.count(), 1);
    dispatcher->decode_cmd(QString::fromLatin1(reply));
    QTEST(record->value(), "decoded");

    QSignalSpy messages(device.get(), &KVDeviceInterface::message);
    dispatcher->decode_cmd(QString::fromLatin1(framed("17;CCMD;27,0,0;"))); // a pause notice on the model only
    const QList<QVariant> pause{QVariant::fromValue(KVDeviceInterface::DevTasK), QStringLiteral("PAUSE")};
    QCOMPARE(messages, common ? QList<QList<QVariant>>() : QList<QList<QVariant>>{pause});
    device->setPlt(QStringLiteral("IN;PU0,0;"));
    QFETCH(QByteArray, plotKey);
    QCOMPARE(device->property_ptr(plotKey.constData())->value().toString(), QStringLiteral("IN;PU0,0;"));
}

QTEST_MAIN(tst_AbiHost)
#include "tst_abihost.moc"
