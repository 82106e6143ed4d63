// The language of a model device's labels under the system locale this process was started
// with (LC_ALL). KV_EXPECTED_LANGUAGE is the language the device should choose ("" for the
// Chinese source texts) and KV_EXPECTED_TEXTS the language its labels should come out in:
// "zh_CN" (source texts), "en_US" or "ja_JP".
#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>
#include <QTest>

#include <memory>

class tst_Language : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void deviceChoosesLanguageFromSystemLocale();
    void texts_data();
    void texts();

private:
    QString expectedTexts;
    std::unique_ptr<KVRV520MAXCam> root;
    std::unique_ptr<KVDeviceInterface> device;
};

void tst_Language::initTestCase()
{
    QVERIFY(qEnvironmentVariableIsSet("KV_EXPECTED_LANGUAGE"));
    expectedTexts = qEnvironmentVariable("KV_EXPECTED_TEXTS");
    QVERIFY(QStringList({ "zh_CN", "en_US", "ja_JP" }).contains(expectedTexts));
    // Translated texts can only come from the folder beside the executable.
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    if (expectedTexts != QLatin1String("zh_CN"))
        QVERIFY2(folder.exists(), qPrintable(folder.path()));
}

void tst_Language::init()
{
    root = std::make_unique<KVRV520MAXCam>();
    device.reset(root->initInstance());
}

void tst_Language::cleanup()
{
    device.reset();
    root.reset();
}

void tst_Language::deviceChoosesLanguageFromSystemLocale()
{
    const QString expected = qEnvironmentVariable("KV_EXPECTED_LANGUAGE");
    QCOMPARE(root->currentLanguage(), expected);
    QCOMPARE(qobject_cast<KVCommonInterface *>(device.get())->currentLanguage(), expected);
}

void tst_Language::texts_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("zh_CN");
    QTest::addColumn<QString>("en_US");
    QTest::addColumn<QString>("ja_JP");

    // Labels of the model's own records (context KVRV520MAXCam) and of the family builders
    // (context KVCommonInterface), translated units, option texts with their indent, and texts
    // that are never translated.
    const auto row = [](const char *name, const char *key, const char *field, const char *zh, const char *en,
                        const char *ja) { QTest::newRow(name) << QByteArray(key) << field << zh << en << ja; };
    row("TASK label", "TASK", "label", "当前任务", "Current job", "現在のジョブ");
    row("PRESSURE label", "PRESSURE", "label", "压力", "Pressure", "圧力");
    row("CAMERA_OFFSET label", "CAMERA_OFFSET", "label", "摄像头偏移", "Camera offset", "カメラオフセット");
    row("SET_MARK label", "SET_MARK", "label", "设置标记点类型", "Registration mark type", "トンボの種類設定");
    row("WORK_MODE label", "WORK_MODE", "label", "切割质量", "Cut quality", "切断品質");
    row("FIRMWARE label", "FIRMWARE", "label", "固件版本", "Firmware version", "ファームウェアバージョン");
    row("TASK_COPIES unit", "TASK_COPIES", "unit", "份", "copies", "部");
    row("WORK_MODE options", "WORK_MODE", "option", "   速度优先;   平衡;   精度优先",
        "   Speed first;   Balanced;   Precision first", "   速度優先;   バランス;   精度優先");
    row("SPEED unit", "SPEED", "unit", "(mm/s)", "(mm/s)", "(mm/s)");
    row("LAST_TIME label", "LAST_TIME", "label", "", "", "");
}

void tst_Language::texts()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, field);
    QFETCH(QString, zh_CN);
    QFETCH(QString, en_US);
    QFETCH(QString, ja_JP);
    const QMap<QString, QString> inLanguage{ { "zh_CN", zh_CN }, { "en_US", en_US }, { "ja_JP", ja_JP } };

    KVDeviceProperty *record = device->property_ptr(key.constData());
    QVERIFY(record);
    QString shown;
    if (field == QLatin1String("label"))
        shown = record->label();
    else if (field == QLatin1String("unit"))
        shown = record->uint();
    else
        shown = record->property("WIDGET").toJsonObject().value(QStringLiteral("option")).toString();

    QCOMPARE(shown, inLanguage.value(expectedTexts));
}

QTEST_GUILESS_MAIN(tst_Language)
#include "tst_language.moc"
