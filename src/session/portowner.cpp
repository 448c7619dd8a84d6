#include "session/portowner.h"

#include "platform/platform.h"
#include "session/transport.h"

#include <QDir>
#include <QTimer>

namespace {
bool cannotBeThere(Platform::SerialHardware hardware)
{
    return hardware == Platform::SerialHardware::Missing ||
           hardware == Platform::SerialHardware::NoUart;
}
} // namespace

PortOwner::PortOwner(PortLink& mainLink, QObject* mainWindow)
    : m_mainLink(mainLink), m_mainWindow(mainWindow), m_sender(mainLink, *this)
{
    if (m_mainWindow)
        connect(&m_mainLink, &RadioLink::problem, this,
                [this](const QString& message) { onMainLinkProblem(message); });
}

PortOwner::~PortOwner() = default;

void PortOwner::readSettings()
{
    m_read = readSettingsFile();
    m_settingsRead = true;
    // Configured now, though opened only later, so that a command that comes
    // before any opening still names the port.
    configureTransport(m_mainLink, m_read);
}

RadioModel PortOwner::model() const
{
    return m_read.choice.port > 0 ? portModel(m_read.choice.port) : RadioModel::TS570D;
}

void PortOwner::activate()
{
    if (m_mainLink.isOpen() || isLent())
        return;
    // A main window shown without its load sequence still addresses the port.
    if (!m_settingsRead)
        readSettings();
    configureTransport(m_mainLink, m_read);
    if (!m_read.ok()) {
        // A damaged settings file is reported once; commands then say why they
        // were not sent. Nothing is written to the operator's file.
        if (!m_settingsProblemShown && m_mainWindow) {
            m_settingsProblemShown = true;
            reportWhenUp(m_mainWindow, m_read.problem);
        }
        return;
    }
    if (m_mainLink.open()) {
        emit mainLinkOpened();
        return;
    }
    if (!m_offerMade && m_mainWindow &&
        cannotBeThere(Platform::serialHardware(m_mainLink.settings().device)) &&
        !Platform::serialAdapters().isEmpty())
        m_offerPending = true;
}

void PortOwner::reportWhenUp(QObject* window, const QString& message)
{
    // The window's going cancels its message; the owner's going, every one.
    const QPointer<PortOwner> owner(this);
    QTimer::singleShot(0, window ? window : this, [owner, window, message] {
        if (owner)
            emit owner->problem(window, message);
    });
}

void PortOwner::onMainLinkProblem(const QString& message)
{
    if (!m_mainWindow)
        return;
    if (m_offerPending) {
        m_offerPending = false;
        m_offerMade = true;
        const QList<LinkOffer> offers = linkOffers(message);
        if (!offers.isEmpty()) {
            emit linkOffered(m_mainWindow, offers);
            return;
        }
    }
    emit problem(m_mainWindow, message);
}

// One question per adapter plugged in, each naming the adapter by its by-id
// name and saying what Yes does; none when there is nothing to offer.
QList<LinkOffer> PortOwner::linkOffers(const QString& message) const
{
    const int number = m_read.choice.port;
    const QList<Platform::SerialAdapter> adapters = Platform::serialAdapters();
    const QString link = QDir::toNativeSeparators(Platform::serialLinkPath(number));
    QList<LinkOffer> offers;
    if (number == 0 || adapters.isEmpty() || link.isEmpty())
        return offers;
    for (qsizetype i = 0; i < adapters.size(); ++i) {
        const Platform::SerialAdapter& adapter = adapters[i];
        const QString which =
            adapters.size() == 1
                ? QStringLiteral("A USB serial adapter is plugged in")
                : QStringLiteral("USB serial adapter %1 of %2").arg(i + 1).arg(adapters.size());
        const QString question =
            QStringLiteral("%1\n\n%2: %3 (now %4).\n\nLink Com%5 to it? Quillard then makes the "
                           "link %6 to %7 and opens the port.")
                .arg(message, which, adapter.name, QDir::toNativeSeparators(adapter.device),
                     QString::number(number), link, QDir::toNativeSeparators(adapter.path));
        offers.append(LinkOffer{question, number, adapter.name, adapter.path});
    }
    return offers;
}

QString PortOwner::acceptLinkOffer(const LinkOffer& offer)
{
    const QString failure = Platform::linkSerialPort(offer.port, offer.adapterPath);
    if (!failure.isEmpty())
        return QStringLiteral("Com%1 could not be linked to %2: %3. Make the link yourself: "
                              "ln -s %4 %5")
            .arg(QString::number(offer.port), offer.adapterName, failure,
                 QDir::toNativeSeparators(offer.adapterPath),
                 QDir::toNativeSeparators(Platform::serialLinkPath(offer.port)));
    activate();
    return {};
}

PortLease PortOwner::lend()
{
    m_mainLink.closeLink();
    ++m_leases;
    return PortLease(this);
}

PortLease::PortLease(PortOwner* owner) : m_owner(owner) {}

PortLease::PortLease(PortLease&& other) noexcept
    : m_owner(std::exchange(other.m_owner, nullptr)), m_link(std::exchange(other.m_link, {}))
{}

PortLease::~PortLease()
{
    release();
    if (m_owner)
        --m_owner->m_leases;
}

void PortLease::openAtLoad(PortLink& link, QObject* window)
{
    m_link = &link;
    if (window && m_owner) {
        const QPointer<PortOwner> owner(m_owner);
        QObject::connect(&link, &RadioLink::problem, window,
                         [owner, window](const QString& message) {
                             if (owner)
                                 emit owner->problem(window, message);
                         });
    }
    // Read afresh at every opening, so a changed file takes effect now.
    const SettingsRead read = readSettingsFile();
    configureTransport(link, read);
    if (!read.ok()) {
        if (m_owner)
            m_owner->reportWhenUp(window, read.problem);
        return;
    }
    if (!link.isOpen())
        link.open();
}

void PortLease::release()
{
    if (m_link)
        m_link->closeLink();
}
