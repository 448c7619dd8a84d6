#pragma once

// The memory window "Program Radio Memory": a sheet of 100 channels, each a
// frequency box freqNN (seven digits in units of 10 Hz) and a mode box modeNN.
// Every opening starts from an empty sheet and opens the window's own serial
// link, through the port lent to it, from the settings file; Exit, or closing
// the window any other way, releases the port so the main window can take it
// back.
//
// Data flow: the operator types into the boxes, loads a memory file into them
// or imports a CSV file that Hamlib's rigmem saved. "Write to radio" plays its
// cue and starts the write (sheetwrite.h), which sends one memory-write
// command per filled channel 00 to 99 with a 0.2 s pause after each while the
// window stays free, showing the channel in flight and what is left, until
// done or stopped; Stop holds the keyboard meanwhile, and gives it back to
// "Write to radio" when the write ends.
// "Save to file" writes the ten records of 00 to 09, or all hundred when 10
// to 99 hold text; "Export" writes the CSV that "rigmem load" reads. Channels
// a file does not hold are emptied only when the operator agrees. The mode
// digit chosen for each channel by a write is kept while the window is open
// (see memorywriter.h).

#include "memory/memoryfile.h"
#include "memory/sheetwrite.h"
#include "session/portlink.h"
#include "session/portowner.h"

#include <QDialog>

#include <array>

class QLineEdit;

class Form1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int Channels = MemorySheetChannels;

    // Builds the sheet and runs the load sequence, which opens the port lent.
    explicit Form1(PortLease lease, QWidget* parent = nullptr);

    void Command1_Click(); // Exit
    void Command2_Click(); // Write to radio
    void Command3_Click(); // Load from file
    void Command4_Click(); // Save to file
    void ImportCsv_Click();
    void ExportCsv_Click();
    void StopWrite_Click();
    void MSComm1_OnComm();
    // The length check when a frequency box is left.
    void freq_LostFocus(int channel);

    QLineEdit* freqBox(int channel) const { return m_rows.at(channel).frequency; }
    QLineEdit* modeBox(int channel) const { return m_rows.at(channel).mode; }
    // The mode digit the last write chose for the channel, or empty.
    QString modeCode(int channel) const { return m_write.modeCode(channel); }
    // Whether a write to the radio is under way.
    bool writing() const { return m_write.running(); }
    PortLink& link() { return m_link; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSheet();
    void Form_Load();
    MemoryRecords sheetRecords() const;
    void setChannel(int channel, const MemoryRecord& texts);
    // Asks whether to empty the channels of the list that hold text and
    // empties them if the operator agrees; what is not in the file stays.
    void offerToEmpty(const QList<int>& channels, const QString& source);
    void showWriting(bool writing);
    void writeProgress(int channel, int filledAfter);
    void writeFinished(const SheetWriteResult& result);

    struct Row {
        QLineEdit* frequency = nullptr;
        QLineEdit* mode = nullptr;
    };
    std::array<Row, Channels> m_rows{};
    PortLease m_lease; // outlives the link, which gives the port back first
    PortLink m_link;
    SheetWrite m_write; // ends before the link it sends through
    QString m_fileName; // chosen last in the file dialog, offered again next time
    QString m_csvFileName;
    bool m_leaving = false;
};
