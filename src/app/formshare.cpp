#include "app/formshare.h"

#include "platform/platform.h"
#include "radio/daemonfaults.h"
#include "radio/daemonprobe.h"
#include "ui/messagebox.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace {
struct ViaChoice {
    const char* name;
    const char* caption;
    PortRoute::Via via;
};
constexpr std::array<ViaChoice, 3> viaChoices = {{
    {"optSerial", "&Serial port", PortRoute::Via::Serial},
    {"optRigctld", "&rigctld (Hamlib NET rigctl)", PortRoute::Via::Rigctld},
    {"optFlrig", "&flrig", PortRoute::Via::Flrig},
}};

bool isThisComputer(const QString& host)
{
    return host == QLatin1String("127.0.0.1") || host == QLatin1String("localhost") ||
           host == QLatin1String("::1");
}
} // namespace

FormShare::FormShare(int port, const QString& baud, QWidget* parent)
    : QWidget(parent, Qt::Window), m_port(port), m_baud(baud), m_probe(new DaemonProbe(this))
{
    setObjectName(QStringLiteral("FormShare"));
    setWindowTitle(QStringLiteral("How Com%1 reaches the radio").arg(port));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);

    auto* layout = new QVBoxLayout(this);
    std::array<QRadioButton*, 3> options{};
    for (size_t i = 0; i < viaChoices.size(); ++i) {
        options[i] = new QRadioButton(QString::fromLatin1(viaChoices[i].caption), this);
        options[i]->setObjectName(QString::fromLatin1(viaChoices[i].name));
        layout->addWidget(options[i]);
        connect(options[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                onViaChosen();
        });
    }
    m_serial = options[0];
    m_rigctld = options[1];
    m_flrig = options[2];

    auto* fields = new QFormLayout;
    m_model = new QComboBox(this);
    m_model->setObjectName(QStringLiteral("cboModel"));
    m_model->setAccessibleName(QStringLiteral("Radio model"));
    for (const RadioModel model : {RadioModel::TS570D, RadioModel::TS570S})
        m_model->addItem(modelName(model), int(model));
    m_model->setItemData(1, QStringLiteral("Adds the 6 m band"), Qt::ToolTipRole);
    fields->addRow(QStringLiteral("Radio &model:"), m_model);
    m_handshake =
        new QCheckBox(QStringLiteral("RTS/CTS &handshake (off for a three-wire cable)"), this);
    m_handshake->setObjectName(QStringLiteral("chkHandshake"));
    fields->addRow(m_handshake);
    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("txtHost"));
    fields->addRow(QStringLiteral("H&ost:"), m_host);
    m_tcpPort = new QLineEdit(this);
    m_tcpPort->setObjectName(QStringLiteral("txtPort"));
    fields->addRow(QStringLiteral("&TCP port:"), m_tcpPort);
    layout->addLayout(fields);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblResult"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_result);

    auto* buttons = new QHBoxLayout;
    auto* test = new QPushButton(QStringLiteral("Test the &connection"), this);
    test->setObjectName(QStringLiteral("cmdTest"));
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(test, &QPushButton::clicked, this, &FormShare::cmdTest_Click);
    connect(save, &QPushButton::clicked, this, &FormShare::cmdSave_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_probe, &DaemonProbe::finished, this, &FormShare::onProbed);

    const QString path = portRoutePath(port);
    PortRoute route = readPortRoute(path);
    if (!route.problem.isEmpty()) {
        // Shown, and the file left as it is until the operator saves.
        MessageBox::warn(this, route.problem);
        route = PortRoute{};
    }
    m_handshake->setChecked(route.hardwareHandshake);
    m_model->setCurrentIndex(m_model->findData(int(route.model)));
    m_host->setText(route.host);
    m_tcpPort->setText(route.tcpPort ? QString::number(route.tcpPort) : QString());
    for (size_t i = 0; i < viaChoices.size(); ++i)
        if (viaChoices[i].via == route.via)
            options[i]->setChecked(true);
    onViaChosen();
    // Placed as the program's other windows are, also where no window
    // manager places it.
    adjustSize();
    centreOnScreen(this);
}

PortRoute::Via FormShare::chosenVia() const
{
    if (m_rigctld->isChecked())
        return PortRoute::Via::Rigctld;
    if (m_flrig->isChecked())
        return PortRoute::Via::Flrig;
    return PortRoute::Via::Serial;
}

void FormShare::onViaChosen()
{
    const PortRoute::Via via = chosenVia();
    const bool daemon = via != PortRoute::Via::Serial;
    m_handshake->setEnabled(!daemon);
    m_host->setEnabled(daemon);
    m_tcpPort->setEnabled(daemon);
    // A port still at the other daemon's default follows the choice.
    const QString port = m_tcpPort->text().trimmed();
    if (daemon && (port.isEmpty() ||
                   port == QString::number(PortRoute::defaultTcpPort(PortRoute::Via::Rigctld)) ||
                   port == QString::number(PortRoute::defaultTcpPort(PortRoute::Via::Flrig))))
        m_tcpPort->setText(QString::number(PortRoute::defaultTcpPort(via)));
    if (daemon && m_host->text().trimmed().isEmpty())
        m_host->setText(QStringLiteral("127.0.0.1"));
    m_result->clear();
}

bool FormShare::routeFromControls(PortRoute& route)
{
    route.via = chosenVia();
    route.hardwareHandshake = m_handshake->isChecked();
    route.model = static_cast<RadioModel>(m_model->currentData().toInt());
    if (!route.throughDaemon())
        return true;
    route.host = m_host->text().trimmed();
    bool isNumber = false;
    const uint port = m_tcpPort->text().trimmed().toUInt(&isNumber);
    if (route.host.isEmpty() || route.host.contains(QLatin1Char(' '))) {
        MessageBox::inform(this, QStringLiteral("Type the host the daemon runs on: 127.0.0.1 "
                                                "for this computer."));
        return false;
    }
    if (!isNumber || port == 0 || port > 65535) {
        MessageBox::inform(this, QStringLiteral("The TCP port \"%1\" is not a port number: type "
                                                "a number from 1 to 65535 (4532 for rigctld, "
                                                "12345 for flrig).")
                                     .arg(m_tcpPort->text()));
        return false;
    }
    route.tcpPort = static_cast<quint16>(port);
    return true;
}

void FormShare::cmdTest_Click()
{
    PortRoute route;
    if (!routeFromControls(route))
        return;
    if (!route.throughDaemon()) {
        showResult(QStringLiteral("Com%1 reaches %2 directly; Quillard opens it when "
                                  "the main window is active.")
                       .arg(m_port)
                       .arg(Platform::serialDevicePath(m_port)));
        return;
    }
    showResult(QStringLiteral("Asking %1:%2 ...").arg(route.host).arg(route.tcpPort));
    m_probe->start(route.via == PortRoute::Via::Rigctld ? DaemonProbe::Daemon::Rigctld
                                                        : DaemonProbe::Daemon::Flrig,
                   route.host, route.tcpPort,
                   Platform::serialDeviceBehind(Platform::serialDevicePath(m_port)), m_baud);
}

void FormShare::showResult(const QString& text)
{
    m_result->setText(text);
    // A longer answer makes the window taller instead of being cut off.
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

void FormShare::onProbed(bool answered, const QString& sentence)
{
    showResult(sentence);
    if (!answered && chosenVia() == PortRoute::Via::Rigctld &&
        isThisComputer(m_host->text().trimmed()))
        offerToStartRigctld(sentence);
}

void FormShare::offerToStartRigctld(const QString& sentence)
{
    const QString command = DaemonFaults::rigctldCommand(
        Platform::serialDeviceBehind(Platform::serialDevicePath(m_port)), m_baud,
        static_cast<quint16>(m_tcpPort->text().trimmed().toUInt()));
    const auto answer = MessageBox::ask(
        this, MessageBox::programTitle(),
        QStringLiteral("%1\n\nStart rigctld now with this command? It keeps running for the "
                       "other programs after Quillard ends.\n\n%2")
            .arg(sentence.section(QLatin1Char('\n'), 0, 0), command),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    QStringList arguments = QProcess::splitCommand(command);
    const QString program = arguments.takeFirst();
    if (!QProcess::startDetached(program, arguments)) {
        MessageBox::warn(this, QStringLiteral("rigctld could not be started: is Hamlib's "
                                              "libhamlib-utils package installed? (sudo apt "
                                              "install libhamlib-utils)"));
        return;
    }
    showResult(QStringLiteral("rigctld started: %1").arg(command));
}

void FormShare::cmdSave_Click()
{
    PortRoute route;
    if (!routeFromControls(route))
        return;
    const QString failure = writePortRoute(route, portRoutePath(m_port));
    if (!failure.isEmpty()) {
        MessageBox::warn(this, failure + QStringLiteral(" Your choice was not saved; fix the "
                                                        "problem and press Save again."));
        return;
    }
    close();
}
