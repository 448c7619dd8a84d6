#pragma once

// The main window: the control panel the operator lives in. It is created once
// at start-up and lives until the program ends. Its link to the radio opens
// when the window becomes active and is closed before another radio window is
// opened from the menus; the next activation opens it again.

#include "radio/seriallink.h"

#include <QMainWindow>

class Form2 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

    // The load sequence: settings read, splash, waits and the Online cue.
    void Form_Load();
    // Opens the link when it is closed (each time the window becomes active).
    void Form_Activate();
    // File > Exit.
    void Exit_Click();

    SerialLink& link() { return m_link; }
    const QString& comm() const { return m_comm; }
    const QString& baud() const { return m_baud; }

    // Absorbs the first VFO A selection that the window's initial focus produces.
    qint16 StartupFlag = 1;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    SerialLink m_link;
    QString m_comm;
    QString m_baud;
    QString m_settingsFileProblem;
    bool m_settingsFileProblemShown = false;
};
