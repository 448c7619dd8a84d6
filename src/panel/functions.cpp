#include "panel/functions.h"

#include "clock/clock.h"
#include "panel/panelcanvas.h"
#include "panel/panelcontext.h"
#include "panel/radiopicture.h"
#include "panel/spokenresult.h"
#include "panel/switchbutton.h"
#include "session/cues.h"

#include <QAbstractButton>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

namespace {
// A push button of the "Settings" or "Transmission" frame. With a state it is
// a switching button: each press sends the setting for the current state and
// moves the state on, round a cycle of two or three.
struct FunctionButton {
    const char* name;
    const char* caption;
    const char* toolTip;
    Frame frame;
    int place; // position in its frame's stack
    CatCommand (*command)();
    const char* cue;
    qint16 PanelState::*state;
    Switch which;
    std::array<int, 3> settingAtState;
    int cycle;
    double pauseSeconds;
};

constexpr QSize settingsButtonSize(73, 30);
constexpr QSize transmissionButtonSize(59, 18);

constexpr CatCommand (*noCommand)() = nullptr;
constexpr qint16 PanelState::*noState = nullptr;

FunctionButton pushButton(const char* name, const char* caption, const char* toolTip, Frame frame,
                          int place, CatCommand (*command)(), const char* cue = nullptr)
{
    return {name, caption, toolTip, frame, place, command, cue, noState, Switch::Lock, {}, 0, 0};
}

FunctionButton switchButton(const char* name, const char* caption, const char* toolTip, Frame frame,
                            int place, qint16 PanelState::*state, Switch which,
                            std::array<int, 3> settingAtState, int cycle, double pauseSeconds = 0)
{
    return {name,    caption, toolTip, frame,          place, noCommand,
            nullptr, state,   which,   settingAtState, cycle, pauseSeconds};
}

const std::array<FunctionButton, 15> functionButtons = {
    pushButton(
        "Command1", "Tune Antenna", "Antenna Tuner", Frame::Settings, 0,
        [] { return CatCommand::tuneAntenna(); }, Cue::TuneAntenna),
    pushButton(
        "Command3", "Antenna 1", "Switch to Antenna 1", Frame::Settings, 1,
        [] { return CatCommand::antenna(1); }, Cue::Antenna1),
    pushButton(
        "Command13", "Antenna 2", "Switch to Antenna 2", Frame::Settings, 2,
        [] { return CatCommand::antenna(2); }, Cue::Antenna2),
    pushButton("Command4", "Frequency  Up", "Move Frequency Up", Frame::Settings, 3,
               [] { return CatCommand::frequencyUp(); }),
    pushButton("Command5", "Frequency Down", "Move Frequency Down", Frame::Settings, 4,
               [] { return CatCommand::frequencyDown(); }),
    switchButton("Command6", "Freq Lock", "Lock the Frequency", Frame::Settings, 5,
                 &PanelState::LockState, Switch::Lock, {1, 0}, 2),
    switchButton("Command7", "Speech Processor", "Turn Speech Processor On/Off", Frame::Settings, 6,
                 &PanelState::ProcessorState, Switch::Processor, {1, 0}, 2),
    switchButton("Command8", "Preamplifier", "Turn Preamp On/Off", Frame::Settings, 7,
                 &PanelState::PreampState, Switch::Preamplifier, {1, 0}, 2),
    switchButton("Command9", "Noice Reduction", "Turn NR On/Off", Frame::Settings, 8,
                 &PanelState::NoiseReductionState, Switch::NoiseReduction, {1, 2, 0}, 3),
    // The noise blanker's first press sends its "off" setting.
    switchButton("Command10", "Noice Blanker", "Turn NB On/Off", Frame::Settings, 9,
                 &PanelState::NoiseBlankerState, Switch::NoiseBlanker, {0, 1}, 2),
    switchButton("Command11", "RF Attenuator", "Turn RF Attenuator On/Off", Frame::Settings, 10,
                 &PanelState::AttenuatorState, Switch::Attenuator, {1, 0}, 2),
    switchButton("Command12", "Scan On/Off", "Start/Stop Scanning", Frame::Settings, 11,
                 &PanelState::ScanState, Switch::Scan, {1, 0}, 2),
    pushButton("Command14", "Transmit", nullptr, Frame::Transmission, 0,
               [] { return CatCommand::transmit(); }),
    pushButton("Command15", "Receive", nullptr, Frame::Transmission, 1,
               [] { return CatCommand::receive(); }),
    switchButton("Command16", "VOX", nullptr, Frame::Transmission, 2, &PanelState::VoxState,
                 Switch::Vox, {1, 0}, 2, 0.2),
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

// Returns, for a switch, whether the setting it sent is "on".
std::optional<bool> press(PanelContext& panel, const FunctionButton& button)
{
    if (!button.state) {
        panel.SendCommand(button.command());
        if (button.cue)
            panel.PlayCue(button.cue);
        return std::nullopt;
    }
    qint16& state = panel.state.*button.state;
    // Only the button changes its state, but never index past the cycle.
    const int current = state >= 0 && state < button.cycle ? state : button.cycle - 1;
    state = static_cast<qint16>((current + 1) % button.cycle);
    const CatCommand setting = CatCommand::setSwitch(button.which, button.settingAtState[current]);
    panel.SendCommand(setting);
    // The pause keeps the window working: other buttons, this one included,
    // run to completion inside it.
    if (button.pauseSeconds > 0) {
        panel.report();
        WaitSeconds(button.pauseSeconds);
    }
    return switchSetting(setting.text());
}
// The radio picture only plays a sound.
void Picture1_Click()
{
    PlayCue(QString::fromLatin1(Cue::Tickles));
}
} // namespace

void buildFunctionControls(PanelContext& panel, PanelCanvas& canvas)
{
    for (const FunctionButton& row : functionButtons) {
        const FrameSpec& frame = frameSpec(row.frame);
        const QRect place =
            row.frame == Frame::Settings
                ? stackedInFrame(frame, row.place, settingsButtonSize, Qt::Vertical)
                : stackedInFrame(frame, row.place, transmissionButtonSize, Qt::Horizontal);
        auto made = std::make_shared<QPointer<QAbstractButton>>();
        *made = canvas.addPushButton(canvas.widget(), place, row.name, row.caption, row.toolTip,
                                     [&panel, &row, made] {
                                         const std::optional<bool> on = press(panel, row);
                                         if (on && *made)
                                             showSwitchSetting(*made, *on);
                                     });
        if (row.state)
            makeSwitch(*made);
    }

    for (int index = 0; const PowerButton& row : powerButtons)
        canvas.addColumnButton(Frame::Power, index++, row.name, row.caption, [&panel, &row] {
            panel.SendCommand(CatCommand::power(row.on));
            panel.PlayCue(row.cue);
        });

    auto* picture = new RadioPicture(canvas.widget());
    QObject::connect(picture, &RadioPicture::clicked, picture, Picture1_Click);
    canvas.keep(picture);
}
