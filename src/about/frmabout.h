#pragma once

// The About box: program title, version, a one-line description, contact
// labels and two pictures. "OK" closes it (Enter and Esc too); "System
// Info..." starts the platform's system-information tool, or says there is none.

#include <QDialog>

class QLabel;

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();
    void StartSysInfo();

    QLabel* m_title = nullptr;   // lblTitle
    QLabel* m_version = nullptr; // lblVersion
};
