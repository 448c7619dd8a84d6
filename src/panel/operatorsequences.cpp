#include "panel/operatorsequences.h"

#include "clock/clock.h"
#include "controls/stationcontext.h"
#include "session/portowner.h"
#include "session/programsettings.h"
#include "station/operatorcommands.h"
#include "station/operatorsetup.h"
#include "ui/messagebox.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace {
// Waited at most for the exit sequence to leave: a daemon that does not
// acknowledge must not hold the program's end.
constexpr std::chrono::milliseconds exitWait{2000};
} // namespace

OperatorSequences::OperatorSequences(StationContext& context, PortOwner& owner, RadioLink& mainLink,
                                     QWidget* window)
    : QObject(window), m_context(context), m_mainLink(mainLink), m_window(window)
{
    connect(&owner, &PortOwner::mainLinkOpened, this, &OperatorSequences::sendStartSequence);
}

void OperatorSequences::sendLeavingTheStation(const QList<CatCommand>& commands)
{
    // The link may open for a command already being carried out, whose
    // state is kept before it is sent: the start sequence goes out first, but
    // what it sets must not be kept over what that command sets after it.
    // What the start sequence sets stays as it was known (unknown, this early).
    StationStep step = Station::sendOperatorCommands(m_context.station(),
                                                     QStringLiteral("Start sequence"), commands);
    step.state = m_context.station();
    m_context.carryOut(step);
}

void OperatorSequences::sendStartSequence()
{
    if (m_startSent)
        return;
    m_startSent = true;
    const OperatorSetup setup = loadOperatorSetup();
    QStringList problems;
    for (const auto& [which, typed] : {std::pair{QStringLiteral("start"), setup.startSequence},
                                       std::pair{QStringLiteral("exit"), setup.exitSequence}}) {
        const CheckedCommands checked = checkOperatorCommands(typed);
        if (!checked.ok())
            problems << QStringLiteral("The %1 sequence in %2 will not be sent: %3")
                            .arg(which, programSettingsPath(), checked.problem);
        else if (which == QLatin1String("start") && !checked.commands.isEmpty())
            sendLeavingTheStation(checked.commands);
    }
    if (problems.isEmpty())
        return;
    // Shown after the handler that opened the link: an activation never
    // waits on the operator.
    const QString message =
        problems.join(QStringLiteral("\n\n")) +
        QStringLiteral("\n\nCorrect it in Station Controls, Your buttons, Edit buttons.");
    QTimer::singleShot(0, m_window,
                       [window = m_window, message] { MessageBox::warn(window, message); });
}

void OperatorSequences::sendExitSequence()
{
    if (m_exitSent || !m_mainLink.isOpen())
        return;
    m_exitSent = true;
    const CheckedCommands checked = checkOperatorCommands(loadOperatorSetup().exitSequence);
    if (!checked.ok() || checked.commands.isEmpty())
        return; // a faulty one was reported at start; nothing holds the end
    // Everything has left (or the link gave up) once the link says so, which
    // may be before the sending returns.
    QEventLoop leaving;
    bool over = false;
    const auto end = [&leaving, &over] {
        over = true;
        leaving.quit();
    };
    const auto left = connect(&m_mainLink, &RadioLink::commEvent, &leaving, end);
    const auto lost = connect(&m_mainLink, &RadioLink::problem, &leaving, end);
    m_context.carryOut(Station::sendOperatorCommands(
        m_context.station(), QStringLiteral("Exit sequence"), checked.commands));
    m_mainLink.flush();
    if (!over && m_mainLink.isOpen()) {
        const auto alarm =
            Clock::current().alarmAfter(exitWait, &leaving, [&leaving] { leaving.quit(); });
        leaving.exec();
    }
    disconnect(left);
    disconnect(lost);
}
