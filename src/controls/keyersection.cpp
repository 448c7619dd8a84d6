// The CW keyer: six message memories (a label and a text each, edited in
// place and kept in quillard.conf), a line typed and sent on Enter, the
// speed, the operator's call sign for {CALL}, and Stop. The radio keys the
// text itself, from KY commands (station/cwmessage.h), paced by the sender
// (controls/keyersend.h) so its buffer never overflows.
//
// Data flow: a memory's button or Enter in the line -> planCwMessage(text,
// call sign, speed as sent, the speed box) -> a refusal is shown and nothing
// is sent; else, when the mode as sent is not CW, the offer to send MD3 first
// -> KeyerSend paces the pieces, each carried out through the StationContext
// (the first with the words "Sending CW: ..."), the status line follows.
// The speed box sends KS on each step (not when it only gains the focus) and
// shows the speed as sent, {SPEED+}/{SPEED-} included. The speed starts blank;
// the first message sends the starting speed (20 wpm) with KS before its
// first text, since the pacing must know the speed. After a message or Stop
// the keyboard goes back to the control that started it, unless the operator
// has moved it elsewhere meanwhile.

#include "clock/clock.h"
#include "controls/keyersend.h"
#include "controls/section.h"
#include "controls/stationcontext.h"
#include "radio/commandwords.h"
#include "session/programsettings.h"
#include "station/cwmessage.h"
#include "ui/announcer.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

#include <array>
#include <chrono>
#include <memory>

namespace {
constexpr int memoryCount = 6;

struct MemoryDefault {
    const char* label;
    const char* text;
};
constexpr std::array<MemoryDefault, memoryCount> memoryDefaults = {{
    {"CQ", "CQ CQ CQ DE {CALL} {CALL} K"},
    {"Report", "TU UR 599 599 BK"},
    {"QRZ", "QRZ? DE {CALL} K"},
    {"73", "TU 73 DE {CALL} SK"},
    {"", ""},
    {"", ""},
}};

QString memoryKey(int index, const char* field)
{
    return QStringLiteral("Keyer/memory%1/%2").arg(index + 1).arg(QLatin1String(field));
}
const QString callSignKey = QStringLiteral("Keyer/callSign");

QString memoryCaption(int index, const QString& label)
{
    return label.trimmed().isEmpty() ? QStringLiteral("Send %1").arg(index + 1) : label.trimmed();
}

// The section's controls and its one sender.
class Keyer : public QObject {
public:
    Keyer(QGroupBox* box, StationContext& context) : QObject(box), m_box(box), m_context(context)
    {
        build();
    }

private:
    void build();
    void keyMessage(const QString& text, QWidget* starter);
    void stop();
    void finished(const KeyerSendResult& result);
    void showSpeed();

    QWidget* window() const { return m_box->window(); }

    QGroupBox* m_box;
    StationContext& m_context;
    KeyerSend* m_send = nullptr;
    QSpinBox* m_speed = nullptr;
    QLabel* m_status = nullptr;
    QLineEdit* m_callSign = nullptr;
    QPushButton* m_stop = nullptr;
    QPointer<QWidget> m_starter;
    QString m_announce; // said with the next piece: the message as it starts
    // Set when a box (the offer of CW) has just had the keyboard: the start is
    // then said a moment later. A screen reader drops what a window says while
    // the keyboard is coming back to it from the box, before the focus event
    // arrives; a message of a few letters would end before anything was heard.
    bool m_boxJustClosed = false;
    std::unique_ptr<Clock::Alarm> m_sayStart;
    QString m_spoken;
};

void Keyer::build()
{
    auto* grid = new QGridLayout(m_box);
    const QSettings settings = programSettings();
    for (int i = 0; i < memoryCount; ++i) {
        auto* label = new QLineEdit(m_box);
        label->setObjectName(QStringLiteral("txtCwLabel%1").arg(i + 1));
        label->setAccessibleName(QStringLiteral("CW memory %1 label").arg(i + 1));
        label->setText(
            settings.value(memoryKey(i, "label"), QString::fromLatin1(memoryDefaults[i].label))
                .toString());
        label->setMaximumWidth(90);
        auto* text = new QLineEdit(m_box);
        text->setObjectName(QStringLiteral("txtCwText%1").arg(i + 1));
        text->setAccessibleName(QStringLiteral("CW memory %1 text").arg(i + 1));
        text->setText(
            settings.value(memoryKey(i, "text"), QString::fromLatin1(memoryDefaults[i].text))
                .toString());
        auto* send = new QPushButton(memoryCaption(i, label->text()), m_box);
        send->setObjectName(QStringLiteral("cmdCwMemory%1").arg(i + 1));
        send->setAccessibleName(QStringLiteral("Send CW memory %1").arg(i + 1));
        grid->addWidget(label, i, 0);
        grid->addWidget(text, i, 1, 1, 3);
        grid->addWidget(send, i, 4);

        // Kept as typed, at every change: nothing the operator wrote is lost.
        connect(label, &QLineEdit::textEdited, this, [i, send](const QString& typed) {
            programSettings().setValue(memoryKey(i, "label"), typed);
            send->setText(memoryCaption(i, typed));
        });
        connect(text, &QLineEdit::textEdited, this, [i](const QString& typed) {
            programSettings().setValue(memoryKey(i, "text"), typed);
        });
        connect(send, &QPushButton::clicked, this,
                [this, text, send] { keyMessage(text->text(), send); });
    }

    const int row = memoryCount;
    auto* lineLabel = new QLabel(QStringLiteral("Line:"), m_box);
    auto* line = new QLineEdit(m_box);
    line->setObjectName(QStringLiteral("txtCwLine"));
    line->setAccessibleName(QStringLiteral("CW line, Enter sends"));
    lineLabel->setBuddy(line);
    grid->addWidget(lineLabel, row, 0);
    grid->addWidget(line, row, 1, 1, 4);
    connect(line, &QLineEdit::returnPressed, this, [this, line] {
        const QString text = line->text();
        keyMessage(text, line);
        if (m_send->running())
            line->clear();
    });

    auto* speedLabel = new QLabel(QStringLiteral("Speed:"), m_box);
    m_speed = new QSpinBox(m_box);
    m_speed->setObjectName(QStringLiteral("spnCwSpeed"));
    m_speed->setAccessibleName(QStringLiteral("CW speed, words per minute"));
    // The field inside takes the keyboard: it carries the name too.
    if (auto* field = m_speed->findChild<QLineEdit*>())
        field->setAccessibleName(m_speed->accessibleName());
    // One below the radio's range is "not sent yet", until a speed is sent.
    m_speed->setRange(CatCommand::keyerSlowestWpm - 1, CatCommand::keyerFastestWpm);
    m_speed->setSpecialValueText(QStringLiteral("not sent"));
    m_speed->setSuffix(QStringLiteral(" wpm"));
    m_speed->setKeyboardTracking(false);
    speedLabel->setBuddy(m_speed);
    auto* callLabel = new QLabel(QStringLiteral("Call sign:"), m_box);
    m_callSign = new QLineEdit(programSettings().value(callSignKey).toString(), m_box);
    m_callSign->setObjectName(QStringLiteral("txtCallSign"));
    m_callSign->setAccessibleName(QStringLiteral("Your call sign, for {CALL}"));
    callLabel->setBuddy(m_callSign);
    m_stop = new QPushButton(QStringLiteral("Stop"), m_box);
    m_stop->setObjectName(QStringLiteral("cmdCwStop"));
    m_stop->setAccessibleName(QStringLiteral("Stop CW"));
    grid->addWidget(speedLabel, row + 1, 0);
    grid->addWidget(m_speed, row + 1, 1);
    grid->addWidget(callLabel, row + 1, 2);
    grid->addWidget(m_callSign, row + 1, 3);
    grid->addWidget(m_stop, row + 1, 4);

    m_status = new QLabel(QStringLiteral("CW: nothing sent"), m_box);
    m_status->setObjectName(QStringLiteral("lblCwStatus"));
    m_status->setWordWrap(true);
    grid->addWidget(m_status, row + 2, 0, 1, 5);

    connect(m_callSign, &QLineEdit::textEdited, this,
            [](const QString& typed) { programSettings().setValue(callSignKey, typed.trimmed()); });
    connect(m_speed, &QSpinBox::valueChanged, this, [this](int wpm) {
        const std::optional<int> before = m_context.station().keyerWordsPerMinute;
        if (wpm < CatCommand::keyerSlowestWpm || before == wpm)
            return showSpeed();
        if (m_context.carryOut(Station::setKeyerSpeed(m_context.station(), wpm), window()) &&
            before)
            m_send->speedChanged(*before, wpm);
    });
    connect(m_stop, &QPushButton::clicked, this, [this] { stop(); });

    m_send = new KeyerSend(
        [this](const CatCommand& command) {
            StationStep step = Station::sendCwPiece(m_context.station(), {command, 0});
            step.words.clear(); // a message is said as it starts and ends, not per piece
            const QString starting = std::exchange(m_announce, {});
            const bool handedOver = m_context.carryOut(step, window());
            if (handedOver && !starting.isEmpty()) {
                if (std::exchange(m_boxJustClosed, false))
                    m_sayStart = Clock::current().alarmAfter(
                        std::chrono::milliseconds(400), this,
                        [this, starting] { announce(window(), starting); });
                else
                    announce(window(), starting);
            }
            return handedOver;
        },
        this);
    connect(m_send, &KeyerSend::progress, this, [this](int sent, int texts) {
        m_status->setText(
            QStringLiteral("Sending CW, text %1 of %2: %3").arg(sent).arg(texts).arg(m_spoken));
    });
    connect(m_send, &KeyerSend::finished, this,
            [this](const KeyerSendResult& result) { finished(result); });
    connect(&m_context, &StationContext::stationChanged, this, [this] { showSpeed(); });
    showSpeed();
}

void Keyer::showSpeed()
{
    const std::optional<int> sent = m_context.station().keyerWordsPerMinute;
    const QSignalBlocker blocker(m_speed);
    if (sent)
        m_speed->setMinimum(CatCommand::keyerSlowestWpm); // no way back to "not sent"
    m_speed->setValue(sent.value_or(m_speed->minimum()));
}

void Keyer::keyMessage(const QString& text, QWidget* starter)
{
    m_boxJustClosed = false;
    const std::optional<int> speedAsSent = m_context.station().keyerWordsPerMinute;
    const int startSpeed =
        m_speed->value() >= CatCommand::keyerSlowestWpm ? m_speed->value() : Cw::defaultSpeed;
    const CwMessage message = Cw::planCwMessage(text, m_callSign->text(), speedAsSent, startSpeed);
    if (!message.refusal.isEmpty()) {
        MessageBox::inform(window(), message.refusal, QStringLiteral("CW keyer"));
        if (starter)
            starter->setFocus();
        return;
    }
    const std::optional<Mode> mode = m_context.station().mode;
    if (mode != Mode::CW) {
        const QString now =
            mode ? QStringLiteral("The mode as sent is %1, not CW.").arg(modeWords(*mode))
                 : QStringLiteral("No mode has been sent yet.");
        const auto answer = MessageBox::ask(
            window(), QStringLiteral("CW keyer"),
            now + QStringLiteral(" The radio keys CW from the keyer in CW mode. Switch the radio "
                                 "to CW (MD3;) before sending?"),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
            QMessageBox::Yes);
        if (starter)
            starter->setFocus();
        m_boxJustClosed = true;
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::Yes &&
            !m_context.carryOut(Station::selectMode(m_context.station(), Mode::CW), window()))
            return;
    }
    m_starter = starter;
    if (m_send->running()) {
        // It follows the message being sent: said now, not with a piece of that one.
        m_spoken += QLatin1Char(' ') + message.spoken;
        announce(window(), QStringLiteral("CW next: ") + message.spoken);
    } else {
        m_spoken = message.spoken;
        m_announce = QStringLiteral("Sending CW: ") + message.spoken;
        m_status->setText(QStringLiteral("Sending CW: ") + message.spoken);
    }
    m_send->start(message);
}

void Keyer::stop()
{
    if (!m_send->running()) {
        m_status->setText(QStringLiteral("CW: nothing is being sent"));
        announce(window(), m_status->text());
        return;
    }
    m_send->stop();
}

void Keyer::finished(const KeyerSendResult& result)
{
    QString said;
    if (result.failed)
        said = QStringLiteral("CW stopped: a text could not be sent to the radio (%1 of %2 sent)")
                   .arg(result.textsSent)
                   .arg(result.texts);
    else if (result.stopped)
        said = QStringLiteral("CW stopped after text %1 of %2; the radio keys what it holds, "
                              "about %3 s more")
                   .arg(result.textsSent)
                   .arg(result.texts)
                   .arg((result.keyingLeftMs + 999) / 1000);
    else
        said = QStringLiteral("CW sent: ") + m_spoken;
    m_status->setText(said);
    announce(window(), said);
    // The keyboard back where the message started (from Stop, or from a box
    // that took it), unless the operator has since taken it to another control.
    QWidget* focus = QApplication::focusWidget();
    if (m_starter && (!focus || focus == m_stop))
        m_starter->setFocus();
    m_starter = nullptr;
}

void build(QGroupBox* box, StationContext& context)
{
    new Keyer(box, context);
}

QList<KeyBinding> keys()
{
    QList<KeyBinding> bindings;
    for (int i = 0; i < memoryCount; ++i) {
        bindings.append({QStringLiteral("cmdCwMemory%1").arg(i + 1),
                         QStringLiteral("Send CW memory %1").arg(i + 1),
                         QStringLiteral("Ctrl+F%1").arg(i + 1)});
        bindings.append({QStringLiteral("txtCwText%1").arg(i + 1),
                         QStringLiteral("CW memory %1 text (field)").arg(i + 1),
                         QStringLiteral("Ctrl+Shift+E, %1").arg(i + 1)});
        bindings.append({QStringLiteral("txtCwLabel%1").arg(i + 1),
                         QStringLiteral("CW memory %1 label (field)").arg(i + 1),
                         QStringLiteral("Ctrl+Shift+J, %1").arg(i + 1)});
    }
    bindings.append({QStringLiteral("txtCwLine"), QStringLiteral("CW line to send (field)"),
                     QStringLiteral("Ctrl+K")});
    bindings.append({QStringLiteral("spnCwSpeed"), QStringLiteral("CW speed (field)"),
                     QStringLiteral("Alt+W")});
    bindings.append({QStringLiteral("txtCallSign"), QStringLiteral("Your call sign (field)"),
                     QStringLiteral("Ctrl+Shift+C")});
    bindings.append(
        {QStringLiteral("cmdCwStop"), QStringLiteral("Stop CW"), QStringLiteral("Ctrl+Shift+K")});
    return bindings;
}
} // namespace

extern const Section keyerSection{"KeyerSection", "CW keyer", build, keys};
