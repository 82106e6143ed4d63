// A host compiled only from the documented declarations in host/, linked to the built library.
// A changed signature of a documented member fails this program's link; a changed virtual order
// or record layout fails its run.
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"
#include "pivenacloud.h"
#include "usboperate.h"

#include <QPluginLoader>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTest>

#include <tuple>

using Type = KVDeviceInterface::KVDeviceCMDType;

// Every documented non-virtual member, referenced so that the link needs its exact symbol (the
// virtual ones are reached through calls below).
auto documentedMembers = std::make_tuple(
    &KVDeviceProperty::init, &KVDeviceProperty::value, &KVDeviceProperty::setValue,
    &KVDeviceProperty::label, &KVDeviceProperty::uint, &KVDeviceProperty::param,
    &KVDeviceProperty::cmd_len, &KVDeviceProperty::cmd_type, &KVDeviceProperty::get_cmd_int,
    &KVDeviceProperty::set_cmd_int, &KVDeviceProperty::ret_Status, &KVDeviceProperty::property_ptr,
    &KVDeviceProperty::pack, &KVDeviceProperty::get_cmd_bytes, &KVDeviceProperty::set_cmd_bytes,
    static_cast<void (KVDeviceProperty::*)(QList<QString>)>(&KVDeviceProperty::set_decode),
    static_cast<void (KVDeviceProperty::*)(QString)>(&KVDeviceProperty::set_decode),
    &KVDeviceProperty::create_ui_ctrl, &KVDeviceProperty::to_ui_ctrl, &KVDeviceProperty::from_ui_ctrl,
    &KVDeviceProperty::valueChanged, &KVDeviceProperty::retStatus,
    static_cast<QDebug (*)(QDebug, const KVDeviceProperty &)>(&operator<<),
    &KVCommonInterface::systemLanguage, &KVCommonInterface::init583, &KVCommonInterface::info_583,
    &KVCommonInterface::init261, &KVCommonInterface::info_261, &KVCommonInterface::camera_offset_261,
    &KVCommonInterface::camera_offset_583, &KVCommonInterface::feed_261, &KVCommonInterface::scale_261,
    &KVCommonInterface::scale_583, &KVCommonInterface::sp1_261, &KVCommonInterface::sp2_261,
    &KVCommonInterface::tool_space_261, &KVCommonInterface::work_area_261,
    &KVCommonInterface::work_area_583, &KVCommonInterface::move_261, &KVCommonInterface::connect_usb,
    &KVCommonInterface::connect_tcp, &KVCommonInterface::decode_buffer, &KVCommonInterface::send_cmd,
    &KVCommonInterface::heartbeat_switch,
    static_cast<void (KVCommonInterface::*)(QString, QString &, int &, QString &)>(&KVCommonInterface::decode_cmd),
    static_cast<void (KVCommonInterface::*)(QString)>(&KVCommonInterface::decode_task),
    &KVCommonInterface::cloud_device_model_get, &KVCommonInterface::cloud_device_get,
    &KVCommonInterface::cloud_device_new, &KVCommonInterface::cloud_device_update,
    &KVCommonInterface::cloud_device_workrecord, &KVCommonInterface::connect_websocket,
    &KVCommonInterface::device_task_to_cloud, &KVCommonInterface::device_task_record_to_cloud,
    &KVCommonInterface::device_info_to_cloud, &KVCommonInterface::slot_usb_write,
    &KVCommonInterface::slot_usb_read, &KVCommonInterface::slot_usb_status,
    &KVCommonInterface::slot_tcp_socket_read, &KVCommonInterface::slot_tcp_socket_state,
    &KVCommonInterface::slot_device_timer, &KVCommonInterface::slot_websocket_connected,
    &KVCommonInterface::slot_websocket_disconnected, &KVCommonInterface::slot_websocket_error,
    &KVCommonInterface::slot_websocket_text_received,
    static_cast<void (KVRV520MAXCam::*)()>(&KVRV520MAXCam::decode_task),
    &PivenaCloud::url, &PivenaCloud::ws, &PivenaCloud::customRequest,
    &UsbOperate::usbConnect, &UsbOperate::send, &UsbOperate::statusChanged, &UsbOperate::readData,
    &UsbOperate::writeData);

namespace {

// The record's fields as the host lays them out after the QObject part.
struct RecordFields
{
    QVariant value;
    QVariant lastValue;
    int get;
    int set;
    int len;
    QString label;
    QString unit;
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

QString reply(const QString &payload)
{
    return QString::fromLatin1(KVDeviceProperty().pack(payload, QStringLiteral("CCMD")));
}

} // namespace

class tst_AbiHost : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void recordLayout();
    void baseInterfaceBehaviour();
    void hostRecordFrames_data();
    void hostRecordFrames();
    void devicesFromTheRoot_data();
    void devicesFromTheRoot();
    void deviceRecordRoundTrip();

private:
    QPluginLoader loader{qEnvironmentVariable("KV_PLUGIN_PATH")};
    KVDeviceInterface *root = nullptr;
};

void tst_AbiHost::initTestCase()
{
    root = qobject_cast<KVDeviceInterface *>(loader.instance());
    QVERIFY2(root, qPrintable(loader.errorString()));
    QVERIFY(qobject_cast<KVRV520MAXCam *>(root));
    QCOMPARE(root->icon(), 58918);
}

void tst_AbiHost::cleanupTestCase()
{
    loader.unload();
}

void tst_AbiHost::baseInterfaceBehaviour()
{
    KVDeviceInterface base;
    QVERIFY(!base.initInstance());
    QVERIFY(!base.connectDevice());
    QCOMPARE(base.icon(), 0);
    QVERIFY(!base.property_ptr("USB"));
    QVERIFY(base.userProperty().isEmpty());
    QVERIFY(base.sysProperty().isEmpty());
    base.sendCMD(framed("12;PLT;IN;"));
    base.setPivenaCloud(nullptr, QString());
    base.startTask();
    base.stopTask();
    base.move(1, 2);
    base.setPlt(QStringLiteral("IN;"));
    base.setIPAddress(QStringLiteral("127.0.0.1"));
    base.setUSBPath(QStringLiteral("/dev/ttyACM0"));
    auto *usb = qobject_cast<KVDeviceProperty *>(base.property("USB").value<QObject *>());
    QVERIFY(usb);
    QCOMPARE(usb->label(), QStringLiteral("/dev/ttyACM0"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4} - \\d\\d - \\d\\d$")).match(KVDeviceInterface::buildDate()).hasMatch());
}

// The library's own idea of the record (its registered size, the fields its members write) must
// be the host's.
void tst_AbiHost::recordLayout()
{
    QCOMPARE(QMetaType::fromName("KVDeviceProperty").sizeOf(), qsizetype(sizeof(KVDeviceProperty)));
    KVDeviceProperty record;
    record.init(5, QStringLiteral("Speed"), QStringLiteral("mm/s"), 134, 135, 3, KVDeviceInterface::NUM,
                {QStringLiteral("A")});
    record.setValue(6);
    const RecordFields &fields = fieldsOf(record);
    QCOMPARE(fields.value, QVariant(6));
    QCOMPARE(fields.lastValue, QVariant(5));
    QCOMPARE(std::make_tuple(fields.get, fields.set, fields.len, fields.type), std::make_tuple(134, 135, 3, KVDeviceInterface::NUM));
    QCOMPARE(fields.label, QStringLiteral("Speed"));
    QCOMPARE(fields.unit, QStringLiteral("mm/s"));
    QCOMPARE(fields.param, QList<QString>{QStringLiteral("A")});
}

void tst_AbiHost::hostRecordFrames_data()
{
    QTest::addColumn<Type>("type");
    QTest::addColumn<int>("get");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("len");
    QTest::addColumn<QList<QString>>("param");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("readFrame");
    QTest::addColumn<QByteArray>("writeFrame");
    QTest::addColumn<QList<QString>>("replyValues");
    QTest::addColumn<QVariant>("decoded");

    const QList<QString> none;
    const QList<QString> ab{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("CCMD with parameters") << KVDeviceInterface::CCMD << 41 << 40 << 1 << ab << QVariant(7)
                                          << framed("17;CCMD;41,A,B;") << framed("19;CCMD;40,A,B,7;")
                                          << QList<QString>{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("9")}
                                          << QVariant(9);
    QTest::newRow("CMD, three registers") << KVDeviceInterface::CMD << 11 << 11 << 3 << none << QVariant(70000)
                                          << framed("21;CMD;GET11;12;13;") << framed("30;CMD;SET11:4464;12:1;13:0;")
                                          << QList<QString>{QStringLiteral("65516"), QStringLiteral("65535")}
                                          << QVariant(-20);
    QTest::newRow("PLT") << KVDeviceInterface::PLT << 0 << 1 << 0 << none << QVariant(QStringLiteral("IN;"))
                         << QByteArray() << framed("12;PLT;IN;") << QList<QString>{QStringLiteral("PU;")}
                         << QVariant(QStringLiteral("PU;"));
}

// Records the host creates itself, with its own idea of their size.
void tst_AbiHost::hostRecordFrames()
{
    QFETCH(Type, type);
    QFETCH(int, get);
    QFETCH(int, set);
    QFETCH(int, len);
    QFETCH(QList<QString>, param);
    QFETCH(QVariant, value);
    QScopedPointer<KVDeviceProperty> record(new KVDeviceProperty);
    QVERIFY(record->init(value, QStringLiteral("label"), QStringLiteral("unit"), get, set, len, type, param));
    QCOMPARE(std::make_tuple(record->get_cmd_int(), record->set_cmd_int(), record->cmd_len(), record->cmd_type()),
             std::make_tuple(get, set, len, type));
    QCOMPARE(record->label() + record->uint(), QStringLiteral("labelunit"));
    QCOMPARE(record->param(), param);
    QTEST(record->get_cmd_bytes(), "readFrame");
    QTEST(record->set_cmd_bytes(), "writeFrame");
    QFETCH(QList<QString>, replyValues);
    record->set_decode(replyValues);
    QTEST(record->value(), "decoded");
}

void tst_AbiHost::devicesFromTheRoot_data()
{
    QTest::addColumn<bool>("common");
    QTest::addColumn<QList<QString>>("userKeys");
    QTest::addColumn<QList<QString>>("sysKeys");
    QTest::addColumn<QByteArray>("ownKey");
    QTest::newRow("model") << false
                           << QList<QString>{"WORK_MODE", "PRESSURE", "SPEED", "CAMERA_OFFSET", "SCALE"}
                           << QList<QString>{"DEVICE_MODEL_NAME", "FIRMWARE", "DEVICE_ID", "PCB_ID", "PCB_VERSION"}
                           << QByteArray("CAMERA_OFFSET");
    QTest::newRow("261 dialect") << true
                                 << QList<QString>{"WORK_MODE", "SPEED", "PRESSURE", "CAMERA_OFFSET",
                                                   "CAMERA_OFFSET", "SP1", "SP2"}
                                 << QList<QString>() << QByteArray("HEARTBEAT");
}

void tst_AbiHost::devicesFromTheRoot()
{
    QFETCH(bool, common);
    auto *factory = qobject_cast<KVCommonInterface *>(root);
    QScopedPointer<KVDeviceInterface> device(common ? factory->KVCommonInterface::initInstance() : root->initInstance());
    QVERIFY(device && device.data() != root);
    QTEST(device->userProperty(), "userKeys");
    QTEST(device->sysProperty(), "sysKeys");
    QFETCH(QByteArray, ownKey);
    QVERIFY(device->property_ptr(ownKey.constData()));
    QCOMPARE(device->property_ptr("STATUS")->value().toInt(), int(KVDeviceInterface::DisConnected));
    QVERIFY(!device->connectDevice());
}

void tst_AbiHost::deviceRecordRoundTrip()
{
    QScopedPointer<KVDeviceInterface> device(root->initInstance());
    auto *model = qobject_cast<KVRV520MAXCam *>(device.data());
    QVERIFY(model);
    KVDeviceProperty *speed = device->property_ptr("SPEED");
    QVERIFY(speed);
    QSignalSpy changed(speed, &KVDeviceProperty::valueChanged);
    speed->setValue(300u);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(speed->get_cmd_bytes(), framed("14;CCMD;7,0;"));
    QCOMPARE(speed->set_cmd_bytes(), framed("18;CCMD;6,0,300;"));

    QSignalSpy messages(device.data(), &KVDeviceInterface::message);
    model->decode_cmd(reply(QStringLiteral("7,0,0,250;")));
    QCOMPARE(speed->value(), QVariant(250u));
    model->decode_cmd(reply(QStringLiteral("27,0,0;")));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.at(0).at(0).toInt(), int(KVDeviceInterface::DevTasK));
    QCOMPARE(messages.at(0).at(1).toString(), QStringLiteral("PAUSE"));

    device->setPlt(QStringLiteral("IN;PU0,0;"));
    QCOMPARE(device->property_ptr("TASK_PPLT")->value().toString(), QStringLiteral("IN;PU0,0;"));
}

QTEST_MAIN(tst_AbiHost)
#include "tst_abihost.moc"
