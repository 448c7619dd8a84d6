#include "panel/safenavigation.h"

#include "platform/platform.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace {
const QString a11yService = QStringLiteral("org.a11y.Bus");
const QString a11yPath = QStringLiteral("/org/a11y/bus");
const QString a11yStatus = QStringLiteral("org.a11y.Status");
const QString screenReaderProperty = QStringLiteral("ScreenReaderEnabled");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString choiceKey = QStringLiteral("Keyboard/safeNavigation");

QSettings programSettings()
{
    return QSettings(QDir(Platform::settingsDirectory()).filePath(QStringLiteral("quillard.conf")),
                     QSettings::IniFormat);
}
} // namespace

SafeNavigation& SafeNavigation::instance()
{
    static SafeNavigation* only = new SafeNavigation;
    return *only;
}

SafeNavigation::SafeNavigation()
{
    m_chosen = programSettings().value(choiceKey, false).toBool();
    watchScreenReader();
}

void SafeNavigation::watchScreenReader()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(a11yService, a11yPath, propertiesInterface, QStringLiteral("PropertiesChanged"),
                this, SLOT(a11yPropertiesChanged(QString, QVariantMap, QStringList)));
    // Asked without waiting: the panel must not stall on a slow bus.
    QDBusMessage get = QDBusMessage::createMethodCall(a11yService, a11yPath, propertiesInterface,
                                                      QStringLiteral("Get"));
    get << a11yStatus << screenReaderProperty;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<QDBusVariant> reply = *call;
                if (!reply.isError())
                    setScreenReaderRunning(reply.value().variant().toBool());
                call->deleteLater();
            });
}

void SafeNavigation::a11yPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                           const QStringList&)
{
    if (interface == a11yStatus && changed.contains(screenReaderProperty))
        setScreenReaderRunning(changed.value(screenReaderProperty).toBool());
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
