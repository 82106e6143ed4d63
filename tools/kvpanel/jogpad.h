#ifndef KVPANEL_JOGPAD_H
#define KVPANEL_JOGPAD_H

#include <QGroupBox>

class KVDeviceInterface;
class QPushButton;

// Moves the head one step per click along either axis.
class JogPad : public QGroupBox
{
    Q_OBJECT
public:
    explicit JogPad(KVDeviceInterface *device, QWidget *parent = nullptr);

    void setConnected(bool connected);

private:
    QPushButton *addButton(const char *text, const char *name, int first, int second);

    KVDeviceInterface *m_device;
    QList<QPushButton *> m_buttons;
};

#endif // KVPANEL_JOGPAD_H
