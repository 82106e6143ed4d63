#include "kvcommoninterface.h"

#include "entry.h"

using KVCatalogue::WidgetProperty;
using KVCatalogue::widget;

// Two kinds of groups. A container group (UnCMD, no value, no codes) only gathers members that
// are read and written with commands of their own. A command group (CCMD) is read and written
// as one command whose fields are its members, listed in the group's value; such members have
// no commands of their own.

// Scale is a container group in both dialects.
static void addScaleGroup(KVDeviceInterface *device)
{
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("SCALE", KVCommonInterface::tr("缩放"), QString(),
                                    widget("QGroupBox")),
        { WidgetProperty, "SCALE_X", "SCALE_Y" });
}

// Offsets of the "261" dialect are counted in steps of 0.005 mm.
static QJsonObject offsetAxis261()
{
    return widget("QDoubleSpinBox", { { "min", -1000.0 }, { "max", 1000.0 }, { "factor", 0.005 } });
}

static QJsonObject toolSpeedWidget()
{
    return widget("QSpinBox", { { "min", 10 }, { "max", 700 } });
}

static QJsonObject toolPressureWidget()
{
    return widget("QSpinBox", { { "min", 0 }, { "max", 1900 }, { "factor", 3.1666666666666665 } });
}

static QJsonObject toolAngleWidget()
{
    return widget("QSpinBox", { { "min", -360 }, { "max", 360 } });
}

void KVCommonInterface::camera_offset_261(KVDeviceInterface *device)
{
    const QJsonObject axis = offsetAxis261();
    KVCatalogue::add(device, {
        { "CAMERA_OFFSET_X", tr("x"), {}, 0u, 11, 11, 3, CMD, axis },
        { "CAMERA_OFFSET_Y", tr("y"), {}, 0u, 14, 14, 3, CMD, axis },
    });
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("CAMERA_OFFSET", tr("摄像头偏移"), QStringLiteral("(mm x mm)"),
                                    widget("QGroupBox")),
        { "CAMERA_OFFSET_X", "CAMERA_OFFSET_Y", WidgetProperty });
    KVCatalogue::add(device, { "FACTORY_SET", tr("出厂设置"), {}, 0, 0, 67, 1, CCMD });
}

void KVCommonInterface::camera_offset_583(KVDeviceInterface *device)
{
    KVCatalogue::addCameraOffset583(device, { tr("x"), tr("y"), tr("摄像头偏移") }, 16, 15);
}

void KVCommonInterface::feed_261(KVDeviceInterface *device)
{
    const QJsonObject plainSpinBox = widget("QSpinBox");
    const QString mm = QStringLiteral("mm");
    KVCatalogue::add(device, {
        { "AUTO_FEED", tr("自动送料"), {}, 0u, 134, 134, 1, CMD,
          KVCatalogue::comboBox({ tr("   关"), tr("   开") }) },
        { "FEED_MODEL", tr("送料模式"), {}, 0u, 133, 133, 1, CMD,
          KVCatalogue::comboBox({ tr("   同步送料"), tr("   异步送料") }) },
        { "FEED_LENGTH", tr("送料距离"), mm, 0u, 135, 135, 1, CMD, plainSpinBox },
        { "FEED_CENTER", tr("横梁中心距离"), mm, 0u, 136, 136, 1, CMD, plainSpinBox },
        { "FAN_DELAY", tr("气泵延时"), QStringLiteral("ms"), 0u, 137, 137, 1, CMD,
          widget("QSpinBox", { { "min", 0 }, { "max", 10000.0 } }) },
        { "FEED_SPEED", tr("送料速度"), QStringLiteral("mm/s"), 0u, 138, 138, 1, CMD, plainSpinBox },
    });
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("FEED", tr("送料"), QString(), widget("QTabWidget")),
        { WidgetProperty, "AUTO_FEED", "FEED_MODEL", "FEED_LENGTH", "FEED_CENTER", "FEED_SPEED",
          "FAN_DELAY" });
}

void KVCommonInterface::scale_261(KVDeviceInterface *device)
{
    const QJsonObject ratio = widget("QLineEdit", { { "factor", 0.0001 } });
    KVCatalogue::add(device, {
        { "SCALE_X", tr("x"), {}, 0u, 24, 24, 1, CMD, ratio },
        { "SCALE_Y", tr("y"), {}, 0u, 25, 25, 1, CMD, ratio },
    });
    addScaleGroup(device);
}

void KVCommonInterface::scale_583(KVDeviceInterface *device)
{
    const QJsonObject ratio = widget("QDoubleSpinBox", { { "min", 0 }, { "max", 200 } });
    KVCatalogue::add(device, {
        { "SCALE_X", tr("x"), {}, 1.0, 61, 20, 1, CCMD, ratio },
        { "SCALE_Y", tr("y"), {}, 1.0, 62, 21, 1, CCMD, ratio },
    });
    addScaleGroup(device);
}

void KVCommonInterface::sp1_261(KVDeviceInterface *device)
{
    KVCatalogue::add(device, {
        { "SP1_TOOL", tr("工具类型"), {}, 0u, 128, 128, 1, CMD,
          KVCatalogue::comboBox({ tr("  拖刀"), tr("  转刀") }) },
        { "SP1_SPEED", tr("速度"), QStringLiteral("(mm/s)"), 0u, 1, 1, 1, CMD, toolSpeedWidget() },
        { "SP1_PRESSURE", tr("压力"), QStringLiteral("(gf)"), 0u, 2, 2, 1, CMD, toolPressureWidget() },
        { "SP1_ANGLE", tr("转刀校准"), QStringLiteral("(°)"), 0u, 131, 131, 1, CMD, toolAngleWidget() },
    });
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("SP1", tr("SP1"), QString(), widget("QTabWidget")),
        { "SP1_TOOL", "SP1_SPEED", "SP1_PRESSURE", "SP1_ANGLE", WidgetProperty });
}

void KVCommonInterface::sp2_261(KVDeviceInterface *device)
{
    KVCatalogue::add(device, {
        { "SP2_SPEED", tr("速度"), QStringLiteral("(mm/s)"), 0u, 3, 3, 1, CMD, toolSpeedWidget() },
        { "SP2_PRESSURE", tr("压力"), QStringLiteral("(gf)"), 0u, 4, 4, 1, CMD, toolPressureWidget() },
        { "SP2_TOOL", tr("工具类型"), {}, 0u, 129, 129, 1, CMD,
          KVCatalogue::comboBox({ tr("拖刀"), tr("转刀") }) },
        { "SP2_ANGLE", tr("转刀校准"), QStringLiteral("(°)"), 0u, 132, 132, 1, CMD, toolAngleWidget() },
    });
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("SP2", tr("SP2"), QString(), widget("QTabWidget")),
        { WidgetProperty, "SP2_TOOL", "SP2_SPEED", "SP2_PRESSURE", "SP2_ANGLE" });
}

void KVCommonInterface::tool_space_261(KVDeviceInterface *device)
{
    const QJsonObject axis = offsetAxis261();
    KVCatalogue::add(device, {
        { "TOOL_SPACE_X", tr("x"), {}, 0u, 5, 5, 3, CMD, axis },
        { "TOOL_SPACE_Y", tr("y"), {}, 0u, 8, 8, 3, CMD, axis },
    });
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("TOOL_SPACE", tr("工具偏移"), QStringLiteral("(mm x mm)"),
                                    widget("QGroupBox")),
        { WidgetProperty, "TOOL_SPACE_X", "TOOL_SPACE_Y" });
}

void KVCommonInterface::work_area_261(KVDeviceInterface *device)
{
    const QJsonObject length = widget("QLineEdit", { { "factor", 0.5 } });
    KVCatalogue::add(device, {
        { "WORKAREA_X", tr("x"), {}, 0u, 28, 28, 1, CMD, length },
        { "WORKAREA_Y", tr("y"), {}, 0u, 29, 29, 1, CMD, length },
    });
    KVCatalogue::addGroup(device,
        KVCatalogue::containerGroup("WORKAREA", tr("幅宽"), QStringLiteral("(mm x mm)"),
                                    widget("QGroupBox")),
        { WidgetProperty, "WORKAREA_X", "WORKAREA_Y" });
}

void KVCommonInterface::work_area_583(KVDeviceInterface *device)
{
    const QJsonObject length = widget("QDoubleSpinBox", { { "min", 10 }, { "max", 10000 } });
    KVCatalogue::add(device, {
        { "WORKAREA_X", tr("x"), {}, 0.0, 0, 0, 0, UnCMD, length },
        { "WORKAREA_Y", tr("y"), {}, 0.0, 0, 0, 0, UnCMD, length },
    });
    KVCatalogue::addGroup(device,
        { "WORKAREA", tr("幅宽"), QStringLiteral("(mm x mm)"),
          KVCatalogue::memberKeys({ "WORKAREA_X", "WORKAREA_Y" }), 63, 22, 1, CCMD,
          widget("QGroupBox") },
        { WidgetProperty, "WORKAREA_X", "WORKAREA_Y" });
}

void KVCommonInterface::move_261(KVDeviceInterface *device)
{
    KVCatalogue::add(device, {
        { "MOVE_X", tr("X 移动"), {}, 0, 82, 82, 1, CMD },
        { "MOVE_Y", tr("Y 移动"), {}, 0, 83, 83, 1, CMD },
    });
}
