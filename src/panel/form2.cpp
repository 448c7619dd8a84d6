#include "panel/form2.h"

#include "app/clock.h"
#include "app/cues.h"
#include "app/look.h"
#include "app/splash.h"
#include "app/version.h"
#include "panel/bands.h"
#include "panel/focusorder.h"
#include "panel/functions.h"
#include "panel/menus.h"
#include "panel/modes.h"
#include "panel/panelcanvas.h"
#include "panel/quickmemory.h"
#include "panel/selectiongroup.h"
#include "panel/systemreset.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QPainter>
#include <QPointer>

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
    setWindowTitle(QStringLiteral("Kenwood Quillard Version %1.%2%3")
                       .arg(Version::Major)
                       .arg(Version::Minor)
                       .arg(Version::Revision));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/quillard-icon.png")));
    auto* canvas = new SkyCanvas(this);
    setCentralWidget(canvas);
    buildControls(canvas);
    buildMenus(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The radio's answers are never used: whatever it sent is thrown away
    // each time the transmit buffer has emptied.
    connect(&m_link, &SerialLink::commEvent, this, [this] { m_link.drainInput(); });
}

Form2::~Form2() = default;

void Form2::buildControls(QWidget* canvas)
{
    m_selection = new SelectionGroup(this);
    PanelCanvas controls(canvas, *m_selection);
    buildBandControls(m_context, controls);
    buildQuickMemories(m_context, controls);
    buildModeControls(m_context, controls);
    buildFunctionControls(m_context, controls);
    buildSystemReset(m_context, controls);
    controls.fitCaptions();
    controls.describeByFrame();
    m_firstFocus = static_cast<QAbstractButton*>(controls.chainFocus(panelFocusNames()));
}

void Form2::Form_Load()
{
    m_state.StartupFlag = 1;
    m_port.readSettings();

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
    m_port.activate();
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
    if (!event->spontaneous())
        centreOnScreen(this);
    if (!m_shownBefore) {
        m_shownBefore = true;
        // The first showing puts the focus on "VFO A", which marks it; its
        // handler absorbs that one selection through StartupFlag. It is marked
        // here rather than left to the window's activation, which some window
        // systems deliver late or never: otherwise the operator's first real
        // "VFO A" would be the one swallowed.
        m_firstFocus->setFocus(Qt::OtherFocusReason);
        if (!m_firstFocus->isChecked())
            m_firstFocus->setChecked(true);
    }
}

void Form2::closeEvent(QCloseEvent* event)
{
    // Unloading the main window ends the program at once, silently.
    m_link.closeLink();
    event->accept();
    QCoreApplication::quit();
}
