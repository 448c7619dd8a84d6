#include "app/startup.h"

#include "app/form3.h"
#include "app/messagebox.h"
#include "app/settings.h"
#include "panel/form2.h"

#include <QFileInfo>

Startup::Startup() = default;
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
    m_main = std::make_unique<Form2>();
    m_main->Form_Load();
    if (m_settings)
        m_settings->handOver();
    m_main->show();
    m_main->activateWindow();
}
