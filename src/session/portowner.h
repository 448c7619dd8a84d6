#pragma once

// The one owner of the radio's port. Six windows talk to the radio, each
// through a PortLink of its own, and all address the port that the settings
// file names; only one may hold it at a time.
//
// Data flow: qd.cfg -> readSettingsFile() -> PortOwner -> configureTransport()
// -> each window's PortLink. The main window reads the file at its load and
// opens its link at each activation that finds it closed. A menu that opens
// another radio window first takes a PortLease, which closes the main link;
// the new window opens its own link through the lease when it loads (reading
// the file afresh) and holds the lease for as long as it is open. Its going
// ends the lease, and only then does the main window's next activation open
// the main link again.
//
// Every message that names qd.cfg is written here, and none is shown here:
// the owner raises problem() with the window it concerns, and the program
// shows it (PortMessages). A problem of the settings reaches that window once,
// after the handler that met it; faults of the port itself are worded by the
// link and raised as they come, for the window that owns the link.
//
// The main link is configured as soon as the settings are read, so every
// message names the port. The main window sends through sender(), which opens
// the main link first when a command finds it closed while the port is not
// lent out: some window systems never activate the main window. When it cannot open because its
// device is missing or has no UART and USB serial adapters are plugged in, linkOffered() carries
// the message as one question per adapter; the operator's choice comes back through
// acceptLinkOffer().

#include "session/ondemandlink.h"
#include "session/portlink.h"
#include "session/portroute.h"
#include "session/settings.h"

#include <QList>
#include <QObject>
#include <QPointer>

class PortLease;

// One USB serial adapter the main window's port could be linked to.
struct LinkOffer {
    QString question; // the failure, the adapter, and what Yes does
    int port = 0;     // the port number to link
    QString adapterName;
    QString adapterPath; // its by-id name, which stays when it is plugged in elsewhere
};

class PortOwner : public QObject {
    Q_OBJECT

public:
    // The main window and its link, both of which outlive every lease. Without
    // a main window (a radio window opened on its own) only the borrowing
    // windows hear of problems.
    PortOwner(PortLink& mainLink, QObject* mainWindow);
    ~PortOwner() override;
    PortOwner(const PortOwner&) = delete;
    PortOwner& operator=(const PortOwner&) = delete;

    // The main window's load: reads qd.cfg, whose texts the main window then
    // keeps for the rest of the run.
    void readSettings();
    const RadioSettings& settings() const { return m_read.settings; }
    // The radio on the port the settings name (its comN.conf's model=).
    RadioModel model() const;

    // The main window's activation, and a command that finds the main link
    // closed: opens the link when it is closed and the port is not lent out.
    // An open link is left exactly as it is.
    void activate();

    // What the main window sends through: the main link, opened first when a
    // command finds it closed.
    RadioLink& sender() { return m_sender; }

    // Closes the main window's link and lends the port to the window about to
    // be created, until the lease ends.
    [[nodiscard]] PortLease lend();
    bool isLent() const { return m_leases > 0; }

    // The operator said Yes to one offer: links the port to the adapter and
    // opens it. Returns why the link could not be made (a message for the
    // operator), or an empty text.
    QString acceptLinkOffer(const LinkOffer& offer);

signals:
    // The main link has just opened (at an activation, or for a command that
    // found it closed), before anything is sent through it.
    void mainLinkOpened();
    // A message the operator must read, over window (the main window or a
    // borrowing one).
    void problem(QObject* window, const QString& message);
    // The main link could not open, and its port could be linked to one of
    // these adapters: ask, in order, until the operator accepts one.
    void linkOffered(QObject* window, const QList<LinkOffer>& offers);

private:
    friend class PortLease;

    void onMainLinkProblem(const QString& message);
    QList<LinkOffer> linkOffers(const QString& message) const;
    // Raises problem() once the handler that found it has finished, so a
    // window's load or activation never waits on the operator.
    void reportWhenUp(QObject* window, const QString& message);

    PortLink& m_mainLink;
    QPointer<QObject> m_mainWindow;
    OnDemandLink m_sender;
    SettingsRead m_read;
    bool m_settingsRead = false;
    bool m_settingsProblemShown = false;
    // The next problem of the main link comes with the offer to link its port
    // to a USB adapter; made once a run.
    bool m_offerPending = false;
    bool m_offerMade = false;
    int m_leases = 0;
};

// The port lent to one window for as long as that window is open.
class PortLease {
public:
    PortLease(PortLease&& other) noexcept;
    PortLease& operator=(PortLease&&) = delete;
    PortLease(const PortLease&) = delete;
    ~PortLease();

    // The window's load: reads qd.cfg afresh, configures the window's link
    // from it and opens the port; problems are shown over the window.
    void openAtLoad(PortLink& link, QObject* window);
    // The window goes: its link lets go of the port (the lease itself lasts
    // until it is destroyed).
    void release();

private:
    friend class PortOwner;
    explicit PortLease(PortOwner* owner);

    PortOwner* m_owner = nullptr;
    // The window's link, which a window destroys before the lease: it has
    // let go of the port itself by then, and the pointer is null.
    QPointer<PortLink> m_link;
};
