#include "panel/safenavigation.h"

#include "session/programsettings.h"

#include <QAction>
#include <QMenu>

namespace {
const QString choiceKey = QStringLiteral("Keyboard/safeNavigation");
} // namespace

SafeNavigation& SafeNavigation::instance()
{
    static SafeNavigation* only = new SafeNavigation;
    return *only;
}

SafeNavigation::SafeNavigation()
{
    m_chosen = programSettings().value(choiceKey, false).toBool();
}

void SafeNavigation::setScreenReaderRunning(bool running)
{
    update(running, m_chosen);
}

void SafeNavigation::choose(bool on)
{
    QSettings settings = programSettings();
    settings.setValue(choiceKey, on);
    settings.sync();
    update(m_screenReader, on);
}

void SafeNavigation::update(bool screenReader, bool chosen)
{
    const bool was = active();
    m_screenReader = screenReader;
    m_chosen = chosen;
    if (active() != was)
        emit changed(active());
}

void SafeNavigation::addMenuItem(QMenu* menu)
{
    menu->addSeparator();
    QAction* item = menu->addAction(QStringLiteral("Safe &Keyboard Navigation"));
    item->setObjectName(QStringLiteral("SafeKeys"));
    item->setCheckable(true);
    item->setChecked(m_chosen);
    connect(item, &QAction::toggled, this, [this](bool on) { choose(on); });
}
