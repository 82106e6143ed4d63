#include "jogpad.h"

#include "kvdeviceinterface.h"

#include <QGridLayout>
#include <QPushButton>

JogPad::JogPad(KVDeviceInterface *device, QWidget *parent)
    : QGroupBox(tr("Jog"), parent), m_device(device)
{
    setObjectName(QStringLiteral("jogPad"));
    // The device's first axis runs across the pad, the second up and down.
    auto *grid = new QGridLayout(this);
    grid->addWidget(addButton("\u25B2 2+", "jogSecondPlus", 0, 1), 0, 1);
    grid->addWidget(addButton("\u25C0 1\u2212", "jogFirstMinus", -1, 0), 1, 0);
    grid->addWidget(addButton("1+ \u25B6", "jogFirstPlus", 1, 0), 1, 2);
    grid->addWidget(addButton("\u25BC 2\u2212", "jogSecondMinus", 0, -1), 2, 1);
    setConnected(false);
}

QPushButton *JogPad::addButton(const char *text, const char *name, int first, int second)
{
    auto *button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, [this, first, second] { m_device->move(first, second); });
    m_buttons << button;
    return button;
}

void JogPad::setConnected(bool connected)
{
    for (QPushButton *button : std::as_const(m_buttons))
        button->setEnabled(connected);
}
