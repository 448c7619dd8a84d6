#include "memory/form1.h"

#include "clock/clock.h"
#include "memory/memoryfiledialog.h"
#include "memory/memorywriter.h"
#include "session/cues.h"
#include "ui/captions.h"
#include "ui/messagebox.h"
#include "ui/placement.h"

#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
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
constexpr int ClientHeight = ButtonTop + ButtonHeight + Margin;

struct Button {
    const char* name;
    const char* caption;
    const char* toolTip;
    int x; // buttons read left to right: Load, Save, Write, Exit
    void (Form1::*click)();
};
// Listed in tab order, which follows the sheet.
constexpr std::array<Button, 4> buttons = {{
    {"Command2", "Write to radio", "Program Radio", Margin + 2 * GroupStride,
     &Form1::Command2_Click},
    {"Command1", "Exit", "Exit back to Main Screen", Margin + 3 * GroupStride,
     &Form1::Command1_Click},
    {"Command3", "Load from file", "Load Frequencies from Disk", Margin, &Form1::Command3_Click},
    {"Command4", "Save to file", "Save Frequencies to Disk", Margin + GroupStride,
     &Form1::Command4_Click},
}};

const char* const channelProperty = "channel";

QString twoDigits(int channel)
{
    return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& where)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setGeometry(where);
    return label;
}

// The widest entries the boxes are meant to hold: seven digits, a mode word.
constexpr const char* widestFrequency = "0000000";
constexpr const char* widestMode = "USB";
} // namespace

Form1::Form1(PortLease lease, QWidget* parent) : QDialog(parent), m_lease(std::move(lease))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Program Radio Memory"));
    buildSheet();
    connect(&m_link, &RadioLink::commEvent, this, &Form1::MSComm1_OnComm);
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

    auto* instruction = addLabel(this, QStringLiteral("Label5"),
                                 QString::fromLatin1(instructionText), instructionGeometry);
    instruction->setWordWrap(true);
    fitCaption(instruction);

    QList<QWidget*> pushButtons;
    for (const Button& spec : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        pushButtons.append(button);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setAccessibleName(button->text());
        button->setToolTip(QString::fromLatin1(spec.toolTip));
        button->setGeometry(spec.x, ButtonTop, ButtonWidth, ButtonHeight);
        // Enter in a box must not press a button behind the operator's back.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, spec.click);
    }
    fitCaptions(pushButtons);

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
    // Exit, Escape and the window frame all end here: the port is released
    // before the main window takes it back.
    m_leaving = true;
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

void Form1::Command2_Click()
{
    // The pauses keep the window responsive; a second press meanwhile would
    // send every channel twice, interleaved with the first write.
    if (m_writing)
        return;
    m_writing = true;
    QPointer<Form1> alive(this);
    PlayCue(QString::fromLatin1(Cue::Programming));

    QList<int> withoutMode;
    QList<int> withUnsafeText;
    int failedAt = -1;
    for (int channel = 0; alive && !m_leaving && channel < WrittenChannels; ++channel) {
        const Row& row = m_rows[channel];
        const ChannelWrite write =
            planChannelWrite(channel, row.frequency->text(), row.mode->text(), m_modeCode[channel]);
        switch (write.outcome) {
        case ChannelWrite::Outcome::Empty:
            break;
        case ChannelWrite::Outcome::NoMode:
            withoutMode.append(channel);
            break;
        case ChannelWrite::Outcome::UnsafeText:
            withUnsafeText.append(channel);
            break;
        case ChannelWrite::Outcome::Send:
            if (!m_link.sendCommand(*write.command)) {
                failedAt = channel;
                channel = WrittenChannels;
                break;
            }
            WaitSeconds(0.2);
            break;
        }
    }
    if (!alive)
        return;
    m_writing = false;
    if (m_leaving)
        return;
    QString message = skippedChannelsMessage(withoutMode, withUnsafeText);
    if (failedAt >= 0) {
        if (!message.isEmpty())
            message += QStringLiteral("\n\n");
        message += QStringLiteral("The write stopped at channel %1 because the command could not "
                                  "be sent to the radio; channels %1 to 09 were not written. "
                                  "Check the serial port and write again.")
                       .arg(twoDigits(failedAt));
    }
    if (!message.isEmpty())
        MessageBox::warn(this, message);
}

MemoryRecords Form1::writtenChannels() const
{
    MemoryRecords records;
    for (int channel = 0; channel < WrittenChannels; ++channel)
        records[channel] = {m_rows[channel].frequency->text(), m_rows[channel].mode->text()};
    return records;
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
    for (int channel = 0; channel < Channels; ++channel)
        m_rows[channel].frequency->setText(channel < WrittenChannels ? records[channel].frequency
                                                                     : QString());
    for (int channel = 0; channel < Channels; ++channel)
        m_rows[channel].mode->setText(channel < WrittenChannels ? records[channel].mode
                                                                : QString());
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
}

void Form1::Command4_Click()
{
    const QString name =
        MemoryFileDialog::choose(this, MemoryFileDialogRequest::Purpose::Save, m_fileName);
    if (name.isEmpty())
        return;
    m_fileName = name;
    const QString problem = writeMemoryFile(name, writtenChannels());
    if (!problem.isEmpty())
        MessageBox::warn(this, problem);
}
