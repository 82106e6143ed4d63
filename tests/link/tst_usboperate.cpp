// UsbOperate against real pseudo-terminals (the serial path) and FIFOs (the plain character
// device path).

#include "simpty.h"
#include "usboperate.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using Reports = QList<int>;

class TestUsbOperate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void exchangesBytesWithAPseudoTerminal();
    void reconnectsOnTheSameObject();
    void characterDeviceLoopsLargeWritesBack();
    void lineEnds_data();
    void lineEnds();
    void failsToOpen_data();
    void failsToOpen();
    void onlyTheLatestAttemptReports();

private:
    void openOnPty();

    std::unique_ptr<KvSimPty> pty;
    std::unique_ptr<UsbOperate> usb;
    Reports reports;    // statusChanged
    QByteArray atHost;  // readData
    QByteArray atPty;   // what the device end received
};

void TestUsbOperate::init()
{
    pty = std::make_unique<KvSimPty>();
    QVERIFY(pty->open());
    usb = std::make_unique<UsbOperate>();
    reports.clear();
    atHost.clear();
    atPty.clear();
    connect(usb.get(), &UsbOperate::statusChanged, this, [this](int status) { reports.append(status); });
    connect(usb.get(), &UsbOperate::readData, this, [this](const QByteArray &bytes) { atHost += bytes; });
    connect(pty.get(), &KvSimPty::received, this, [this](const QByteArray &bytes) { atPty += bytes; });
}

void TestUsbOperate::cleanup()
{
    usb.reset();
    pty.reset();
}

void TestUsbOperate::openOnPty()
{
    usb->usbConnect(pty->slavePath(), UsbOperate::AutoDetect, false);
    QCOMPARE(reports, Reports()); // the caller is never blocked by the open
    QTRY_COMPARE(reports, Reports{ UsbOperate::Connected });
    QVERIFY(usb->isOpen());
}

// What is sent while no line is open is dropped; bytes from the device come as they are; text
// goes out as UTF-8.
void TestUsbOperate::exchangesBytesWithAPseudoTerminal()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no device open")));
    usb->send(QStringLiteral("lost"));
    openOnPty();
    const QByteArray fromDevice = QByteArray("\x02" "16;CCMD;7,0,0,300;\x03") + QByteArray(3000, 'x');
    pty->write(fromDevice);
    QTRY_COMPARE(atHost, fromDevice);
    usb->send(QStringLiteral("\x02" "15;PPLT;名称;\x03"));
    QTRY_COMPARE(atPty, QStringLiteral("\x02" "15;PPLT;名称;\x03").toUtf8());
}

void TestUsbOperate::reconnectsOnTheSameObject()
{
    openOnPty();
    KvSimPty second;
    QVERIFY(second.open());
    QByteArray atSecond;
    connect(&second, &KvSimPty::received, this, [&atSecond](const QByteArray &bytes) { atSecond += bytes; });

    usb->usbConnect(second.slavePath(), UsbOperate::AutoDetect, false);
    // Closing the first line is reported at once, opening the second one later.
    QCOMPARE(reports, (Reports{ UsbOperate::Connected, UsbOperate::Disconnected }));
    QTRY_COMPARE(reports, (Reports{ UsbOperate::Connected, UsbOperate::Disconnected, UsbOperate::Connected }));
    usb->send(QStringLiteral("ping"));
    QTRY_COMPARE(atSecond, QByteArray("ping"));
    QCOMPARE(atPty, QByteArray());
}

// A FIFO is no terminal, so it takes the plain character-device path; opened for reading and
// writing, what is sent comes back. 1 MiB is far beyond the pipe's buffer, so the write has to
// be continued as the pipe drains; bytes written after the text follow it unchanged, and
// bytesWritten accounts for every byte.
void TestUsbOperate::characterDeviceLoopsLargeWritesBack()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("lp0"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    usb->usbConnect(fifo, UsbOperate::AutoDetect, false);
    QTRY_COMPARE(reports, Reports{ UsbOperate::Connected });

    QString text;
    for (int i = 0; text.size() < 1024 * 1024; ++i)
        text += QString::number(i) + QLatin1Char(';');
    QSignalSpy written(usb.get(), &UsbOperate::bytesWritten);
    const QByteArray tail = QByteArray(300 * 1000, '\xff') + "end";
    usb->send(text);
    usb->write(tail);
    QTRY_COMPARE_WITH_TIMEOUT(atHost.size(), text.size() + tail.size(), 10000);
    QVERIFY(atHost == text.toUtf8() + tail);
    qint64 total = 0;
    for (const QList<QVariant> &report : std::as_const(written))
        total += report.at(0).toLongLong();
    QCOMPARE(total, atHost.size());
}

void TestUsbOperate::lineEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<Reports>("expected");
    QTest::newRow("closed") << QStringLiteral("close") << Reports{ UsbOperate::Connected, UsbOperate::Disconnected };
    QTest::newRow("hung up") << QStringLiteral("hang up") << Reports{ UsbOperate::Connected, UsbOperate::Disconnected };
    QTest::newRow("transport deleted") << QStringLiteral("delete") << Reports{ UsbOperate::Connected };
}

// Disconnected is reported once, and never from the destructor.
void TestUsbOperate::lineEnds()
{
    QFETCH(QString, how);
    QFETCH(Reports, expected);
    openOnPty();
    if (how == QLatin1String("close")) {
        usb->close();
    } else if (how == QLatin1String("hang up")) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("went away")));
        pty->hangUp();
    } else {
        usb.reset();
    }
    QTRY_COMPARE(reports, expected);
    if (!usb)
        return;
    QVERIFY(!usb->isOpen());
    usb->close(); // closing what is closed reports nothing
    QCOMPARE(reports, expected);
}

void TestUsbOperate::failsToOpen_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("logged");
    QTest::newRow("missing device") << QStringLiteral("/dev/kv-no-such-plotter") << QStringLiteral("does not exist");
    QTest::newRow("regular file") << QString() << QStringLiteral("is not a device");
    QTest::newRow("directory") << QStringLiteral("/tmp") << QStringLiteral("is not a device");
}

void TestUsbOperate::failsToOpen()
{
    QFETCH(QString, path);
    QFETCH(QString, logged);
    QTemporaryFile file;
    QVERIFY(file.open());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
    usb->usbConnect(path.isEmpty() ? file.fileName() : path, UsbOperate::AutoDetect, false);
    QTRY_COMPARE(reports, Reports{ UsbOperate::Failed });
    QVERIFY(!usb->isOpen());
}

void TestUsbOperate::onlyTheLatestAttemptReports()
{
    usb->usbConnect(QStringLiteral("/dev/kv-no-such-plotter"), UsbOperate::AutoDetect, false);
    openOnPty();
    QCoreApplication::processEvents(); // the first attempt's open was queued before the second
    QCOMPARE(reports, Reports{ UsbOperate::Connected });
}

QTEST_GUILESS_MAIN(TestUsbOperate)
#include "tst_usboperate.moc"
