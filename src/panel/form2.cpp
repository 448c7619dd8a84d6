#include "panel/form2.h"

#include "app/cues.h"
#include "app/messagebox.h"
#include "app/splash.h"
#include "app/wait.h"
#include "panel/bands.h"
#include "panel/focusorder.h"
#include "panel/functions.h"
#include "panel/menus.h"
#include "panel/modes.h"
#include "panel/panelframe.h"
#include "panel/quickmemory.h"
#include "panel/selectiongroup.h"
#include "panel/systemreset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace {
constexpr QSize clientSize(598, 432);

// The client area: teal under a sky picture drawn from the top-left corner
// and cut off at the window's edge.
class SkyCanvas : public QWidget {
public:
    explicit SkyCanvas(QWidget* parent)
        : QWidget(parent), m_sky(QStringLiteral(":/pictures/sky.png"))
    {
        setObjectName(QStringLiteral("Canvas"));
        setFixedSize(clientSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 128, 128));
        painter.drawPixmap(0, 0, m_sky);
    }

private:
    QPixmap m_sky;
};
} // namespace

Form2::Form2(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kenwood Quillard Version 1.02"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/quillard-icon.png")));
    auto* canvas = new SkyCanvas(this);
    setCentralWidget(canvas);
    buildControls(canvas);
    buildMenus(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(&m_link, &SerialLink::problem, this,
            [this](const QString& message) { MessageBox::warn(this, message); });
    // The radio's answers are never used: whatever it sent is thrown away
    // each time the transmit buffer has emptied.
    connect(&m_link, &SerialLink::commEvent, this, [this] { m_link.drainInput(); });
    // Read here as well as in the load sequence, so a panel that is built and
    // shown without the splash and its waits still addresses the configured port.
    readSettings();
}

Form2::~Form2() = default;

void Form2::buildControls(QWidget* canvas)
{
    m_selection = new SelectionGroup(this);
    // Frames first, so that the controls created afterwards lie over them.
    for (const FrameSpec& frame : panelFrames)
        new PanelFrame(frame, canvas);
    buildBandControls(*this, canvas);
    buildQuickMemories(*this, canvas);
    buildModeControls(*this, canvas);
    buildFunctionControls(*this, canvas);
    buildSystemReset(*this, canvas);
    applyFocusOrder(canvas);
}

void Form2::SendCommand(const CatCommand& command)
{
    m_link.sendCommand(command);
}

void Form2::setHandler(const QString& controlName, std::function<void()> handler)
{
    m_handlers.insert(controlName, std::move(handler));
}

void Form2::runHandler(const QString& controlName)
{
    const auto handler = m_handlers.constFind(controlName);
    Q_ASSERT_X(handler != m_handlers.constEnd(), "Form2::runHandler", "no such control");
    if (handler != m_handlers.constEnd())
        (*handler)();
}

void Form2::readSettings()
{
    const SettingsRead read = readSettingsFile();
    m_comm = read.settings.Comm;
    m_baud = read.settings.Baud;
    m_settingsFileProblem = read.problem;
}

void Form2::Form_Load()
{
    StartupFlag = 1;
    readSettings();

    QPointer<Splash> splash = new Splash;
    splash->show();
    WaitSeconds(2);
    PlayCue(QString::fromLatin1(Cue::Online));
    WaitSeconds(2);
    if (splash)
        splash->close();
}

void Form2::Form_Activate()
{
    if (m_link.isOpen())
        return;
    if (!m_settingsFileProblem.isEmpty()) {
        // A damaged settings file is reported once; commands then say why they
        // were not sent. Nothing is written to the operator's file.
        m_link.configure({m_comm, m_baud});
        if (!m_settingsFileProblemShown) {
            m_settingsFileProblemShown = true;
            MessageBox::warn(this, m_settingsFileProblem);
        }
        return;
    }
    m_link.openLink({m_comm, m_baud});
}

void Form2::Exit_Click()
{
    close();
}

void Form2::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Form2::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    if (!m_shownBefore) {
        m_shownBefore = true;
        // The first showing puts the focus on "VFO A", which marks it; its
        // handler absorbs that one selection through StartupFlag. It is marked
        // here rather than left to the window's activation, which some window
        // systems deliver late or never: otherwise the operator's first real
        // "VFO A" would be the one swallowed.
        auto* vfoA = centralWidget()->findChild<QAbstractButton*>(QStringLiteral("Option6"));
        vfoA->setFocus(Qt::OtherFocusReason);
        if (!vfoA->isChecked())
            vfoA->setChecked(true);
    }
}

void Form2::closeEvent(QCloseEvent* event)
{
    // Unloading the main window ends the program at once, silently.
    m_link.closeLink();
    event->accept();
    QCoreApplication::quit();
}
