#pragma once

// The About box: program title, version, a one-line description, contact
// labels and two pictures. "OK" closes it (Enter and Esc too); "System
// Info..." starts the platform's system-information tool, or says there is none.

#include <QDialog>

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    static constexpr int versionMajor = 1;
    static constexpr int versionMinor = 0;
    static constexpr int versionRevision = 2;

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();
    void StartSysInfo();
};
