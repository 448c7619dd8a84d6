#include "panel/functions.h"

#include "app/cues.h"
#include "app/wait.h"
#include "panel/form2.h"
#include "panel/panelframe.h"
#include "panel/radiopicture.h"
#include "panel/selectiongroup.h"

#include <QAbstractButton>

#include <array>

namespace {
// A push button of the "Settings" or "Transmission" frame. With a state it is
// a switching button: each press sends the setting for the current state and
// moves the state on, round a cycle of two or three.
struct FunctionButton {
    const char* name;
    const char* caption;
    const char* toolTip;
    const char* frame;
    int place; // position in its frame's stack
    CatCommand (*command)();
    const char* cue;
    qint16 Form2::*state;
    Switch which;
    std::array<int, 3> settingAtState;
    int cycle;
    double pauseSeconds;
};

constexpr QSize settingsButtonSize(73, 30);
constexpr QSize transmissionButtonSize(59, 18);
constexpr QSize columnButtonSize(61, 17);

constexpr CatCommand (*noCommand)() = nullptr;
constexpr qint16 Form2::*noState = nullptr;

FunctionButton pushButton(const char* name, const char* caption, const char* toolTip,
                          const char* frame, int place, CatCommand (*command)(),
                          const char* cue = nullptr)
{
    return {name, caption, toolTip, frame, place, command, cue, noState, Switch::Lock, {}, 0, 0};
}

FunctionButton switchButton(const char* name, const char* caption, const char* toolTip,
                            const char* frame, int place, qint16 Form2::*state, Switch which,
                            std::array<int, 3> settingAtState, int cycle, double pauseSeconds = 0)
{
    return {name,    caption, toolTip, frame,          place, noCommand,
            nullptr, state,   which,   settingAtState, cycle, pauseSeconds};
}

const std::array<FunctionButton, 15> functionButtons = {
    pushButton(
        "Command1", "Tune Antenna", "Antenna Tuner", "Frame3", 0,
        [] { return CatCommand::tuneAntenna(); }, Cue::TuneAntenna),
    pushButton(
        "Command3", "Antenna 1", "Switch to Antenna 1", "Frame3", 1,
        [] { return CatCommand::antenna(1); }, Cue::Antenna1),
    pushButton(
        "Command13", "Antenna 2", "Switch to Antenna 2", "Frame3", 2,
        [] { return CatCommand::antenna(2); }, Cue::Antenna2),
    pushButton("Command4", "Frequency  Up", "Move Frequency Up", "Frame3", 3,
               [] { return CatCommand::frequencyUp(); }),
    pushButton("Command5", "Frequency Down", "Move Frequency Down", "Frame3", 4,
               [] { return CatCommand::frequencyDown(); }),
    switchButton("Command6", "Freq Lock", "Lock the Frequency", "Frame3", 5, &Form2::LockState,
                 Switch::Lock, {1, 0}, 2),
    switchButton("Command7", "Speech Processor", "Turn Speech Processor On/Off", "Frame3", 6,
                 &Form2::ProcessorState, Switch::Processor, {1, 0}, 2),
    switchButton("Command8", "Preamplifier", "Turn Preamp On/Off", "Frame3", 7, &Form2::PreampState,
                 Switch::Preamplifier, {1, 0}, 2),
    switchButton("Command9", "Noice Reduction", "Turn NR On/Off", "Frame3", 8,
                 &Form2::NoiseReductionState, Switch::NoiseReduction, {1, 2, 0}, 3),
    // The noise blanker's first press sends its "off" setting.
    switchButton("Command10", "Noice Blanker", "Turn NB On/Off", "Frame3", 9,
                 &Form2::NoiseBlankerState, Switch::NoiseBlanker, {0, 1}, 2),
    switchButton("Command11", "RF Attenuator", "Turn RF Attenuator On/Off", "Frame3", 10,
                 &Form2::AttenuatorState, Switch::Attenuator, {1, 0}, 2),
    switchButton("Command12", "Scan On/Off", "Start/Stop Scanning", "Frame3", 11, &Form2::ScanState,
                 Switch::Scan, {1, 0}, 2),
    pushButton("Command14", "Transmit", nullptr, "Frame7", 0,
               [] { return CatCommand::transmit(); }),
    pushButton("Command15", "Receive", nullptr, "Frame7", 1, [] { return CatCommand::receive(); }),
    switchButton("Command16", "VOX", nullptr, "Frame7", 2, &Form2::VoxState, Switch::Vox, {1, 0}, 2,
                 0.2),
};

struct PowerButton {
    const char* name;
    const char* caption;
    bool on;
    const char* cue;
};

constexpr std::array<PowerButton, 2> powerButtons = {{
    {"Option110", "On", true, Cue::PowerOn},
    {"Option111", "Off", false, Cue::PowerOff},
}};

void press(Form2& panel, const FunctionButton& button)
{
    if (!button.state) {
        panel.SendCommand(button.command());
        if (button.cue)
            PlayCue(QString::fromLatin1(button.cue));
        return;
    }
    qint16& state = panel.*button.state;
    // Only the button changes its state, but never index past the cycle.
    const int current = state >= 0 && state < button.cycle ? state : button.cycle - 1;
    state = static_cast<qint16>((current + 1) % button.cycle);
    panel.SendCommand(CatCommand::setSwitch(button.which, button.settingAtState[current]));
    // The pause keeps the window working: other buttons, this one included,
    // run to completion inside it.
    if (button.pauseSeconds > 0)
        WaitSeconds(button.pauseSeconds);
}
} // namespace

void buildFunctionControls(Form2& panel, QWidget* canvas)
{
    for (const FunctionButton& row : functionButtons) {
        const FrameSpec& frame = frameSpec(row.frame);
        const bool inColumn = frame.geometry.height() > frame.geometry.width();
        const QRect place =
            inColumn ? stackedInFrame(frame, row.place, settingsButtonSize, Qt::Vertical)
                     : stackedInFrame(frame, row.place, transmissionButtonSize, Qt::Horizontal);
        QAbstractButton* button = makePushButton(canvas, row.name, row.caption, place, row.toolTip);
        auto act = [&panel, &row] { press(panel, row); };
        panel.setHandler(button->objectName(), act);
        QObject::connect(button, &QAbstractButton::clicked, &panel, act);
    }

    const FrameSpec& power = frameSpec("Frame6");
    for (int index = 0; const PowerButton& row : powerButtons) {
        const QRect place = stackedInFrame(power, index++, columnButtonSize, Qt::Vertical);
        QAbstractButton* button =
            makeColumnSelectionButton(canvas, row.name, row.caption, power, place);
        auto act = [&panel, &row] {
            panel.SendCommand(CatCommand::power(row.on));
            PlayCue(QString::fromLatin1(row.cue));
        };
        panel.setHandler(button->objectName(), act);
        panel.selectionGroup().add(button, act);
    }

    auto* picture = new RadioPicture(canvas);
    auto tickle = [] { PlayCue(QString::fromLatin1(Cue::Tickles)); };
    panel.setHandler(picture->objectName(), tickle);
    QObject::connect(picture, &RadioPicture::clicked, &panel, tickle);
}
