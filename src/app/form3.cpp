#include "app/form3.h"

#include "platform/platform.h"
#include "session/settings.h"
#include "ui/look.h"
#include "ui/messagebox.h"
#include "ui/selectonfocus.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include <array>

namespace {
// One option button: its name, caption, what it chooses, and where it sits in its frame.
struct Choice {
    const char* name;
    const char* caption;
    int row;
    int column;
};

constexpr std::array<Choice, 4> ports = {{
    {"Com1", "Com1", 0, 0},
    {"Com2", "Com2", 1, 0},
    {"Com3", "Com3", 2, 0},
    {"Com4", "Com4", 3, 0},
}};

constexpr std::array<Choice, 8> bauds = {{
    {"Baud3", "300", 0, 0},
    {"Baud6", "600", 1, 0},
    {"Baud12", "1200", 2, 0},
    {"Baud24", "2400", 3, 0},
    {"Baud48", "4800", 0, 1},
    {"Baud96", "9600", 1, 1},
    {"Option1", "19200", 2, 1},
    {"Option2", "38400", 3, 1},
}};

// Keyboard focus order of the window.
constexpr std::array<const char*, 13> focusOrder = {
    "Com2",  "Com3",   "Com4",   "Com1",   "Option2", "Option1", "Baud3",
    "Baud6", "Baud12", "Baud24", "Baud48", "Baud96",  "Command1"};

constexpr int rowHeight = 24;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// What Linux knows of the device a port reaches, as the end of a sentence.
QString hardwareOf(const QString& device)
{
    switch (Platform::serialHardware(device)) {
    case Platform::SerialHardware::Missing:
        return QStringLiteral("which does not exist on this computer");
    case Platform::SerialHardware::NoUart:
        return QStringLiteral("a built-in serial port with no hardware behind it (Linux found no "
                              "UART)");
    case Platform::SerialHardware::Uart:
        return QStringLiteral("a built-in serial port (Linux found a UART behind it)");
    case Platform::SerialHardware::Other:
        break;
    }
    return Platform::deviceKind(device) == Platform::DeviceKind::NotADevice
               ? QStringLiteral("which is not a serial device")
               : QStringLiteral("a serial device");
}
} // namespace

namespace {
// The window is where the program starts and waits for the operator's
// choice: announced as a dialog, not as a plain container.
QAccessibleInterface* settingsWindowAsDialog(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<Form3*>(object))
        return new QAccessibleWidget(window, QAccessible::Dialog);
    return nullptr;
}
} // namespace

QString portReachDescription(int number)
{
    const QString device = Platform::serialDevicePath(number);
    const QFileInfo link(device);
    QString text;
    // The operator's comN link; a device node that is itself a link (as udev
    // makes some) is just the device.
    if (device == Platform::serialLinkPath(number) && link.isSymLink()) {
        const QString target = link.symLinkTarget();
        const QString behind = Platform::serialDeviceBehind(device);
        text = QStringLiteral("Com%1 reaches %2, a link to %3")
                   .arg(QString::number(number), shown(device), shown(target));
        if (behind != device && behind != target)
            text += QStringLiteral(" (now %1)").arg(shown(behind));
        text += QStringLiteral(", ") + hardwareOf(device) + QLatin1Char('.');
    } else {
        text = QStringLiteral("Com%1 reaches %2, %3.")
                   .arg(QString::number(number), shown(device), hardwareOf(device));
    }
    const Platform::SerialHardware hardware = Platform::serialHardware(device);
    if (hardware != Platform::SerialHardware::Missing &&
        hardware != Platform::SerialHardware::NoUart)
        return text;
    QStringList adapters;
    for (const Platform::SerialAdapter& adapter : Platform::serialAdapters())
        adapters << QStringLiteral("%1 (now %2)").arg(adapter.name, shown(adapter.device));
    if (!adapters.isEmpty())
        return text + QStringLiteral(" USB serial adapters plugged in: %1. When Com%2 cannot be "
                                     "opened, Quillard offers to link it to one of them.")
                          .arg(adapters.join(QStringLiteral(", ")), QString::number(number));
    const QString advice = Platform::serialRelinkAdvice(number);
    if (advice.isEmpty())
        return text;
    return text + QStringLiteral(" For a USB serial cable, ") + advice + QLatin1Char('.');
}

QString firstRunMessage()
{
    return QStringLiteral("Thanks for trying Quillard! Press OK to configure. To Re-Configure, "
                          "simply delete the qd.cfg file.");
}

Form3::Form3(QWidget* parent) : QWidget(parent)
{
    static const bool announced = [] {
        QAccessible::installFactory(settingsWindowAsDialog);
        return true;
    }();
    Q_UNUSED(announced);
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Communication Settings"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(300, 170);

    auto* portFrame = new QGroupBox(QStringLiteral("&Com Port"), this);
    portFrame->setObjectName(QStringLiteral("Frame1"));
    portFrame->setGeometry(10, 10, 80, 120);
    auto* baudFrame = new QGroupBox(QStringLiteral("&Baud Rate"), this);
    baudFrame->setObjectName(QStringLiteral("Frame2"));
    baudFrame->setGeometry(100, 10, 190, 120);

    QHash<QString, QWidget*> controls;
    auto addChoices = [&controls](QGroupBox* frame, const auto& table, int columnWidth,
                                  auto&& onChosen) {
        for (const Choice& choice : table) {
            auto* button = new QRadioButton(QString::fromLatin1(choice.caption), frame);
            button->setObjectName(QString::fromLatin1(choice.name));
            controls.insert(button->objectName(), button);
            button->setGeometry(12 + choice.column * columnWidth, 22 + choice.row * rowHeight,
                                columnWidth - 8, rowHeight - 2);
            selectOnFocus(button);
            QObject::connect(button, &QRadioButton::toggled, frame,
                             [onChosen, caption = choice.caption](bool on) {
                                 if (on)
                                     onChosen(QString::fromLatin1(caption));
                             });
        }
    };
    addChoices(portFrame, ports, 64,
               [this](const QString& caption) { m_chosenComm = caption.mid(3); });
    // Each port says which device it reaches, where the operator chooses it.
    for (int number = 1; number <= int(ports.size()); ++number) {
        QWidget* option = controls.value(QStringLiteral("Com%1").arg(number));
        const QString reach = portReachDescription(number);
        option->setToolTip(reach);
        option->setAccessibleDescription(reach);
    }
    addChoices(baudFrame, bauds, 88, [this](const QString& caption) { m_chosenBaud = caption; });

    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("Command1"));
    save->setGeometry(110, 136, 80, 26);
    fitCaptions(findChildren<QRadioButton*>());
    fitCaptions(QList<QWidget*>{portFrame, baudFrame});
    fitCaption(save);
    connect(save, &QPushButton::clicked, this, &Form3::Command1_Click);
    controls.insert(save->objectName(), save);

    QWidget* previous = nullptr;
    for (const char* name : focusOrder) {
        QWidget* widget = controls.value(QString::fromLatin1(name));
        Q_ASSERT_X(widget, "Form3", "a control in the focus order is missing");
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    // An interface made while the window was being created took it for a plain one.
    if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(this);
        early && early->role() != QAccessible::Dialog)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
    m_firstFocus =
        static_cast<QAbstractButton*>(controls.value(QString::fromLatin1(focusOrder[0])));
    m_firstFocus->setFocus();
}

void Form3::Command1_Click()
{
    const bool noPort = m_chosenComm.isEmpty();
    const bool noBaud = m_chosenBaud.isEmpty();
    if (noPort)
        MessageBox::inform(this, QStringLiteral("You must choose a Comport Setting!"));
    if (noBaud)
        MessageBox::inform(this, QStringLiteral("You must choose a Baud Rate!"));
    if (noPort || noBaud)
        return;
    const QString failure = writeSettingsFile({m_chosenComm, m_chosenBaud});
    if (!failure.isEmpty()) {
        MessageBox::warn(this, failure + QStringLiteral(" Your choice was not saved; fix the "
                                                        "problem and press Save again."));
        return;
    }
    emit saved();
}

void Form3::handOver()
{
    m_handedOver = true;
    close();
}

void Form3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    centreOnScreen(this);
    activateWindow();
    // The first focus lands on Com2 and selects it. Some window managers hand
    // out the focus late or not at all, so make sure of the result here.
    m_firstFocus->setFocus(Qt::ActiveWindowFocusReason);
    if (!m_firstFocus->isChecked())
        m_firstFocus->setChecked(true);
}

void Form3::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Closed without saving: there is nothing to go on to, so the program ends.
    if (!m_handedOver)
        QCoreApplication::quit();
}
