#include "panel/functions.h"

#include "controls/stationcontext.h"
#include "panel/panelcanvas.h"
#include "panel/radiopicture.h"
#include "panel/switchbutton.h"
#include "session/cues.h"

#include <QAbstractButton>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

namespace {
// A push button of the "Settings" or "Transmission" frame: a plain one acts
// through act, a switching one steps its switch round its cycle.
struct FunctionButton {
    const char* name;
    const char* caption;
    const char* toolTip;
    Frame frame;
    int place; // position in its frame's stack
    StationStep (*act)(const StationState& state);
    std::optional<Switch> switching;
};

constexpr QSize settingsButtonSize(73, 30);
constexpr QSize transmissionButtonSize(59, 18);

constexpr FunctionButton pushButton(const char* name, const char* caption, const char* toolTip,
                                    Frame frame, int place,
                                    StationStep (*act)(const StationState& state))
{
    return {name, caption, toolTip, frame, place, act, std::nullopt};
}

constexpr FunctionButton switchButton(const char* name, const char* caption, const char* toolTip,
                                      Frame frame, int place, Switch which)
{
    return {name, caption, toolTip, frame, place, nullptr, which};
}

constexpr std::array<FunctionButton, 15> functionButtons = {
    pushButton("Command1", "Tune Antenna", "Antenna Tuner", Frame::Settings, 0,
               Station::tuneAntenna),
    pushButton("Command3", "Antenna 1", "Switch to Antenna 1", Frame::Settings, 1,
               [](const StationState& state) { return Station::selectAntenna(state, 1); }),
    pushButton("Command13", "Antenna 2", "Switch to Antenna 2", Frame::Settings, 2,
               [](const StationState& state) { return Station::selectAntenna(state, 2); }),
    pushButton(
        "Command4", "Frequency  Up", "Move Frequency Up", Frame::Settings, 3,
        [](const StationState& state) { return Station::stepFrequency(state, FrequencyStep::Up); }),
    pushButton("Command5", "Frequency Down", "Move Frequency Down", Frame::Settings, 4,
               [](const StationState& state) {
                   return Station::stepFrequency(state, FrequencyStep::Down);
               }),
    switchButton("Command6", "Freq Lock", "Lock the Frequency", Frame::Settings, 5, Switch::Lock),
    switchButton("Command7", "Speech Processor", "Turn Speech Processor On/Off", Frame::Settings, 6,
                 Switch::Processor),
    switchButton("Command8", "Preamplifier", "Turn Preamp On/Off", Frame::Settings, 7,
                 Switch::Preamplifier),
    switchButton("Command9", "Noice Reduction", "Turn NR On/Off", Frame::Settings, 8,
                 Switch::NoiseReduction),
    switchButton("Command10", "Noice Blanker", "Turn NB On/Off", Frame::Settings, 9,
                 Switch::NoiseBlanker),
    switchButton("Command11", "RF Attenuator", "Turn RF Attenuator On/Off", Frame::Settings, 10,
                 Switch::Attenuator),
    switchButton("Command12", "Scan On/Off", "Start/Stop Scanning", Frame::Settings, 11,
                 Switch::Scan),
    pushButton("Command14", "Transmit", nullptr, Frame::Transmission, 0, Station::transmit),
    pushButton("Command15", "Receive", nullptr, Frame::Transmission, 1, Station::receive),
    switchButton("Command16", "VOX", nullptr, Frame::Transmission, 2, Switch::Vox),
};

struct PowerButton {
    const char* name;
    const char* caption;
    bool on;
};

constexpr std::array<PowerButton, 2> powerButtons = {{
    {"Option110", "On", true},
    {"Option111", "Off", false},
}};

// Command1_Click, Command3_Click ... Command16_Click.
void function_Click(StationContext& panel, const FunctionButton& button)
{
    if (button.switching)
        panel.carryOut(Station::pressSwitch(panel.station(), *button.switching));
    else
        panel.carryOut(button.act(panel.station()));
}

// Option110_Click, Option111_Click.
void power_Click(StationContext& panel, const PowerButton& button)
{
    panel.carryOut(Station::switchPower(panel.station(), button.on));
}

// The radio picture only plays a sound.
void Picture1_Click(StationContext& panel)
{
    panel.playCue(Cue::Tickles);
}
} // namespace

void buildFunctionControls(StationContext& panel, PanelCanvas& canvas)
{
    for (const FunctionButton& row : functionButtons) {
        const FrameSpec& frame = frameSpec(row.frame);
        const QRect place =
            row.frame == Frame::Settings
                ? stackedInFrame(frame, row.place, settingsButtonSize, Qt::Vertical)
                : stackedInFrame(frame, row.place, transmissionButtonSize, Qt::Horizontal);
        auto made = std::make_shared<QPointer<QAbstractButton>>();
        *made = canvas.addPushButton(
            canvas.widget(), place, row.name, row.caption, row.toolTip, [&panel, &row, made] {
                function_Click(panel, row);
                // As last sent now, after any press that ran inside this one's pause.
                if (row.switching && *made)
                    showSwitchSetting(*made, panel.station().switches.isOn(*row.switching));
            });
        if (row.switching)
            makeSwitch(*made);
    }

    for (int index = 0; const PowerButton& row : powerButtons)
        canvas.addColumnButton(Frame::Power, index++, row.name, row.caption,
                               [&panel, &row] { power_Click(panel, row); });

    auto* picture = new RadioPicture(canvas.widget());
    QObject::connect(picture, &RadioPicture::clicked, picture, [&panel] { Picture1_Click(panel); });
    canvas.keep(picture);
}
