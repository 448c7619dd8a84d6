#include "app/portowner.h"

#include "app/messagebox.h"
#include "platform/platform.h"
#include "radio/seriallink.h"

#include <QDir>
#include <QTimer>
#include <QWidget>

namespace {
// Shown over the window once the handler that found the problem has
// finished, so a window's load or activation never waits on a box.
void showWhenUp(QWidget* window, const QString& text)
{
    QTimer::singleShot(0, window, [window, text] { MessageBox::warn(window, text); });
}

void showProblemsOf(SerialLink& link, QWidget* window)
{
    QObject::connect(&link, &SerialLink::problem, window,
                     [window](const QString& message) { MessageBox::warn(window, message); });
}

// Configures a link for the port the settings name. Settings the port cannot
// use still configure it, so that every command refused says why.
void configureFrom(SerialLink& link, const RadioSettings& settings)
{
    const int number = portNumber(settings.Comm);
    const LinkSettings port{settings.Comm, settings.Baud,
                            number > 0 ? Platform::serialDevicePath(number) : QString(),
                            number > 0 ? Platform::serialRelinkAdvice(number) : QString()};
    const QString problem = settingsProblem(settings);
    if (problem.isEmpty()) {
        link.configure(port);
        return;
    }
    const QString path = settingsFilePath();
    link.configureUnusable(
        port, QStringLiteral("the settings file %1 cannot be used: %2. %3")
                  .arg(QDir::toNativeSeparators(path), problem, reconfigureAdvice(path)));
}
} // namespace

PortOwner::PortOwner(SerialLink& mainLink, QWidget* mainWindow)
    : m_mainLink(mainLink), m_mainWindow(mainWindow)
{
    if (m_mainWindow)
        showProblemsOf(m_mainLink, m_mainWindow);
}

void PortOwner::readSettings()
{
    const SettingsRead read = readSettingsFile();
    m_settings = read.settings;
    m_settingsProblem = read.problem;
    m_settingsRead = true;
}

void PortOwner::activate()
{
    if (m_mainLink.isOpen() || isLent())
        return;
    // A main window shown without its load sequence still addresses the port.
    if (!m_settingsRead)
        readSettings();
    configureFrom(m_mainLink, m_settings);
    if (!m_settingsProblem.isEmpty()) {
        // A damaged settings file is reported once; commands then say why they
        // were not sent. Nothing is written to the operator's file.
        if (!m_settingsProblemShown && m_mainWindow) {
            m_settingsProblemShown = true;
            showWhenUp(m_mainWindow, m_settingsProblem);
        }
        return;
    }
    m_mainLink.open();
}

PortLease PortOwner::lend()
{
    m_mainLink.closeLink();
    ++m_leases;
    return PortLease(this);
}

PortLease::PortLease(PortOwner* owner) : m_owner(owner) {}

PortLease::PortLease(PortLease&& other) noexcept
    : m_owner(std::exchange(other.m_owner, nullptr)), m_link(std::exchange(other.m_link, nullptr))
{}

PortLease::~PortLease()
{
    release();
    if (m_owner)
        --m_owner->m_leases;
}

void PortLease::openAtLoad(SerialLink& link, QWidget* window)
{
    m_link = &link;
    showProblemsOf(link, window);
    // Read afresh at every opening, so a changed file takes effect now.
    const SettingsRead read = readSettingsFile();
    configureFrom(link, read.settings);
    if (!read.ok()) {
        showWhenUp(window, read.problem);
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
