#include "controls/stationcontrols.h"

#include "controls/section.h"
#include "controls/sectionlist.h"
#include "controls/stationcontext.h"
#include "session/programsettings.h"
#include "ui/placement.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QVBoxLayout>

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
    auto* layout = new QVBoxLayout(this);
    for (const Section* section : sections) {
        auto* box = new QGroupBox(QString::fromLatin1(section->title), this);
        box->setObjectName(QString::fromLatin1(section->name));
        box->setAccessibleName(QString::fromLatin1(section->title));
        layout->addWidget(box);
        section->build(box, context);
    }
    layout->addStretch();
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
    adjustSize();
    const QRect screen = availableScreenArea(mainWindow);
    const QRect main = mainWindow->frameGeometry();
    const QPoint right(main.right() + 8, main.top());
    if (screen.contains(QRect(right, frameGeometry().size())))
        move(right);
    else
        centreOnScreen(this);
}

void StationControls::keepPlace()
{
    programSettings().setValue(geometryKey, saveGeometry());
}
