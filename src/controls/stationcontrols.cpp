#include "controls/stationcontrols.h"

#include "controls/section.h"
#include "controls/sectionlist.h"
#include "controls/stationcontext.h"
#include "session/programsettings.h"
#include "ui/placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#define QUILLARD_DECLARE_SECTION(name) extern const Section name;
QUILLARD_STATION_SECTIONS(QUILLARD_DECLARE_SECTION)
#undef QUILLARD_DECLARE_SECTION

namespace {
#define QUILLARD_PLACE_SECTION(name) &name,
const std::array sections = {QUILLARD_STATION_SECTIONS(QUILLARD_PLACE_SECTION)};
#undef QUILLARD_PLACE_SECTION

const QString openKey = QStringLiteral("StationControls/open");
const QString geometryKey = QStringLiteral("StationControls/geometry");
} // namespace

StationControls::StationControls(StationContext& context, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("StationControls"));
    setWindowTitle(QStringLiteral("Station Controls"));
    // The sections scroll: all of them are taller than a small screen.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("StationControlsContent"));
    auto* layout = new QVBoxLayout(content);
    for (const Section* section : sections) {
        auto* box = new QGroupBox(QString::fromLatin1(section->title), content);
        box->setObjectName(QString::fromLatin1(section->name));
        box->setAccessibleName(QString::fromLatin1(section->title));
        layout->addWidget(box);
        section->build(box, context);
    }
    layout->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("StationControlsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control, the view following; the area itself
    // is no stop on the way.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // The keyboard brings the view along: a shortcut or Tab to a control out of
    // sight scrolls it into sight.
    connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now && scroll->widget()->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });
    // Every section in sight where the screen has room; as tall as it allows
    // where it has not, with room for the scroll bar beside the sections.
    const QSize whole = content->sizeHint();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    const QRect screen = availableScreenArea(mainWindow ? mainWindow : this);
    // Before it is shown the window knows nothing of the borders and title
    // bar it gets: room for them as the style has them.
    const int border = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + border;
    QSize size = whole;
    if (screen.isValid() && whole.height() > screen.height() - titleBar) {
        size.setHeight(screen.height() - titleBar);
        size.rwidth() += bar;
    }
    resize(size);
    bindKeys(this, keys());
}

StationControls::~StationControls()
{
    // The program ends with the window open: it opens again next time, here.
    if (isVisible())
        keepPlace();
}

StationControls* StationControls::showFor(StationContext& context, QWidget* mainWindow,
                                          Keyboard keyboard)
{
    auto* window = mainWindow->findChild<StationControls*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new StationControls(context, mainWindow);
        const QByteArray geometry = programSettings().value(geometryKey).toByteArray();
        if (geometry.isEmpty() || !window->restoreGeometry(geometry))
            window->placeBeside(mainWindow);
    }
    window->setAttribute(Qt::WA_ShowWithoutActivating, keyboard == Keyboard::Leave);
    window->show();
    window->raise();
    if (keyboard == Keyboard::Take)
        window->activateWindow();
    programSettings().setValue(openKey, true);
    return window;
}

bool StationControls::rememberedOpen()
{
    return programSettings().value(openKey, false).toBool();
}

QList<KeyBinding> StationControls::keys()
{
    QList<KeyBinding> all;
    for (const Section* section : sections)
        all << section->keys();
    return all;
}

void StationControls::closeEvent(QCloseEvent* event)
{
    keepPlace();
    programSettings().setValue(openKey, false);
    QWidget::closeEvent(event);
}

void StationControls::placeBeside(QWidget* mainWindow)
{
    const QRect screen = availableScreenArea(mainWindow);
    const QRect main = mainWindow->frameGeometry();
    const QPoint right(main.right() + 8, main.top());
    if (screen.contains(QRect(right, frameGeometry().size())))
        move(right);
    else if (screen.isValid())
        // At the screen's right edge, over as little of the main window as
        // the screen allows.
        move(std::max(screen.left(),
                      screen.right() + 1 - width() -
                          2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this)),
             screen.top());
}

void StationControls::keepPlace()
{
    programSettings().setValue(geometryKey, saveGeometry());
}
