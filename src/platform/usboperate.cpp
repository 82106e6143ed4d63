#include "usboperate.h"

#include "descriptorio.h"
#include "kvlogging.h"

#include <QFile>
#include <QPointer>
#include <QSerialPort>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One read of a character device is at most this much; a device that never runs dry (or a
// FIFO written as fast as it is read) gives the event loop a turn between bursts.
constexpr qsizetype ReadBurst = 256 * 1024;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The group that owns the device file, which the user needs to be a member of.
QString owningGroup(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    const struct group *entry = ::getgrgid(info.st_gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(info.st_gid);
}

QString missingDeviceHint(const QString &path)
{
    return QStringLiteral("%1 does not exist: is the plotter plugged in and switched on? USB serial "
                          "adapters appear as /dev/ttyUSB*, CDC-ACM devices as /dev/ttyACM*, "
                          "printer-class devices as /dev/usb/lp*").arg(path);
}

QString permissionHint(const QString &path)
{
    const QString group = owningGroup(path);
    return QStringLiteral("no permission to open %1 (group %2): add the user to that group "
                          "(sudo usermod -aG %2 $USER, then log in again; usually dialout for serial "
                          "devices, lp for printer-class devices) or install a udev rule that gives "
                          "the device mode 0660 and a group the user is in")
        .arg(path, group.isEmpty() ? QStringLiteral("?") : group);
}

// Why opening failed, with what to do about it, from an errno value.
QString openFailure(const QString &path, int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return missingDeviceHint(path);
    case EACCES:
    case EPERM:
        return permissionHint(path);
    default:
        return QStringLiteral("cannot open %1: %2").arg(path, systemError(error));
    }
}

} // namespace

class UsbOperate::Private
{
public:
    explicit Private(UsbOperate *owner) : q(owner) {}

    UsbOperate *q;
    QString path;
    quint64 attempt = 0; // an open still queued for an older attempt is ignored
    bool open = false;

    // Serial backend.
    QSerialPort *serial = nullptr;

    // Character-device backend.
    int fd = -1;
    KVDescriptorIO::Watch watch;
    QList<QByteArray> unwritten; // in order, the first from unwrittenOffset on
    qsizetype unwrittenOffset = 0;
    bool reportingWritten = false;

    void openDevice(ConnectionMode mode);
    bool openSerial();
    void startCharacterDevice(int descriptor);
    void fail(const QString &reason);
    void connected(const char *backend);
    void lost(const QString &reason);
    bool teardown();

    void readCharacterDevice();
    void writeCharacterDevice();
    void reportWritten(qint64 bytes);
    void hand(const QByteArray &bytes, const char *operation);
};

void UsbOperate::Private::openDevice(ConnectionMode mode)
{
    const QByteArray native = QFile::encodeName(path);
    if (mode == SerialPort) {
        if (openSerial())
            connected("serial port");
        return;
    }
    struct stat info;
    if (::stat(native.constData(), &info) != 0) {
        fail(openFailure(path, errno));
        return;
    }
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode)) {
        fail(QStringLiteral("%1 is not a device").arg(path));
        return;
    }
    const int descriptor = ::open(native.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        fail(openFailure(path, errno));
        return;
    }
    if (mode == AutoDetect && ::isatty(descriptor)) {
        ::close(descriptor);
        if (openSerial())
            connected("serial port");
        return;
    }
    startCharacterDevice(descriptor);
    connected("character device");
}

bool UsbOperate::Private::openSerial()
{
    serial = new QSerialPort(q);
    serial->setPortName(path);
    if (!serial->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = serial->error();
        const QString reason = error == QSerialPort::DeviceNotFoundError ? missingDeviceHint(path)
                             : error == QSerialPort::PermissionError     ? permissionHint(path)
                                                                         : serial->errorString();
        delete serial;
        serial = nullptr;
        fail(reason);
        return false;
    }
    // The plotter's USB serial side ignores the line settings; these match its documented
    // default for adapters that do not.
    serial->setBaudRate(QSerialPort::Baud115200);
    serial->setDataBits(QSerialPort::Data8);
    serial->setParity(QSerialPort::NoParity);
    serial->setStopBits(QSerialPort::OneStop);
    serial->setFlowControl(QSerialPort::NoFlowControl);
    QObject::connect(serial, &QSerialPort::readyRead, q, [this] {
        const QByteArray bytes = serial->readAll();
        if (!bytes.isEmpty())
            Q_EMIT q->readData(bytes);
    });
    QObject::connect(serial, &QSerialPort::bytesWritten, q, &UsbOperate::bytesWritten);
    QObject::connect(serial, &QSerialPort::errorOccurred, q, [this](QSerialPort::SerialPortError error) {
        // A hang-up or an unplugged adapter shows as a resource error, or as a read error with
        // the line already gone.
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
            lost(serial->errorString());
    });
    return true;
}

void UsbOperate::Private::startCharacterDevice(int descriptor)
{
    fd = descriptor;
    watch.start(fd, q, [this] { readCharacterDevice(); }, [this] { writeCharacterDevice(); });
}

void UsbOperate::Private::connected(const char *backend)
{
    open = true;
    qCDebug(lcKvDevice) << "UsbOperate::usbConnect" << path << "open as" << backend;
    Q_EMIT q->statusChanged(Connected);
}

void UsbOperate::Private::fail(const QString &reason)
{
    qCWarning(lcKvDevice).noquote() << "UsbOperate::usbConnect" << reason;
    Q_EMIT q->statusChanged(Failed);
}

void UsbOperate::Private::lost(const QString &reason)
{
    if (!open)
        return;
    qCWarning(lcKvDevice).noquote() << "UsbOperate::readData" << path << "went away:" << reason;
    teardown();
    Q_EMIT q->statusChanged(Disconnected);
}

// Releases whatever is open, without reporting; returns whether something was open.
bool UsbOperate::Private::teardown()
{
    const bool wasOpen = open;
    open = false;
    if (serial) {
        serial->disconnect(q);
        serial->close();
        serial->deleteLater(); // teardown may run inside one of its own signals
        serial = nullptr;
    }
    watch.stop();
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    unwritten.clear();
    unwrittenOffset = 0;
    return wasOpen;
}

void UsbOperate::Private::readCharacterDevice()
{
    QByteArray bytes;
    int error = 0;
    const KVDescriptorIO::ReadEnd end = KVDescriptorIO::readAvailable(fd, bytes, ReadBurst, &error);
    const QPointer<UsbOperate> alive(q);
    if (!bytes.isEmpty())
        Q_EMIT q->readData(bytes);
    if (!alive)
        return;
    if (end == KVDescriptorIO::ReadEnd::EndOfData)
        lost(QStringLiteral("end of data"));
    else if (end == KVDescriptorIO::ReadEnd::Failed)
        lost(systemError(error));
}

void UsbOperate::Private::writeCharacterDevice()
{
    qint64 taken = 0;
    while (!unwritten.isEmpty()) {
        int error = 0;
        const qsizetype before = unwrittenOffset;
        const KVDescriptorIO::WriteEnd end = KVDescriptorIO::writeAvailable(fd, unwritten.first(), unwrittenOffset, &error);
        taken += unwrittenOffset - before;
        if (end == KVDescriptorIO::WriteEnd::Failed) {
            lost(error ? systemError(error) : QStringLiteral("the device takes no more data"));
            return;
        }
        if (end == KVDescriptorIO::WriteEnd::Full)
            break;
        unwritten.removeFirst();
        unwrittenOffset = 0;
    }
    watch.setWriting(!unwritten.isEmpty()); // the rest goes when the device takes more
    reportWritten(taken);
}

void UsbOperate::Private::reportWritten(qint64 bytes)
{
    if (bytes == 0 || reportingWritten)
        return;
    const QPointer<UsbOperate> alive(q);
    reportingWritten = true;
    Q_EMIT q->bytesWritten(bytes);
    if (alive)
        reportingWritten = false;
}

void UsbOperate::Private::hand(const QByteArray &bytes, const char *operation)
{
    if (!open) {
        qCWarning(lcKvDevice) << operation << "no device open," << bytes.size() << "bytes dropped";
        return;
    }
    Q_EMIT q->writeData(bytes);
    if (serial) {
        serial->write(bytes); // QSerialPort keeps what the line does not take at once
        return;
    }
    unwritten.append(bytes);
    writeCharacterDevice();
}

UsbOperate::UsbOperate(QObject *parent)
    : QObject(parent),
      d(new Private(this))
{
}

UsbOperate::~UsbOperate()
{
    d->teardown();
    delete d;
}

void UsbOperate::usbConnect(QString path, ConnectionMode mode, bool flag)
{
    Q_UNUSED(flag)
    close();
    d->path = path;
    const quint64 attempt = ++d->attempt;
    qCDebug(lcKvDevice) << "UsbOperate::usbConnect" << path << mode;
    QMetaObject::invokeMethod(this, [this, attempt, mode] {
        if (attempt == d->attempt)
            d->openDevice(mode);
    }, Qt::QueuedConnection);
}

void UsbOperate::send(QString data)
{
    d->hand(data.toUtf8(), "UsbOperate::send");
}

void UsbOperate::write(const QByteArray &bytes)
{
    d->hand(bytes, "UsbOperate::write");
}

void UsbOperate::close()
{
    ++d->attempt;
    if (d->teardown()) {
        qCDebug(lcKvDevice) << "UsbOperate::close" << d->path;
        Q_EMIT statusChanged(Disconnected);
    }
}

bool UsbOperate::isOpen() const
{
    return d->open;
}
