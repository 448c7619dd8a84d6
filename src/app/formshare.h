#pragma once

// How one port reaches the radio, chosen without a terminal: over its serial
// port (with or without RTS/CTS handshaking), or through rigctld or flrig at
// a host and TCP port. Opened from the Communication Settings window for the
// port chosen there; writes <settings folder>/comN.conf on Save. The window
// also says which radio is on the port (a TS-570D or a TS-570S, which adds
// the 6 m band), as comN.conf's model=.
//
// Data flow: comN.conf -> readPortRoute() -> the controls -> Save ->
// writePortRoute(). "Test the connection" asks the daemon a question it
// answers itself (DaemonProbe); nothing reaches the radio. When rigctld on
// this computer does not answer, the window offers to start it for the
// port's serial device with the exact command shown, left running for the
// other programs.

#include "session/portroute.h"

#include <QWidget>

class DaemonProbe;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class FormShare : public QWidget {
    Q_OBJECT

public:
    FormShare(int port, const QString& baud, QWidget* parent = nullptr);

    // Test the connection (cmdTest).
    void cmdTest_Click();
    // Save (cmdSave): checks the choice, writes comN.conf, closes.
    void cmdSave_Click();

private:
    PortRoute::Via chosenVia() const;
    // The route the controls describe; false after telling the operator what
    // to correct.
    bool routeFromControls(PortRoute& route);
    void onViaChosen();
    void showResult(const QString& text);
    void onProbed(bool answered, const QString& sentence);
    void offerToStartRigctld(const QString& sentence);

    int m_port;
    QString m_baud;
    QRadioButton* m_serial;
    QRadioButton* m_rigctld;
    QRadioButton* m_flrig;
    QCheckBox* m_handshake;
    QLineEdit* m_host;
    QLineEdit* m_tcpPort;
    QComboBox* m_model;
    QLabel* m_result;
    DaemonProbe* m_probe;
};
