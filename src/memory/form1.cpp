#include "memory/form1.h"

#include "memory/entryinstruction.h"
#include "memory/memoryfiledialog.h"
#include "memory/memorywriter.h"
#include "memory/rigmemcsv.h"
#include "session/cues.h"
#include "ui/announcer.h"
#include "ui/captions.h"
#include "ui/messagebox.h"
#include "ui/placement.h"

#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {
// Four column groups of 25 channels: a channel label, the frequency box and
// the narrower mode box to its right.
constexpr int Margin = 8;
constexpr int RowsPerGroup = 25;
constexpr int RowHeight = 18;
constexpr int GroupStride = 164;
constexpr int HeaderTop = Margin;
constexpr int FirstRowTop = HeaderTop + RowHeight + 2;
constexpr int SheetBottom = FirstRowTop + RowsPerGroup * RowHeight;
constexpr int ClientWidth = 2 * Margin + 4 * GroupStride - 12;

struct Column {
    const char* name;
    const char* header;
    int x; // within the group
    int width;
};
constexpr std::array<Column, 3> columns = {{
    {"Chan", "Chan", 0, 30},
    {"Freq", "Freq.", 36, 70},
    {"Mode", "Mode", 110, 44},
}};
constexpr const Column& chanColumn = columns[0];
constexpr const Column& freqColumn = columns[1];
constexpr const Column& modeColumn = columns[2];

constexpr QRect instructionGeometry{Margin, SheetBottom + 6, ClientWidth - 2 * Margin, 34};
constexpr const char* instructionText =
    "Enter all memories without decimals! As an example, enter 28.400.00 as 2840000. For "
    "7.000.00 enter 0700000.  Always be sure to use 7 digits! To erase a channel enter seven "
    "0's";

constexpr int ButtonTop = SheetBottom + 46;
constexpr int ButtonWidth = 132;
constexpr int ButtonHeight = 26;
// Below the four buttons of the design: the exchange with rigmem, and the
// progress and Stop of a write under Write to radio and Exit.
constexpr int SecondRowTop = ButtonTop + ButtonHeight + 6;
constexpr int ClientHeight = SecondRowTop + ButtonHeight + Margin;

struct Button {
    const char* name;
    const char* caption;
    // What a screen reader says: the caption without its "...", or what the
    // caption leaves to the place it stands in.
    const char* spoken;
    const char* toolTip;
    int x; // buttons read left to right: Load, Save, Write, Exit
    int y;
    void (Form1::*click)();
};
// Listed in tab order, which follows the sheet.
constexpr std::array<Button, 7> buttons = {{
    {"Command2", "Write to radio", "Write to radio",
     "Program Radio: writes every filled channel, 00 to 99", Margin + 2 * GroupStride, ButtonTop,
     &Form1::Command2_Click},
    {"Command1", "Exit", "Exit", "Exit back to Main Screen", Margin + 3 * GroupStride, ButtonTop,
     &Form1::Command1_Click},
    {"Command3", "Load from file", "Load from file",
     "Load Frequencies from Disk: as many channels as the file holds, up to 100", Margin, ButtonTop,
     &Form1::Command3_Click},
    {"Command4", "Save to file", "Save to file",
     "Save Frequencies to Disk: channels 00 to 09, or all 100 when 10 to 99 hold entries",
     Margin + GroupStride, ButtonTop, &Form1::Command4_Click},
    {"ImportCsv", "Import rigmem CSV...", "Import rigmem CSV",
     "Fill the sheet from a CSV file that Hamlib's rigmem saved from the radio", Margin,
     SecondRowTop, &Form1::ImportCsv_Click},
    {"ExportCsv", "Export rigmem CSV...", "Export rigmem CSV",
     "Save the sheet as a CSV file for Hamlib's rigmem to load into the radio",
     Margin + GroupStride, SecondRowTop, &Form1::ExportCsv_Click},
    {"StopWrite", "Stop", "Stop writing", "Stop writing after the channel being written",
     Margin + 3 * GroupStride, SecondRowTop, &Form1::StopWrite_Click},
}};
constexpr QRect progressGeometry{Margin + 2 * GroupStride, SecondRowTop, GroupStride - 6,
                                 ButtonHeight};

QString rigmemFilter()
{
    return QStringLiteral("rigmem CSV (*.csv)");
}

const char* const channelProperty = "channel";

QString twoDigits(int channel)
{
    return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& where)
{
    // A label's accessible name is its text: naming it again would only send
    // a screen reader one more event for each of the sheet's labels as the
    // window opens.
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    return label;
}

// The widest entries the boxes are meant to hold: seven digits, a mode word.
constexpr const char* widestFrequency = "0000000";
constexpr const char* widestMode = "USB";
} // namespace

Form1::Form1(PortLease lease, QWidget* parent)
    : QDialog(parent), m_lease(std::move(lease)),
      m_write(
          {[this](int channel) {
               return MemoryRecord{m_rows[channel].frequency->text(), m_rows[channel].mode->text()};
           },
           [this](const CatCommand& command) { return m_link.sendCommand(command); }})
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Program Radio Memory"));
    buildSheet();
    connect(&m_link, &RadioLink::commEvent, this, &Form1::MSComm1_OnComm);
    connect(&m_write, &SheetWrite::progress, this, &Form1::writeProgress);
    connect(&m_write, &SheetWrite::finished, this, &Form1::writeFinished);
    Form_Load();
}

void Form1::buildSheet()
{
    setFixedSize(ClientWidth, ClientHeight);
    scrollWhenLargerThanScreen(this);
    for (int group = 0; group < Channels / RowsPerGroup; ++group) {
        const int left = Margin + group * GroupStride;
        for (const Column& column : columns)
            addLabel(this, QStringLiteral("header%1%2").arg(QLatin1String(column.name)).arg(group),
                     QString::fromLatin1(column.header),
                     QRect(left + column.x, HeaderTop, column.width, RowHeight));
    }
    // Created in channel order, frequency before mode, which is the tab order.
    for (int channel = 0; channel < Channels; ++channel) {
        const int left = Margin + (channel / RowsPerGroup) * GroupStride;
        const int top = FirstRowTop + (channel % RowsPerGroup) * RowHeight;
        const QString number = twoDigits(channel);
        addLabel(this, QStringLiteral("chan") + number, number,
                 QRect(left + chanColumn.x, top, chanColumn.width, RowHeight));
        Row& row = m_rows[channel];
        for (const auto& [box, column, prefix, what] :
             {std::tuple{&row.frequency, freqColumn, "freq", "frequency"},
              std::tuple{&row.mode, modeColumn, "mode", "mode"}}) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QString::fromLatin1(prefix) + number);
            edit->setAccessibleName(
                QStringLiteral("Channel %1 %2").arg(number, QString::fromLatin1(what)));
            edit->setGeometry(left + column.x, top, column.width, RowHeight);
            // What a box holds is what a memory file may hold.
            edit->setMaxLength(MemoryEntryMaxChars);
            edit->setProperty(channelProperty, channel);
            edit->installEventFilter(this);
            *box = edit;
        }
    }

    auto* instruction = new EntryInstruction(QString::fromLatin1(instructionText), this);
    instruction->setObjectName(QStringLiteral("Label5"));
    instruction->setGeometry(instructionGeometry);
    instruction->setWordWrap(true);
    QList<QWidget*> explained;
    for (const Row& row : m_rows)
        explained.append(row.frequency);
    instruction->setExplained(explained);
    fitCaption(instruction);

    QList<QWidget*> pushButtons;
    for (const Button& spec : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        pushButtons.append(button);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setAccessibleName(QString::fromLatin1(spec.spoken));
        button->setToolTip(QString::fromLatin1(spec.toolTip));
        button->setGeometry(spec.x, spec.y, ButtonWidth, ButtonHeight);
        // Enter in a box must not press a button behind the operator's back.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, spec.click);
    }
    fitCaptions(pushButtons);
    auto* progress = addLabel(this, QStringLiteral("WriteProgress"), QString(), progressGeometry);
    progress->setAlignment(Qt::AlignCenter);
    progress->setAccessibleDescription(QStringLiteral("Progress of the write to the radio"));
    showWriting(false);

    QList<QWidget*> frequencies;
    QList<QWidget*> modes;
    for (const Row& row : m_rows) {
        frequencies.append(row.frequency);
        modes.append(row.mode);
    }
    fitCaptions(frequencies, CaptionFlow::OneLine, QString::fromLatin1(widestFrequency));
    fitCaptions(modes, CaptionFlow::OneLine, QString::fromLatin1(widestMode));
    fitCaptions(findChildren<QLabel*>(QRegularExpression(QStringLiteral("^header"))));
    fitCaptions(findChildren<QLabel*>(QRegularExpression(QStringLiteral("^chan\\d"))));
}

void Form1::Form_Load()
{
    m_lease.openAtLoad(m_link, this);
    for (Row& row : m_rows)
        row.frequency->clear();
    for (Row& row : m_rows)
        row.mode->clear();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
        return QDialog::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (event->type() == QEvent::FocusIn) {
        // The whole entry is selected so typing replaces it. A mouse press
        // places the cursor after the focus arrives, so select again after it.
        box->selectAll();
        if (reason == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        // Only a move to another control of this window is leaving the box;
        // a message box or another program taking the focus is not.
        const int channel = box->property(channelProperty).toInt();
        if (box == m_rows[channel].frequency)
            freq_LostFocus(channel);
    }
    return QDialog::eventFilter(watched, event);
}

void Form1::freq_LostFocus(int channel)
{
    if (m_leaving)
        return;
    const QString text = m_rows.at(channel).frequency->text();
    if (!text.isEmpty() && text.size() != 7)
        MessageBox::inform(this,
                           QStringLiteral("Data not entered in correct format!,\r\nplease retry."),
                           QStringLiteral("Error"));
}

void Form1::Command1_Click()
{
    m_link.closeLink();
    accept();
}

void Form1::done(int result)
{
    // Exit, Escape and the window frame all end here: a write under way ends
    // with the command in flight, and the port is released before the main
    // window takes it back.
    m_leaving = true;
    m_write.cancel();
    m_lease.release();
    QDialog::done(result);
}

void Form1::MSComm1_OnComm()
{
    if (m_leaving)
        return;
    if (!m_link.isOpen())
        m_link.open();
    m_link.drainInput();
}

void Form1::showWriting(bool writing)
{
    // While a write runs, what would restart it or swap the sheet under it
    // waits. The keyboard goes from the button that starts the write to the
    // one that stops it and back, so neither Space nor Return ever lands on a
    // button behind them (Exit); where the operator took it elsewhere, it stays.
    auto* write = findChild<QPushButton*>(QStringLiteral("Command2"));
    auto* stop = findChild<QPushButton*>(QStringLiteral("StopWrite"));
    QPushButton* from = writing ? write : stop;
    QPushButton* to = writing ? stop : write;
    to->setEnabled(true);
    if (focusWidget() == from)
        to->setFocus(Qt::OtherFocusReason);
    for (const char* name : {"Command2", "Command3", "ImportCsv"})
        findChild<QPushButton*>(QString::fromLatin1(name))->setEnabled(!writing);
    stop->setEnabled(writing);
    if (!writing)
        findChild<QLabel*>(QStringLiteral("WriteProgress"))->clear();
}

void Form1::Command2_Click()
{
    // A second press meanwhile would send every channel twice, interleaved
    // with the first write (the button waits while one runs).
    if (m_write.running())
        return;
    showWriting(true);
    m_link.flush();
    PlayCue(QString::fromLatin1(Cue::Programming));
    m_write.start();
}

void Form1::writeProgress(int channel, int filledAfter)
{
    auto* progress = findChild<QLabel*>(QStringLiteral("WriteProgress"));
    progress->setText(QStringLiteral("Writing channel %1, %2 left")
                          .arg(QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0')))
                          .arg(filledAfter));
    // A label's new text is not spoken by itself: the operator hears it as
    // the window's announcement.
    announce(this, progress->text());
}

void Form1::writeFinished(const SheetWriteResult& result)
{
    showWriting(false);
    const QString message = sheetWriteMessage(result);
    if (!message.isEmpty())
        MessageBox::warn(this, message);
}

void Form1::StopWrite_Click()
{
    m_write.stop();
}

MemoryRecords Form1::sheetRecords() const
{
    MemoryRecords records;
    for (int channel = 0; channel < Channels; ++channel)
        records[channel] = {m_rows[channel].frequency->text(), m_rows[channel].mode->text()};
    return records;
}

void Form1::setChannel(int channel, const MemoryRecord& texts)
{
    m_rows[channel].frequency->setText(texts.frequency);
    m_rows[channel].mode->setText(texts.mode);
}

void Form1::offerToEmpty(const QList<int>& channels, const QString& source)
{
    QList<int> holdingText;
    for (int channel : channels)
        if (!m_rows[channel].frequency->text().isEmpty() || !m_rows[channel].mode->text().isEmpty())
            holdingText.append(channel);
    if (holdingText.isEmpty())
        return;
    const QString list = channelList(holdingText);
    const auto answer = MessageBox::ask(
        this, MessageBox::programTitle(),
        QStringLiteral("%1 does not hold %2, which the sheet has entries in. Empty %3 as well?\n\n"
                       "Yes empties them; No keeps them as they are.")
            .arg(source, list.at(0).toLower() + list.mid(1),
                 holdingText.size() == 1 ? QStringLiteral("it") : QStringLiteral("them")),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    for (int channel : holdingText)
        setChannel(channel, {});
}

void Form1::Command3_Click()
{
    const QString name =
        MemoryFileDialog::choose(this, MemoryFileDialogRequest::Purpose::Open, m_fileName);
    // No file chosen: the sheet stays exactly as the operator left it.
    if (name.isEmpty())
        return;
    m_fileName = name;
    const MemoryFileRead read = readMemoryFile(name);
    if (!read.problem.isEmpty()) {
        MessageBox::warn(this, read.problem);
        return;
    }
    const MemoryRecords& records = read.contents.records;
    // A short file still fills channels 00 to 09, as it always did; beyond
    // them only the channels the file holds are filled.
    const int filled = std::max(MemoryFileChannels, read.contents.channelsRead());
    for (int channel = 0; channel < filled; ++channel)
        m_rows[channel].frequency->setText(records[channel].frequency);
    for (int channel = 0; channel < filled; ++channel)
        m_rows[channel].mode->setText(records[channel].mode);
    if (!read.contents.complete()) {
        const int channels = read.contents.channelsRead();
        const QString held = channels == 0 ? QStringLiteral("no channels")
                             : channels == 1
                                 ? QStringLiteral("only 1 of the 10 channels")
                                 : QStringLiteral("only %1 of the 10 channels").arg(channels);
        MessageBox::warn(this, QStringLiteral("The memory file %1 ends early: it holds %2 (a "
                                              "frequency and a mode each). What it holds was "
                                              "loaded; the rest of channels 00 to 09 are now "
                                              "empty.")
                                   .arg(QDir::toNativeSeparators(name), held));
    }
    QList<int> beyond;
    for (int channel = filled; channel < Channels; ++channel)
        beyond.append(channel);
    offerToEmpty(beyond, QStringLiteral("The memory file %1").arg(QDir::toNativeSeparators(name)));
}

void Form1::Command4_Click()
{
    const QString name =
        MemoryFileDialog::choose(this, MemoryFileDialogRequest::Purpose::Save, m_fileName);
    if (name.isEmpty())
        return;
    m_fileName = name;
    const QString problem = writeMemoryFile(name, sheetRecords());
    if (!problem.isEmpty())
        MessageBox::warn(this, problem);
}

namespace {
// A long list of lines is cut in the box; the count of the rest is still given.
QString problemList(const QStringList& problems)
{
    constexpr int Shown = 20;
    QStringList lines = problems.mid(0, Shown);
    if (problems.size() > Shown)
        lines.append(QStringLiteral("... and %1 more.").arg(problems.size() - Shown));
    return lines.join(QLatin1Char('\n'));
}
} // namespace

void Form1::ImportCsv_Click()
{
    const QString name =
        MemoryFileDialog::choose(this, MemoryFileDialogRequest::Purpose::Open, m_csvFileName,
                                 rigmemFilter(), QStringLiteral("csv"));
    if (name.isEmpty())
        return;
    m_csvFileName = name;
    const RigmemFileRead read = readRigmemFile(name);
    if (!read.problem.isEmpty()) {
        MessageBox::warn(this, read.problem);
        return;
    }
    for (const RigmemChannel& channel : read.contents.channels)
        setChannel(channel.channel, channel.texts);
    if (!read.contents.problems.isEmpty())
        MessageBox::warn(
            this, QStringLiteral("Not everything in %1 fits the sheet:\n\n%2")
                      .arg(QDir::toNativeSeparators(name), problemList(read.contents.problems)));
    QList<int> absent;
    for (int channel = 0; channel < Channels; ++channel)
        if (!read.contents.mentioned.contains(channel))
            absent.append(channel);
    offerToEmpty(absent, QStringLiteral("The rigmem file %1").arg(QDir::toNativeSeparators(name)));
}

void Form1::ExportCsv_Click()
{
    const RigmemExport exported = formatRigmemCsv(sheetRecords());
    if (exported.channels == 0 && exported.problems.isEmpty()) {
        MessageBox::inform(this, QStringLiteral("No channel holds a frequency, so there is "
                                                "nothing to export. Nothing was saved."));
        return;
    }
    const QString name =
        MemoryFileDialog::choose(this, MemoryFileDialogRequest::Purpose::Save, m_csvFileName,
                                 rigmemFilter(), QStringLiteral("csv"));
    if (name.isEmpty())
        return;
    m_csvFileName = name;
    const QString problem = writeRigmemFile(name, exported.bytes);
    if (!problem.isEmpty()) {
        MessageBox::warn(this, problem);
        return;
    }
    if (!exported.problems.isEmpty())
        MessageBox::warn(this, QStringLiteral("%1 holds %2 of the sheet's channels; these were "
                                              "left out:\n\n%3")
                                   .arg(QDir::toNativeSeparators(name))
                                   .arg(exported.channels)
                                   .arg(problemList(exported.problems)));
}
