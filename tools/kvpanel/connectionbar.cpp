#include "connectionbar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
constexpr int DefaultPort = 9100;
}

ConnectionBar::ConnectionBar(QWidget *parent)
    : QWidget(parent),
      m_kind(new QComboBox),
      m_address(new QLineEdit),
      m_port(new QSpinBox),
      m_connect(new QPushButton(tr("Connect"))),
      m_state(new QLabel)
{
    setObjectName(QStringLiteral("connectionBar"));
    m_kind->setObjectName(QStringLiteral("linkKind"));
    m_kind->addItem(QStringLiteral("TCP"), Tcp);
    m_kind->addItem(QStringLiteral("USB"), Usb);
    m_kind->addItem(tr("Simulator"), Simulator);
    m_address->setObjectName(QStringLiteral("address"));
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setRange(1, 65535);
    m_port->setValue(DefaultPort);
    m_connect->setObjectName(QStringLiteral("connectButton"));
    m_state->setObjectName(QStringLiteral("linkState"));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(tr("Link")));
    layout->addWidget(m_kind);
    layout->addWidget(m_address, 2);
    layout->addWidget(new QLabel(tr("Port")));
    layout->addWidget(m_port);
    layout->addWidget(m_connect);
    layout->addWidget(m_state, 3);

    connect(m_kind, &QComboBox::currentIndexChanged, this, &ConnectionBar::adaptToKind);
    connect(m_connect, &QPushButton::clicked, this, &ConnectionBar::connectRequested);
    connect(m_address, &QLineEdit::returnPressed, this, &ConnectionBar::connectRequested);
    adaptToKind();
}

ConnectionBar::Kind ConnectionBar::kind() const
{
    return Kind(m_kind->currentData().toInt());
}

void ConnectionBar::setKind(Kind kind)
{
    m_kind->setCurrentIndex(m_kind->findData(kind));
}

QString ConnectionBar::address() const
{
    return m_address->text().trimmed();
}

int ConnectionBar::port() const
{
    return m_port->value();
}

void ConnectionBar::showTarget(const QString &address, int port)
{
    m_address->setText(address);
    m_port->setValue(port);
}

void ConnectionBar::showState(const QString &status, const QString &message, bool canConnect)
{
    m_state->setText(message.isEmpty() ? status : QStringLiteral("%1 \u2014 %2").arg(status, message));
    m_connect->setEnabled(canConnect);
    m_kind->setEnabled(canConnect);
}

void ConnectionBar::adaptToKind()
{
    const Kind current = kind();
    m_address->setEnabled(current != Simulator);
    m_port->setEnabled(current == Tcp);
    m_address->setPlaceholderText(current == Usb ? tr("USB device, e.g. /dev/ttyACM0")
                                                 : tr("IP address or host name"));
}
