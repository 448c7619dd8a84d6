#pragma once

// How the program starts: the settings window decides whether the settings
// file exists. Without it, the first-run message and the Communication
// Settings window come first; with it (or after Save) the main window loads
// (splash, waits, the Online cue) and is shown, and the settings window goes.
//
// The main window itself is not known here: the program hands Startup the
// function that creates the main window and runs its load sequence.

#include "app/form3.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class Startup : public QObject {
    Q_OBJECT

public:
    // Creates the main window and runs its load; Startup shows it and keeps it.
    using MainWindowLoader = std::function<std::unique_ptr<QWidget>()>;

    explicit Startup(MainWindowLoader loadMainWindow);
    ~Startup() override;

    // The settings window's load: the start-up decision.
    void begin();

    // Ends the program as File > Exit does: the main window closes (its link
    // with it) and the event loop ends; before there is one, start-up stops.
    void end();
    bool ended() const { return m_ended; }

    QWidget* mainWindow() const { return m_main.get(); }
    Form3* settingsWindow() const { return m_settings; }

private:
    void openMainWindow();

    MainWindowLoader m_loadMainWindow;
    QPointer<Form3> m_settings;
    std::unique_ptr<QWidget> m_main;
    bool m_ended = false;
};
