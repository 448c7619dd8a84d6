// Whether a screen reader runs, as AT-SPI tells it on the session bus: the
// property ScreenReaderEnabled of org.a11y.Status on the bus launcher
// (org.a11y.Bus at /org/a11y/bus), which a screen reader sets as it starts and
// clears as it ends. The value is asked once without waiting, and each change
// the launcher announces is followed.
#include "platform/platform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QObject>

namespace {
const QString a11yService = QStringLiteral("org.a11y.Bus");
const QString a11yPath = QStringLiteral("/org/a11y/bus");
const QString a11yStatus = QStringLiteral("org.a11y.Status");
const QString screenReaderProperty = QStringLiteral("ScreenReaderEnabled");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// Lives as a child of the caller's context; the bus's signal reaches it by name.
class ScreenReaderWatch : public QObject {
    Q_OBJECT

public:
    ScreenReaderWatch(QObject* context, std::function<void(bool)> changed)
        : QObject(context), m_changed(std::move(changed))
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        bus.connect(a11yService, a11yPath, propertiesInterface, QStringLiteral("PropertiesChanged"),
                    this, SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
        // Asked without waiting: the program must not stall on a slow bus.
        QDBusMessage get = QDBusMessage::createMethodCall(
            a11yService, a11yPath, propertiesInterface, QStringLiteral("Get"));
        get << a11yStatus << screenReaderProperty;
        auto* call = new QDBusPendingCallWatcher(bus.asyncCall(get), this);
        connect(call, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* answered) {
                    const QDBusPendingReply<QDBusVariant> reply = *answered;
                    // The launcher's messages arrive in the order it sent
                    // them, so whatever comes last is the newest.
                    if (!reply.isError())
                        m_changed(reply.value().variant().toBool());
                    answered->deleteLater();
                });
    }

private slots:
    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        if (interface != a11yStatus || !changed.contains(screenReaderProperty))
            return;
        m_changed(changed.value(screenReaderProperty).toBool());
    }

private:
    std::function<void(bool)> m_changed;
};
} // namespace

namespace Platform {

void watchScreenReader(QObject* context, std::function<void(bool running)> changed)
{
    new ScreenReaderWatch(context, std::move(changed));
}

} // namespace Platform

#include "screenreader_linux.moc"
