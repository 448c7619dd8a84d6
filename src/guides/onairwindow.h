#pragma once

// "On the Air Now": the season's short-wave schedule (an EiBi file the
// operator downloads), filtered to what is on the air this minute, UTC; a
// click, Space or Enter on a row tunes the radio to it as the short-wave
// guide does ("MD5;", "FR0;", "FA" and the frequency; "MD2;" or "MD1;"
// instead of "MD5;" for upper or lower sideband stations) and says so.
//
// Data flow: quillard.conf (the file chosen last) -> readScheduleFile() ->
// the schedule, kept while the window is open -> the filters and the clock's
// UTC now -> filterSchedule() -> the rows and the status line. The window
// borrows the port as every guide does (a PortLease, GuideWindow). At its
// opening it shows the schedule chosen last, or asks for one; File > Open
// Schedule... chooses another, which is remembered once it has been read.
// Each minute the clock's alarm shows the new minute's rows; the alarm goes
// with the window, so nothing runs while it is closed.

#include "guides/guidewindow.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;

class OnAirWindow : public GuideWindow {
    Q_OBJECT

public:
    explicit OnAirWindow(PortLease lease, QWidget* parent = nullptr);
    ~OnAirWindow() override;

    // File > Open Schedule...: asks for a file, shows it if it is a schedule
    // and remembers it.
    void openSchedule();
    // Shows the rows of this minute under the filters chosen, and sets the
    // alarm that shows the next minute's.
    void refresh();
    // Sends the three commands that tune the radio to the entry on this row.
    void tuneRow(int row);

    QTableView* table() const { return m_table; }
    QString statusText() const;

    // Closing stops the minute's alarm, then gives the port back.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Shown;

    void buildControls();
    void loadAtOpening();
    bool showSchedule(const QString& path);
    void fillChoices();

    std::unique_ptr<Shown> m_shown;
    QComboBox* m_band = nullptr;
    QComboBox* m_language = nullptr;
    QComboBox* m_target = nullptr;
    QLineEdit* m_search = nullptr;
    QRadioButton* m_onAirOnly = nullptr;
    QRadioButton* m_allEntries = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_status = nullptr;
    bool m_opened = false;
};
