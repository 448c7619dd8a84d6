#pragma once

// How the program starts: the settings window decides whether the settings
// file exists. Without it, the first-run message and the Communication
// Settings window come first; with it (or after Save) the main window loads
// (splash, waits, the Online cue) and is shown, and the settings window goes.

#include "app/form3.h"

#include <QObject>
#include <QPointer>

#include <memory>

class Form2;

class Startup : public QObject {
    Q_OBJECT

public:
    Startup();
    ~Startup() override;

    // The settings window's load: the start-up decision.
    void begin();

    Form2* mainWindow() const { return m_main.get(); }
    Form3* settingsWindow() const { return m_settings; }

private:
    void openMainWindow();

    QPointer<Form3> m_settings;
    std::unique_ptr<Form2> m_main;
};
