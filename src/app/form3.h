#pragma once

// The Communication Settings window, the first window of the program. It asks
// for the serial port and baud rate when there is no settings file, writes the
// file on Save and then hands over to the main window (see startup.h). Each
// port's option tells, in its tool tip and accessible description, which
// device it reaches (from the platform seam).

#include <QWidget>

class QAbstractButton;

class Form3 : public QWidget {
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);

    const QString& chosenComm() const { return m_chosenComm; }
    const QString& chosenBaud() const { return m_chosenBaud; }

    // Save (Command1): checks both choices, writes the file, hands over.
    void Command1_Click();

    // Closes the window once the main window has taken over.
    void handOver();

signals:
    // The settings file has been written; the main window may start.
    void saved();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAbstractButton* m_firstFocus = nullptr; // Com2
    bool m_handedOver = false;
    bool m_shown = false;
    QString m_chosenComm;
    QString m_chosenBaud;
};

// The first-run message, shown before the settings window when there is no settings file.
QString firstRunMessage();

// Which device port number N reaches and what Linux knows of it, for the
// port's option: "Com1 reaches /dev/ttyS0, a built-in serial port ...".
QString portReachDescription(int number);
