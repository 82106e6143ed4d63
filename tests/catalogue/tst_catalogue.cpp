// The property catalogues as a host gets them: the model's (KVRV520MAXCam::initInstance), the
// other family's (KVCommonInterface::initInstance, info_261) and every optional group builder,
// record by record against their tables; builders run again on a device that already has their
// keys; and the translation files against every text the catalogues translate.
// Runs under a zh_CN system locale, so labels keep their source texts.
#include "kvcommoninterface.h"
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QJsonObject>
#include <QPointer>
#include <QTest>
#include <QTranslator>

#include <functional>
#include <memory>

namespace {

using Type = KVDeviceInterface::KVDeviceCMDType;
using Device = std::unique_ptr<KVDeviceInterface>;
using Builder = void (KVCommonInterface::*)(KVDeviceInterface *);

constexpr Type UnCMD = KVDeviceInterface::UnCMD;
constexpr Type CCMD = KVDeviceInterface::CCMD;
constexpr Type CMD = KVDeviceInterface::CMD;
constexpr Type NUM = KVDeviceInterface::NUM;
constexpr Type PLT = KVDeviceInterface::PLT;
constexpr Type PPLT = KVDeviceInterface::PPLT;
constexpr Type QRPLT = KVDeviceInterface::QRPLT;

const char *const ModelContext = "KVRV520MAXCam";

// One record as its catalogue table gives it. `attachment` is a group's attachment order.
struct Row
{
    QByteArray key;
    QString label;
    QString unit;
    QVariant value;
    int get = 0;
    int set = 0;
    int len = 0;
    Type type = UnCMD;
    QJsonObject widget = {};
    QStringList params = {};
    QStringList attachment = {};
    const char *context = "KVCommonInterface";
};

// Stands for "the local time at which the catalogue was built".
const QVariant BuildTime = QVariant::fromValue(QDateTime());

QJsonObject widget(const char *kind, const QJsonObject &fields = {})
{
    QJsonObject description = fields;
    description.insert(QStringLiteral("widget"), QLatin1String(kind));
    return description;
}

QJsonObject options(const QString &joined)
{
    return widget("QComboBox", { { "option", joined } });
}

const QJsonObject LineEdit = widget("QLineEdit");
const QJsonObject Label = widget("QLabel");
const QJsonObject GroupBox = widget("QGroupBox");
const QJsonObject TabWidget = widget("QTabWidget");
const QJsonObject WorkModes = options(QStringLiteral("   速度优先;   平衡;   精度优先"));
const QJsonObject OffsetAxis583 = widget("QDoubleSpinBox", { { "max", 1000.0 }, { "min", -1000.0 } });
const QJsonObject Axis261 =
    widget("QDoubleSpinBox", { { "min", -1000.0 }, { "max", 1000.0 }, { "factor", 0.005 } });
const QJsonObject ToolSpeed = widget("QSpinBox", { { "min", 10 }, { "max", 700 } });
const QJsonObject ToolPressure =
    widget("QSpinBox", { { "min", 0 }, { "max", 1900 }, { "factor", 3.1666666666666665 } });
const QJsonObject ToolAngle = widget("QSpinBox", { { "min", -360 }, { "max", 360 } });
const QString MmByMm = QStringLiteral("(mm x mm)");

const QList<Row> ModelRows = {
    { "STATUS", "状态", {}, 0, 0, 0, 0, UnCMD },
    { "DEVICE_STATUS", "电机状态", {}, QString(), 4, 0, 1, CCMD },
    { "TCP_PORT", "端口", {}, 9100, 0, 0, 0, UnCMD },
    { "FILE_PREVIEW", "预览", {}, QByteArray(), 0, 0, 0, UnCMD },
    { "TASK_FILE_INFO", "工作文件", {}, QJsonObject(), 0, 0, 0, UnCMD },
    { "GET_QRCODE", "获取二维码", {}, QVariant(), 11, 0, 1, CCMD },
    { "QRCODE_FILE", "二维码文件", {}, QString(), 55, 55, 1, CCMD },
    { "TASK_COPIES", "份数", "份", 1, 30, 30, 1, CCMD },
    { "TASK_PPLT", "pplt", {}, QString(), 0, 1, 1, PPLT },
    { "TASK_STOP", "停止", {}, 2, 27, 27, 1, CCMD },
    { "TASK_PAUSE", "暂停", {}, 0, 27, 27, 1, CCMD },
    { "TASK_RESUME", "继续", {}, 1, 27, 27, 1, CCMD },
    { "TASK_MODE", "任务模式", {}, 0, 32, 32, 1, CCMD },
    { "LAST_TIME", {}, {}, BuildTime, 0, 0, 0, UnCMD },
    { "CONNECT_MODE", "连接方式", {}, QString(), 0, 0, 0, UnCMD },
    { "DEVICE_CLOUD", "数据上传", {}, QJsonObject(), 0, 0, 0, UnCMD },
    { "WORK_MODE", "切割质量", {}, 0u, 64, 23, 1, CCMD, WorkModes },
    { "TASK", "当前任务", {},
      QJsonObject{ { "Finished", 0 }, { "Status", 0 }, { "TaskCopies", 0 }, { "Percent", 100 } },
      0, 0, 0, UnCMD, {}, {}, {}, ModelContext },
    { "CAMERA_OFFSET_X", "x", {}, 0.0, 0, 0, 0, UnCMD, OffsetAxis583, {}, {}, ModelContext },
    { "CAMERA_OFFSET_Y", "y", {}, 0.0, 0, 0, 0, UnCMD, OffsetAxis583, {}, {}, ModelContext },
    { "CAMERA_OFFSET", "摄像头偏移", MmByMm, QStringList{ "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y" },
      18, 17, 1, CCMD, GroupBox, {}, { "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y", "WIDGET" },
      ModelContext },
    { "SPEED", "速度", "(mm/s)", 0u, 7, 6, 1, CCMD, widget("QSpinBox", { { "max", 800 }, { "min", 10 } }),
      { "0" }, {}, ModelContext },
    { "PRESSURE", "压力", "(gf)", 0u, 9, 8, 1, CCMD, widget("QSpinBox", { { "max", 500 }, { "min", 0 } }),
      { "0" }, {}, ModelContext },
    { "FIRMWARE", "固件版本", {}, QString(), 51, 0, 1, CCMD, LineEdit },
    { "DEVICE_ID", "机器编号", {}, QString(), 45, 44, 1, CCMD, LineEdit },
    { "PCB_ID", "PCB编号", {}, QString(), 47, 46, 1, CCMD, LineEdit },
    { "PCB_VERSION", "PCB版本", {}, QString(), 49, 48, 1, CCMD, LineEdit },
    { "DEVICE_MODEL", "型号", {}, QString("KV-RV520MAXCam"), 0, 0, 0, UnCMD, Label, {}, {}, ModelContext },
    { "DEVICE_MODEL_NAME", "名称", {}, QString("520经济款单张机"), 0, 0, 0, UnCMD, Label, {}, {},
      ModelContext },
    { "MOVE", "移动", {}, QString(), 0, 65, 1, CCMD, {}, {}, {}, ModelContext },
    { "TASK_REPEAT", "重复上次", {}, 1, 0, 30, 1, CCMD, {}, {}, {}, ModelContext },
    { "SET_WIFI", "设置WIFI", {}, 1, 0, 0, 1, CCMD, {}, {}, {}, ModelContext },
    { "SET_MARK", "设置标记点类型", {}, 1, 0, 1000, 1, CCMD, {}, {}, {}, ModelContext },
};

const QList<Row> Rows261 = {
    { "STATUS", "状态", {}, 0, 0, 0, 0, UnCMD },
    { "TCP_PORT", "端口", {}, 9100, 0, 0, 0, UnCMD },
    { "CONNECT_MODE", "连接方式", {}, QString(), 0, 0, 0, UnCMD },
    { "QRCODE_COPIES", "份数", "份", 1, 54, 54, 1, CCMD },
    { "QRCODE_FILE", "二维码文件", {}, QString(), 55, 55, 1, CCMD },
    { "TASK_COPIES", "份数", "份", 1, 1, 1, 1, NUM },
    { "TASK_PLT", "plt", {}, QString(), 1, 1, 1, PLT },
    { "TASK_STOP", "停止", {}, 2, 125, 125, 1, CMD },
    { "TASK_PAUSE", "暂停", {}, 0, 125, 125, 1, CMD },
    { "TASK_RESUME", "继续", {}, 1, 125, 125, 1, CMD },
    { "QR_PLT", "QR PLT", {}, QString(), 1, 1, 1, QRPLT },
    { "FLAG_POINT", "设原点", {}, 1, 87, 87, 1, CMD },
    { "BACK_FLAG_POINT", "回原点", {}, 1, 93, 93, 1, CMD },
    { "TASK_MODE", "任务模式", {}, 0, 0, 0, 0, UnCMD },
    { "LAST_TIME", {}, {}, BuildTime, 0, 0, 0, UnCMD },
    { "HEARTBEAT", "心跳", "秒", 2, 1010, 1010, 1, CCMD },
    { "FILE_PREVIEW", "预览", {}, QByteArray(), 0, 0, 0, UnCMD },
    { "TASK_FILE_INFO", "工作文件", {}, QJsonObject(), 0, 0, 0, UnCMD },
    { "WORK_MODE", "切割质量", {}, 0u, 27, 27, 1, CMD, WorkModes },
    { "PU_SPEED", "PU 速度", {}, 0u, 26, 26, 1, CMD, widget("QSpinBox", { { "max", 700 }, { "min", 10 } }) },
    { "DEVICE_CLOUD", "数据上传", {}, QJsonObject(), 0, 0, 0, UnCMD },
};

const QList<Row> Info261 = {
    { "FIRMWARE", "固件版本", {}, QString(), 0, 0, 1, CCMD, LineEdit },
    { "DEVICE_ID", "机器编号", {}, QString(), 0, 44, 1, CCMD, LineEdit },
    { "PCB_ID", "PCB编号", {}, QString(), 0, 46, 1, CCMD, LineEdit },
    { "PCB_VERSION", "PCB版本", {}, QString(), 0, 48, 1, CCMD, LineEdit },
    { "DEVICE_CONFIG_NO", "配置号", {}, QString(), 0, 0, 0, UnCMD, Label },
    { "DEVICE_UNIQUE_ID", "Unique ID", {}, QString(), 57, 0, 1, CCMD, Label },
    { "DEVICE_MODEL", "型号", {}, QString("KV-TRX3104MAXCam"), 0, 0, 0, UnCMD, Label },
    { "DEVICE_INFO", "机器信息", {},
      QStringList{ "DEVICE_MODEL", "DEVICE_ID", "PCB_ID", "PCB_VERSION", "FIRMWARE", "DEVICE_CONFIG_NO" },
      2, 0, 1, CCMD, {}, {},
      { "DEVICE_MODEL", "DEVICE_ID", "PCB_ID", "PCB_VERSION", "FIRMWARE", "DEVICE_CONFIG_NO" } },
};

const QList<Row> CameraOffset261 = {
    { "CAMERA_OFFSET_X", "x", {}, 0u, 11, 11, 3, CMD, Axis261 },
    { "CAMERA_OFFSET_Y", "y", {}, 0u, 14, 14, 3, CMD, Axis261 },
    { "CAMERA_OFFSET", "摄像头偏移", MmByMm, QVariant(), 0, 0, 0, UnCMD, GroupBox, {},
      { "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y", "WIDGET" } },
    { "FACTORY_SET", "出厂设置", {}, 0, 0, 67, 1, CCMD },
};

const QList<Row> CameraOffset583 = {
    { "CAMERA_OFFSET_X", "x", {}, 0.0, 0, 0, 0, UnCMD, OffsetAxis583 },
    { "CAMERA_OFFSET_Y", "y", {}, 0.0, 0, 0, 0, UnCMD, OffsetAxis583 },
    { "CAMERA_OFFSET", "摄像头偏移", MmByMm, QStringList{ "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y" },
      16, 15, 1, CCMD, GroupBox, {}, { "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y", "WIDGET" } },
};

const QList<Row> Feed261 = {
    { "AUTO_FEED", "自动送料", {}, 0u, 134, 134, 1, CMD, options("   关;   开") },
    { "FEED_MODEL", "送料模式", {}, 0u, 133, 133, 1, CMD, options("   同步送料;   异步送料") },
    { "FEED_LENGTH", "送料距离", "mm", 0u, 135, 135, 1, CMD, widget("QSpinBox") },
    { "FEED_CENTER", "横梁中心距离", "mm", 0u, 136, 136, 1, CMD, widget("QSpinBox") },
    { "FAN_DELAY", "气泵延时", "ms", 0u, 137, 137, 1, CMD,
      widget("QSpinBox", { { "min", 0 }, { "max", 10000.0 } }) },
    { "FEED_SPEED", "送料速度", "mm/s", 0u, 138, 138, 1, CMD, widget("QSpinBox") },
    { "FEED", "送料", {}, QVariant(), 0, 0, 0, UnCMD, TabWidget, {},
      { "WIDGET", "AUTO_FEED", "FEED_MODEL", "FEED_LENGTH", "FEED_CENTER", "FEED_SPEED", "FAN_DELAY" } },
};

const Row ScaleGroup = { "SCALE", "缩放", {}, QVariant(), 0, 0, 0, UnCMD, GroupBox, {},
                         { "WIDGET", "SCALE_X", "SCALE_Y" } };

const QList<Row> Scale261 = {
    { "SCALE_X", "x", {}, 0u, 24, 24, 1, CMD, widget("QLineEdit", { { "factor", 0.0001 } }) },
    { "SCALE_Y", "y", {}, 0u, 25, 25, 1, CMD, widget("QLineEdit", { { "factor", 0.0001 } }) },
    ScaleGroup,
};

const QList<Row> Scale583 = {
    { "SCALE_X", "x", {}, 1.0, 61, 20, 1, CCMD, widget("QDoubleSpinBox", { { "min", 0 }, { "max", 200 } }) },
    { "SCALE_Y", "y", {}, 1.0, 62, 21, 1, CCMD, widget("QDoubleSpinBox", { { "min", 0 }, { "max", 200 } }) },
    ScaleGroup,
};

const QList<Row> Sp1 = {
    { "SP1_TOOL", "工具类型", {}, 0u, 128, 128, 1, CMD, options("  拖刀;  转刀") },
    { "SP1_SPEED", "速度", "(mm/s)", 0u, 1, 1, 1, CMD, ToolSpeed },
    { "SP1_PRESSURE", "压力", "(gf)", 0u, 2, 2, 1, CMD, ToolPressure },
    { "SP1_ANGLE", "转刀校准", "(°)", 0u, 131, 131, 1, CMD, ToolAngle },
    { "SP1", "SP1", {}, QVariant(), 0, 0, 0, UnCMD, TabWidget, {},
      { "SP1_TOOL", "SP1_SPEED", "SP1_PRESSURE", "SP1_ANGLE", "WIDGET" } },
};

const QList<Row> Sp2 = {
    { "SP2_SPEED", "速度", "(mm/s)", 0u, 3, 3, 1, CMD, ToolSpeed },
    { "SP2_PRESSURE", "压力", "(gf)", 0u, 4, 4, 1, CMD, ToolPressure },
    { "SP2_TOOL", "工具类型", {}, 0u, 129, 129, 1, CMD, options("拖刀;转刀") },
    { "SP2_ANGLE", "转刀校准", "(°)", 0u, 132, 132, 1, CMD, ToolAngle },
    { "SP2", "SP2", {}, QVariant(), 0, 0, 0, UnCMD, TabWidget, {},
      { "WIDGET", "SP2_TOOL", "SP2_SPEED", "SP2_PRESSURE", "SP2_ANGLE" } },
};

const QList<Row> ToolSpace261 = {
    { "TOOL_SPACE_X", "x", {}, 0u, 5, 5, 3, CMD, Axis261 },
    { "TOOL_SPACE_Y", "y", {}, 0u, 8, 8, 3, CMD, Axis261 },
    { "TOOL_SPACE", "工具偏移", MmByMm, QVariant(), 0, 0, 0, UnCMD, GroupBox, {},
      { "WIDGET", "TOOL_SPACE_X", "TOOL_SPACE_Y" } },
};

const QList<Row> WorkArea261 = {
    { "WORKAREA_X", "x", {}, 0u, 28, 28, 1, CMD, widget("QLineEdit", { { "factor", 0.5 } }) },
    { "WORKAREA_Y", "y", {}, 0u, 29, 29, 1, CMD, widget("QLineEdit", { { "factor", 0.5 } }) },
    { "WORKAREA", "幅宽", MmByMm, QVariant(), 0, 0, 0, UnCMD, GroupBox, {},
      { "WIDGET", "WORKAREA_X", "WORKAREA_Y" } },
};

const QList<Row> WorkArea583 = {
    { "WORKAREA_X", "x", {}, 0.0, 0, 0, 0, UnCMD, widget("QDoubleSpinBox", { { "min", 10 }, { "max", 10000 } }) },
    { "WORKAREA_Y", "y", {}, 0.0, 0, 0, 0, UnCMD, widget("QDoubleSpinBox", { { "min", 10 }, { "max", 10000 } }) },
    { "WORKAREA", "幅宽", MmByMm, QStringList{ "WORKAREA_X", "WORKAREA_Y" }, 63, 22, 1, CCMD, GroupBox, {},
      { "WIDGET", "WORKAREA_X", "WORKAREA_Y" } },
};

const QList<Row> Move261 = {
    { "MOVE_X", "X 移动", {}, 0, 82, 82, 1, CMD },
    { "MOVE_Y", "Y 移动", {}, 0, 83, 83, 1, CMD },
};

// A catalogue and the way a host (or a caller of a builder) makes it.
struct Catalogue
{
    QString name;
    std::function<Device()> make;
    QList<Row> rows;
};

Device modelDevice()
{
    KVRV520MAXCam root;
    return Device(root.initInstance());
}

Device commonDevice()
{
    KVCommonInterface root;
    return Device(root.initInstance());
}

Device builtBy(Builder builder)
{
    auto *device = new KVCommonInterface;
    (device->*builder)(device);
    return Device(device);
}

// Each builder of KVCommonInterface with the rows it creates, in creation order.
struct BuilderTable
{
    QString name;
    Builder builder;
    QList<Row> rows;
};

const QList<BuilderTable> BuilderTables = {
    { "init583", &KVCommonInterface::init583, ModelRows.mid(0, 17) },
    { "info_583", &KVCommonInterface::info_583, ModelRows.mid(23, 4) },
    { "info_261", &KVCommonInterface::info_261, Info261 },
    { "camera_offset_261", &KVCommonInterface::camera_offset_261, CameraOffset261 },
    { "camera_offset_583", &KVCommonInterface::camera_offset_583, CameraOffset583 },
    { "feed_261", &KVCommonInterface::feed_261, Feed261 },
    { "scale_261", &KVCommonInterface::scale_261, Scale261 },
    { "scale_583", &KVCommonInterface::scale_583, Scale583 },
    { "sp1_261", &KVCommonInterface::sp1_261, Sp1 },
    { "sp2_261", &KVCommonInterface::sp2_261, Sp2 },
    { "tool_space_261", &KVCommonInterface::tool_space_261, ToolSpace261 },
    { "work_area_261", &KVCommonInterface::work_area_261, WorkArea261 },
    { "work_area_583", &KVCommonInterface::work_area_583, WorkArea583 },
    { "move_261", &KVCommonInterface::move_261, Move261 },
};

BuilderTable builderTable(const QString &name)
{
    for (const BuilderTable &table : BuilderTables) {
        if (table.name == name)
            return table;
    }
    return {};
}

QList<Catalogue> catalogues()
{
    QList<Catalogue> all = {
        { "KVRV520MAXCam::initInstance", modelDevice, ModelRows },
        { "KVCommonInterface::initInstance", commonDevice, Rows261 },
    };
    for (const BuilderTable &table : BuilderTables) {
        const Builder builder = table.builder;
        all.append({ table.name, [builder] { return builtBy(builder); }, table.rows });
    }
    return all;
}

Catalogue catalogue(const QString &name)
{
    const QList<Catalogue> all = catalogues();
    for (const Catalogue &c : all) {
        if (c.name == name)
            return c;
    }
    return {};
}

QStringList names(const QList<QByteArray> &list)
{
    QStringList out;
    for (const QByteArray &name : list)
        out.append(QString::fromLatin1(name));
    return out;
}

// A JSON object as text that keeps apart what QCOMPARE of QJsonObject would not: integer and
// double numbers, and the exact blanks of strings.
QString typedJson(const QJsonObject &object)
{
    QStringList fields;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QVariant v = it.value().toVariant();
        QString text;
        if (v.typeId() == QMetaType::Double)
            text = "double " + QString::number(v.toDouble(), 'g', 17);
        else if (v.typeId() == QMetaType::LongLong)
            text = "int " + QString::number(v.toLongLong());
        else
            text = '"' + it.value().toString() + '"';
        fields.append(it.key() + '=' + text);
    }
    return '{' + fields.join(", ") + '}';
}

// A value as "type text", so that 0 (int), 0u (uint) and 0.0 (double) differ.
QString typed(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("invalid");
    const QString type = QString::fromLatin1(value.metaType().name());
    switch (value.typeId()) {
    case QMetaType::QJsonObject:
        return type + ' ' + typedJson(value.toJsonObject());
    case QMetaType::QStringList:
        return type + " [" + value.toStringList().join(',') + ']';
    case QMetaType::QByteArray:
        return type + " 0x" + QString::fromLatin1(value.toByteArray().toHex());
    default:
        return type + ' ' + value.toString();
    }
}

QString typedWidget(const QVariant &held)
{
    return held.isValid() ? typed(held) : QStringLiteral("no widget");
}

// "GROUP.MEMBER" for every member a group refers to that is not the device's record of that key.
QStringList danglingMembers(KVDeviceInterface *device)
{
    QStringList dangling;
    for (const QByteArray &key : device->dynamicPropertyNames()) {
        KVDeviceProperty *group = device->property_ptr(key.constData());
        if (!group)
            continue;
        for (const QByteArray &member : group->dynamicPropertyNames()) {
            KVDeviceProperty *held = group->property_ptr(member.constData());
            if (held && held != device->property_ptr(member.constData()))
                dangling.append(QString::fromLatin1(key + '.' + member));
        }
    }
    return dangling;
}

int leadingBlanks(const QString &text)
{
    int count = 0;
    while (count < text.size() && text.at(count) == QLatin1Char(' '))
        ++count;
    return count;
}

QList<KVDeviceProperty *> groupMembers(KVDeviceInterface *device)
{
    QList<KVDeviceProperty *> members;
    for (const QByteArray &key : device->dynamicPropertyNames()) {
        if (KVDeviceProperty *group = device->property_ptr(key.constData())) {
            for (const QByteArray &member : group->dynamicPropertyNames()) {
                if (KVDeviceProperty *held = group->property_ptr(member.constData()))
                    members.append(held);
            }
        }
    }
    return members;
}

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_Catalogue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void creationOrder_data();
    void creationOrder();
    void record_data();
    void record();
    void modelKeyListsForTheHost();

    void buildersIgnoreMissingDevice();
    void rebuildLeavesNoDanglingMemberAndNoLeak_data();
    void rebuildLeavesNoDanglingMemberAndNoLeak();

    void everyTextHasTranslations_data();
    void everyTextHasTranslations();

private:
    void verifyRecord(KVDeviceInterface *device, const Row &row, const QDateTime &from,
                      const QDateTime &to);

    QTranslator english;
    QTranslator japanese;
};

void tst_Catalogue::initTestCase()
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    QVERIFY2(english.load(QStringLiteral("KV-RV520MAXCam_en_US.qm"), folder), qPrintable(folder));
    QVERIFY2(japanese.load(QStringLiteral("KV-RV520MAXCam_ja_JP.qm"), folder), qPrintable(folder));
}

void tst_Catalogue::creationOrder_data()
{
    QTest::addColumn<QString>("name");
    for (const Catalogue &c : catalogues())
        QTest::newRow(qPrintable(c.name)) << c.name;
}

// The device's keys are exactly the table's, in creation order: no key missing, none extra.
void tst_Catalogue::creationOrder()
{
    QFETCH(QString, name);
    const Catalogue c = catalogue(name);
    QStringList expected;
    for (const Row &row : c.rows)
        expected.append(QString::fromLatin1(row.key));

    Device device = c.make();
    QCOMPARE(names(device->dynamicPropertyNames()), expected);
}

void tst_Catalogue::record_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Row>("row");
    for (const Catalogue &c : catalogues()) {
        for (const Row &row : c.rows)
            QTest::addRow("%s %s", qPrintable(c.name), row.key.constData()) << c.name << row;
    }
}

void tst_Catalogue::record()
{
    QFETCH(QString, name);
    QFETCH(Row, row);
    const QDateTime from = QDateTime::currentDateTime();
    Device device = catalogue(name).make();
    const QDateTime to = QDateTime::currentDateTime();
    verifyRecord(device.get(), row, from, to);
}

void tst_Catalogue::verifyRecord(KVDeviceInterface *device, const Row &row, const QDateTime &from,
                                 const QDateTime &to)
{
    KVDeviceProperty *record = device->property_ptr(row.key.constData());
    QVERIFY(record);
    QCOMPARE(record->label(), row.label);
    QCOMPARE(record->uint(), row.unit);
    if (row.value.typeId() == QMetaType::QDateTime) {
        QCOMPARE(record->value().typeId(), QMetaType::QDateTime);
        const QDateTime created = record->value().toDateTime();
        QVERIFY2(created >= from && created <= to, qPrintable(created.toString(Qt::ISODateWithMs)));
    } else {
        QCOMPARE(typed(record->value()), typed(row.value));
    }
    QCOMPARE(record->get_cmd_int(), row.get);
    QCOMPARE(record->set_cmd_int(), row.set);
    QCOMPARE(record->cmd_len(), row.len);
    QCOMPARE(record->cmd_type(), row.type);
    QCOMPARE(QStringList(record->param()), row.params);
    QCOMPARE(typedWidget(record->property("WIDGET")),
             row.widget.isEmpty() ? QStringLiteral("no widget") : typed(row.widget));

    // A record carries "WIDGET" and, for a group, its members in the group's attachment order.
    QStringList ownProperties = row.attachment;
    if (row.attachment.isEmpty() && !row.widget.isEmpty())
        ownProperties = QStringList{ "WIDGET" };
    QCOMPARE(names(record->dynamicPropertyNames()), ownProperties);
    for (const QString &member : row.attachment) {
        if (member == QLatin1String("WIDGET"))
            continue;
        const QByteArray key = member.toLatin1();
        QVERIFY2(record->property_ptr(key.constData()), key.constData());
        QCOMPARE(record->property_ptr(key.constData()), device->property_ptr(key.constData()));
    }
}

void tst_Catalogue::modelKeyListsForTheHost()
{
    Device device = modelDevice();
    QCOMPARE(device->userProperty(),
             (QStringList{ "WORK_MODE", "PRESSURE", "SPEED", "CAMERA_OFFSET", "SCALE" }));
    const QStringList system{ "DEVICE_MODEL_NAME", "FIRMWARE", "DEVICE_ID", "PCB_ID", "PCB_VERSION" };
    QCOMPARE(device->sysProperty(), system);
    for (const QString &key : system)
        QVERIFY2(device->property_ptr(key.toLatin1().constData()), qPrintable(key));
}

// The builders are public members a host may call with any pointer it holds.
void tst_Catalogue::buildersIgnoreMissingDevice()
{
    KVCommonInterface builder;
    for (const BuilderTable &table : BuilderTables)
        (builder.*table.builder)(nullptr);
    QVERIFY(builder.dynamicPropertyNames().isEmpty());
    QVERIFY(builder.children().isEmpty());
}

void tst_Catalogue::rebuildLeavesNoDanglingMemberAndNoLeak_data()
{
    QTest::addColumn<bool>("onModel");
    QTest::addColumn<QStringList>("builders");

    QTest::newRow("camera_offset_583 on the model") << true << QStringList{ "camera_offset_583" };
    QTest::newRow("init583 on the model") << true << QStringList{ "init583" };
    QTest::newRow("info_583 on the model") << true << QStringList{ "info_583" };
    QTest::newRow("sp1_261 twice") << false << QStringList{ "sp1_261", "sp1_261" };
    QTest::newRow("sp2_261 twice") << false << QStringList{ "sp2_261", "sp2_261" };
    QTest::newRow("feed_261 twice") << false << QStringList{ "feed_261", "feed_261" };
    QTest::newRow("camera_offset_261 twice") << false << QStringList{ "camera_offset_261", "camera_offset_261" };
    QTest::newRow("camera_offset_261 then 583") << false << QStringList{ "camera_offset_261", "camera_offset_583" };
    QTest::newRow("scale_261 then 583") << false << QStringList{ "scale_261", "scale_583" };
    QTest::newRow("work_area_583 then 261") << false << QStringList{ "work_area_583", "work_area_261" };
    QTest::newRow("info_261 twice") << false << QStringList{ "info_261", "info_261" };
    QTest::newRow("move_261 twice") << false << QStringList{ "move_261", "move_261" };
}

// A builder run again rebinds its keys to new records. The records it replaces are deleted at
// once, except former group members, which stay valid until the device goes; no group is left
// referring to a record that is not the device's current one.
void tst_Catalogue::rebuildLeavesNoDanglingMemberAndNoLeak()
{
    QFETCH(bool, onModel);
    QFETCH(QStringList, builders);

    Device device = onModel ? modelDevice() : Device(new KVCommonInterface);
    auto *common = qobject_cast<KVCommonInterface *>(device.get());
    QVERIFY(common);
    const BuilderTable last = builderTable(builders.takeLast());
    for (const QString &builder : builders)
        (common->*builderTable(builder).builder)(common);

    struct Old { QByteArray key; QPointer<KVDeviceProperty> record; bool member; };
    QList<Old> old;
    const QList<KVDeviceProperty *> members = groupMembers(common);
    for (const QByteArray &key : common->dynamicPropertyNames()) {
        KVDeviceProperty *record = common->property_ptr(key.constData());
        old.append({ key, record, members.contains(record) });
    }

    const QDateTime from = QDateTime::currentDateTime();
    (common->*last.builder)(common);
    const QDateTime to = QDateTime::currentDateTime();

    QCOMPARE(danglingMembers(common), QStringList());
    for (const Row &row : last.rows) {
        verifyRecord(common, row, from, to);
        if (QTest::currentTestFailed())
            return;
    }
    for (const Old &o : old) {
        const bool stillAttached = common->property_ptr(o.key.constData()) == o.record;
        QVERIFY2(!o.record.isNull() == (stillAttached || o.member), o.key.constData());
    }

    QList<QPointer<KVDeviceProperty>> everything;
    for (const Old &o : old)
        everything.append(o.record);
    for (const QByteArray &key : common->dynamicPropertyNames())
        everything.append(common->property_ptr(key.constData()));
    device.reset();
    for (const QPointer<KVDeviceProperty> &record : everything)
        QVERIFY(record.isNull());
}

void tst_Catalogue::everyTextHasTranslations_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QString>("source");

    QList<QPair<QByteArray, QString>> texts = {
        { "KVDeviceInterface", "USB" },
        { "KVDeviceInterface", "TCP" },
        { "KVCommonInterface", "USB 地址" },
        { "KVCommonInterface", "IP 地址" },
        { "KVCommonInterface", "当前任务" },
        { "KVCommonInterface", "份" },
        { "KVCommonInterface", "秒" },
    };
    for (const Catalogue &c : catalogues()) {
        for (const Row &row : c.rows) {
            QStringList sources = row.widget.value(QStringLiteral("option")).toString().split(';');
            sources.append(row.label);
            for (const QString &source : sources) {
                const QPair<QByteArray, QString> text{ row.context, source };
                if (!source.isEmpty() && !texts.contains(text))
                    texts.append(text);
            }
        }
    }
    for (const auto &text : texts)
        QTest::addRow("%s %s", text.first.constData(), qPrintable(text.second)) << text.first << text.second;
}

// Both languages translate every text; an option keeps its leading blanks, which the host's
// combo box shows as an indent.
void tst_Catalogue::everyTextHasTranslations()
{
    QFETCH(QByteArray, context);
    QFETCH(QString, source);
    const QByteArray utf8 = source.toUtf8();
    for (const QTranslator *translator : { &english, &japanese }) {
        const QString translated = translator->translate(context.constData(), utf8.constData());
        QVERIFY2(!translated.trimmed().isEmpty(), qPrintable(translator->language()));
        QCOMPARE(leadingBlanks(translated), leadingBlanks(source));
    }
}

QTEST_GUILESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
