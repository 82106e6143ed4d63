#include "interrupt.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};
int pipeEnds[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}
} // namespace

Interrupt::Interrupt(QObject *parent)
    : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &Interrupt::readPipe);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A closed terminal (SIGHUP) leaves the plotter as alone as Ctrl-C does.
    for (const int signal : StopSignals)
        sigaction(signal, &action, nullptr);
}

Interrupt::~Interrupt()
{
    for (const int signal : StopSignals)
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    for (int &end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void Interrupt::readPipe()
{
    char buffer[16];
    while (::read(pipeEnds[0], buffer, sizeof buffer) > 0) {
    }
    m_happened = true;
    Q_EMIT requested();
}
