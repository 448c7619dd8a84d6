#include "app/startup.h"

#include "session/settings.h"
#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QFileInfo>

Startup::Startup(MainWindowLoader loadMainWindow) : m_loadMainWindow(std::move(loadMainWindow)) {}

Startup::~Startup() = default;

void Startup::begin()
{
    if (QFileInfo::exists(settingsFilePath())) {
        openMainWindow();
        return;
    }
    MessageBox::inform(nullptr, firstRunMessage());
    m_settings = new Form3;
    connect(m_settings, &Form3::saved, this, &Startup::openMainWindow);
    m_settings->show();
}

void Startup::end()
{
    m_ended = true;
    if (m_main)
        m_main->close();
    // exit() rather than quit(), which does nothing before the program's
    // event loop runs: it also ends a box or wait of the start-up itself.
    QCoreApplication::exit(0);
}

void Startup::openMainWindow()
{
    m_main = m_loadMainWindow();
    if (m_ended) {
        m_main->close();
        return;
    }
    if (m_settings)
        m_settings->handOver();
    m_main->show();
    m_main->activateWindow();
}
