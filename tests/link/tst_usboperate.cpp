// UsbOperate against real pseudo-terminals (the serial path) and FIFOs (the plain character
// device path).

#include "simpty.h"
#include "usboperate.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <memory>
#include <sys/stat.h>

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
    void sendWhileClosedIsDropped();
    void onlyTheLatestAttemptReports();

private:
    void openOnPty();
    QByteArray readMaster(qsizetype size);

    std::unique_ptr<KvSimPty> pty;
    std::unique_ptr<UsbOperate> usb;
    std::unique_ptr<QSignalSpy> status;
    std::unique_ptr<QSignalSpy> data;
    QByteArray fromUsb;
};

void TestUsbOperate::init()
{
    pty = std::make_unique<KvSimPty>();
    QVERIFY(pty->open());
    usb = std::make_unique<UsbOperate>();
    status = std::make_unique<QSignalSpy>(usb.get(), &UsbOperate::statusChanged);
    data = std::make_unique<QSignalSpy>(usb.get(), &UsbOperate::readData);
    fromUsb.clear();
    connect(pty.get(), &KvSimPty::received, this, [this](const QByteArray &bytes) { fromUsb += bytes; });
}

void TestUsbOperate::cleanup()
{
    data.reset();
    status.reset();
    usb.reset();
    pty.reset();
}

void TestUsbOperate::openOnPty()
{
    usb->usbConnect(pty->slavePath(), UsbOperate::AutoDetect, false);
    QTRY_COMPARE(status->size(), 1);
    QCOMPARE(status->at(0).at(0).toInt(), int(UsbOperate::Connected));
    QVERIFY(usb->isOpen());
}

// The open never blocks the caller; bytes from the device come as they are, text goes out as
// UTF-8.
void TestUsbOperate::exchangesBytesWithAPseudoTerminal()
{
    usb->usbConnect(pty->slavePath(), UsbOperate::AutoDetect, false);
    QCOMPARE(status->size(), 0);
    QVERIFY(status->wait());
    QCOMPARE(status->at(0).at(0).toInt(), int(UsbOperate::Connected));
    const QByteArray fromDevice = QByteArray("\x02" "16;CCMD;7,0,0,300;\x03") + QByteArray(3000, 'x');
    pty->write(fromDevice);
    QByteArray all;
    QTRY_VERIFY((all = [this] {
                    QByteArray bytes;
                    for (const QList<QVariant> &chunk : std::as_const(*data))
                        bytes += chunk.at(0).toByteArray();
                    return bytes;
                }()).size() >= fromDevice.size());
    QCOMPARE(all, fromDevice);
    usb->send(QStringLiteral("\x02" "15;PPLT;名称;\x03"));
    QTRY_COMPARE(fromUsb, QStringLiteral("\x02" "15;PPLT;名称;\x03").toUtf8());
}

void TestUsbOperate::reconnectsOnTheSameObject()
{
    openOnPty();
    KvSimPty second;
    QVERIFY(second.open());
    QByteArray atSecond;
    connect(&second, &KvSimPty::received, this, [&atSecond](const QByteArray &bytes) { atSecond += bytes; });

    usb->usbConnect(second.slavePath(), UsbOperate::AutoDetect, false);
    QCOMPARE(status->size(), 2); // closing the first line is reported at once ...
    QCOMPARE(status->at(1).at(0).toInt(), int(UsbOperate::Disconnected));
    QTRY_COMPARE(status->size(), 3); // ... opening the second one later
    QCOMPARE(status->at(2).at(0).toInt(), int(UsbOperate::Connected));

    usb->send(QStringLiteral("ping"));
    QTRY_COMPARE(atSecond, QByteArray("ping"));
    QCOMPARE(fromUsb, QByteArray());
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
    QTRY_COMPARE(status->size(), 1);
    QCOMPARE(status->at(0).at(0).toInt(), int(UsbOperate::Connected));

    QString text;
    for (int i = 0; text.size() < 1024 * 1024; ++i)
        text += QString::number(i) + QLatin1Char(';');
    QByteArray back;
    connect(usb.get(), &UsbOperate::readData, this, [&back](const QByteArray &bytes) { back += bytes; });
    QSignalSpy written(usb.get(), &UsbOperate::bytesWritten);
    const QByteArray tail = QByteArray(300 * 1000, '\xff') + "end";
    usb->send(text);
    usb->write(tail);
    QTRY_COMPARE_WITH_TIMEOUT(back.size(), text.size() + tail.size(), 10000);
    QVERIFY(back == text.toUtf8() + tail);
    qint64 total = 0;
    for (const QList<QVariant> &report : std::as_const(written))
        total += report.at(0).toLongLong();
    QCOMPARE(total, back.size());
}

void TestUsbOperate::lineEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("reported");
    QTest::newRow("closed") << QStringLiteral("close") << true;
    QTest::newRow("hung up") << QStringLiteral("hang up") << true;
    QTest::newRow("transport deleted") << QStringLiteral("delete") << false;
}

// Disconnected is reported once, and never from the destructor.
void TestUsbOperate::lineEnds()
{
    QFETCH(QString, how);
    QFETCH(bool, reported);
    openOnPty();
    if (how == QLatin1String("close")) {
        usb->close();
    } else if (how == QLatin1String("hang up")) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("went away")));
        pty->hangUp();
    } else {
        usb.reset();
    }
    QTRY_COMPARE(status->size(), reported ? 2 : 1);
    if (!reported)
        return;
    QCOMPARE(status->at(1).at(0).toInt(), int(UsbOperate::Disconnected));
    QVERIFY(!usb->isOpen());
    usb->close(); // closing what is closed reports nothing
    QCOMPARE(status->size(), 2);
}

void TestUsbOperate::failsToOpen_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("logged");
    QTest::newRow("missing device") << QStringLiteral("/dev/kv-no-such-plotter") << QStringLiteral("does not exist");
    QTest::newRow("regular file") << QStringLiteral("<a temporary file>") << QStringLiteral("is not a device");
    QTest::newRow("directory") << QStringLiteral("/tmp") << QStringLiteral("is not a device");
}

void TestUsbOperate::failsToOpen()
{
    QFETCH(QString, path);
    QFETCH(QString, logged);
    QTemporaryFile file;
    QVERIFY(file.open());
    if (path == QLatin1String("<a temporary file>"))
        path = file.fileName();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
    usb->usbConnect(path, UsbOperate::AutoDetect, false);
    QVERIFY(status->wait());
    QCOMPARE(status->at(0).at(0).toInt(), int(UsbOperate::Failed));
    QVERIFY(!usb->isOpen());
}

void TestUsbOperate::sendWhileClosedIsDropped()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no device open")));
    usb->send(QStringLiteral("lost"));
    openOnPty();
    usb->send(QStringLiteral("kept"));
    QTRY_COMPARE(fromUsb, QByteArray("kept"));
}

void TestUsbOperate::onlyTheLatestAttemptReports()
{
    usb->usbConnect(QStringLiteral("/dev/kv-no-such-plotter"), UsbOperate::AutoDetect, false);
    usb->usbConnect(pty->slavePath(), UsbOperate::AutoDetect, false);
    QVERIFY(status->wait());
    QCoreApplication::processEvents(); // the first attempt's open was queued before the second
    QCOMPARE(status->size(), 1);
    QCOMPARE(status->at(0).at(0).toInt(), int(UsbOperate::Connected));
}

QTEST_GUILESS_MAIN(TestUsbOperate)
#include "tst_usboperate.moc"
