#include "app/startup.h"

#include "session/settings.h"
#include "ui/messagebox.h"

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

void Startup::openMainWindow()
{
    m_main = m_loadMainWindow();
    if (m_settings)
        m_settings->handOver();
    m_main->show();
    m_main->activateWindow();
}
