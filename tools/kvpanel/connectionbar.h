#ifndef KVPANEL_CONNECTIONBAR_H
#define KVPANEL_CONNECTIONBAR_H

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Where the device is (a TCP address and port, a USB device path, or the simulator in this
// process), the Connect button and the link state.
class ConnectionBar : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Tcp, Usb, Simulator };
    Q_ENUM(Kind)

    explicit ConnectionBar(QWidget *parent = nullptr);

    Kind kind() const;
    void setKind(Kind kind);
    QString address() const;
    int port() const;
    // Shows the address actually used (the simulator's loopback port).
    void showTarget(const QString &address, int port);
    // `status`: the device's link state; `message`: its last link report.
    void showState(const QString &status, const QString &message, bool canConnect);

Q_SIGNALS:
    void connectRequested();

private:
    void adaptToKind();

    QComboBox *m_kind;
    QLineEdit *m_address;
    QSpinBox *m_port;
    QPushButton *m_connect;
    QLabel *m_state;
};

#endif // KVPANEL_CONNECTIONBAR_H
