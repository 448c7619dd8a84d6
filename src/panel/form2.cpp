#include "panel/form2.h"

#include "clock/clock.h"
#include "controls/stationcontrols.h"
#include "panel/bands.h"
#include "panel/focusorder.h"
#include "panel/functions.h"
#include "panel/menuaccessible.h"
#include "panel/menus.h"
#include "panel/modes.h"
#include "panel/panelcanvas.h"
#include "panel/panelkeys.h"
#include "panel/quickmemory.h"
#include "panel/radiopicture.h"
#include "panel/safenavigation.h"
#include "panel/selectiongroup.h"
#include "panel/systemreset.h"
#include "session/cues.h"
#include "ui/announcer.h"
#include "ui/captions.h"
#include "ui/pictures.h"
#include "ui/placement.h"
#include "ui/splash.h"
#include "ui/version.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {
constexpr QSize clientSize(598, 432);

// The client area: teal under a sky picture drawn from the top-left corner
// and cut off at the window's edge. The picture is kept as decoded (a palette
// picture, a byte a pixel) and only the part the window shows.
class SkyCanvas : public QWidget {
public:
    explicit SkyCanvas(QWidget* parent)
        : QWidget(parent),
          m_sky(loadPicture(QStringLiteral(":/pictures/sky.png")).copy(QRect(QPoint(), clientSize)))
    {
        setObjectName(QStringLiteral("Canvas"));
        setFixedSize(clientSize);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRect area = event->rect();
        painter.fillRect(area, QColor(0, 128, 128));
        painter.drawImage(area.topLeft(), m_sky, area);
    }

private:
    QImage m_sky;
};
} // namespace

Form2::Form2(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kenwood Quillard Version ") + QLatin1String(Version::Shown));
    auto* canvas = new SkyCanvas(this);
    setCentralWidget(canvas);
    buildControls(canvas);
    installMenuItemAccessibility();
    buildMenus(this, m_port, m_context);
    bindKeys(this, panelKeys());
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        announceMenuTitle(menu, this);
    if (auto* help = menuBar()->findChild<QMenu*>(QStringLiteral("Help")))
        SafeNavigation::instance().addMenuItem(help);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The radio's answers are never used: whatever it sent is thrown away
    // each time the transmit buffer has emptied.
    connect(&m_link, &RadioLink::commEvent, this, [this] { m_link.drainInput(); });
}

Form2::~Form2() = default;

void Form2::buildControls(QWidget* canvas)
{
    m_selection = new SelectionGroup(this);
    PanelCanvas controls(canvas, *m_selection);
    // Every action says what it sent, over the control that has the focus;
    // the front panel picture keeps the record.
    m_context.told = [this](const QString& words, const SentRecord& record, QWidget* from) {
        announce(from, words);
        if (auto* picture = findChild<RadioPicture*>(QStringLiteral("Picture1")))
            picture->showLastSent(record.brief(), record.summary());
    };
    buildBandControls(m_context, controls);
    buildQuickMemories(m_context, controls);
    buildModeControls(m_context, controls);
    buildFunctionControls(m_context, controls);
    buildSystemReset(m_context, controls);
    controls.fitCaptions();
    controls.describeByFrame();
    m_firstFocus = static_cast<QAbstractButton*>(controls.chainFocus(panelFocusNames()));
}

namespace {
QPointer<Splash> showSplash()
{
    QPointer<Splash> splash = new Splash;
    splash->show();
    return splash;
}

// Lets the splash reach the screen before the panel is built: the event loop
// runs until its first paint, for a moment at most.
void waitForFirstPaint(Splash* splash)
{
    class PaintWatch : public QObject {
    public:
        QEventLoop loop;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, &loop, &QEventLoop::quit);
            return false;
        }
    } watch;
    splash->installEventFilter(&watch);
    QTimer::singleShot(300, &watch.loop, &QEventLoop::quit);
    watch.loop.exec();
    splash->removeEventFilter(&watch);
}
} // namespace

std::unique_ptr<Form2> Form2::load()
{
    QPointer<Splash> splash = showSplash();
    const qint64 shownNs = Clock::current().nowNs();
    waitForFirstPaint(splash);
    auto main = std::make_unique<Form2>();
    main->finishLoad(splash, shownNs);
    return main;
}

void Form2::Form_Load()
{
    finishLoad(showSplash(), Clock::current().nowNs());
}

void Form2::finishLoad(QPointer<Splash> splash, qint64 splashShownNs)
{
    m_context.carryOut(Station::load(m_context.station()));
    m_port.readSettings();
    m_context.carryOut(Station::useModel(m_context.station(), m_port.model()));
    // The first wait counts from the splash's showing, the panel's building included.
    WaitSeconds(std::max(0.0, 2.0 - (Clock::current().nowNs() - splashShownNs) / 1e9));
    PlayCue(QString::fromLatin1(Cue::Online));
    WaitSeconds(2);
    if (splash) {
        splash->close();
        // Closed outside any handler of its own, so it can go now rather than
        // whenever the event loop next deletes things.
        delete splash.data();
    }
    // Open at the end of the last run: open again, where it was.
    if (StationControls::rememberedOpen())
        m_reopenStationControls = true;
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
        // handler absorbs that one selection (Station::chooseVfoA). It is marked
        // here rather than left to the window's activation, which some window
        // systems deliver late or never: otherwise the operator's first real
        // "VFO A" would be the one swallowed.
        m_firstFocus->setFocus(Qt::OtherFocusReason);
        if (!m_firstFocus->isChecked())
            m_firstFocus->setChecked(true);
        // Beside the panel, which keeps the keyboard.
        if (m_reopenStationControls)
            StationControls::showFor(m_context, this, StationControls::Keyboard::Leave);
    }
}

void Form2::closeEvent(QCloseEvent* event)
{
    // Unloading the main window ends the program at once, silently: the
    // operator's exit sequence first, when there is one.
    m_sequences->sendExitSequence();
    m_link.closeLink();
    event->accept();
    QCoreApplication::quit();
}
