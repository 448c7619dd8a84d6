#include "panel/panelkeys.h"

#include "panel/bands.h"
#include "panel/quickmemory.h"
#include "station/bands.h"
#include "station/modes.h"

#include <array>

namespace {
struct Keyed {
    const char* control;
    const char* what;
    const char* keys;
};

// The mode buttons' letters, in the order of modeChoices.
constexpr std::array<const char*, 6> modeLetters = {"L", "U", "C", "F", "A", "K"};
// The time signals' keys after Ctrl+G, in the order of timeSignals.
constexpr std::array<const char*, 3> timeSignalKeys = {"5", "1, 0", "1, 5"};
constexpr std::array<const char*, 3> vfoKeys = {"Ctrl+Shift+A", "Ctrl+Shift+B", "Ctrl+Shift+M"};
static_assert(modeLetters.size() == modeChoices.size());
static_assert(timeSignalKeys.size() == timeSignals.size());
static_assert(vfoKeys.size() == vfoButtons.size());

constexpr std::array<Keyed, 19> pushButtons = {{
    {"Command4", "Frequency Up", "Ctrl+Up"},
    {"Command5", "Frequency Down", "Ctrl+Down"},
    {"Command3", "Antenna 1", "Ctrl+N, 1"},
    {"Command13", "Antenna 2", "Ctrl+N, 2"},
    {"Command1", "Tune Antenna", "Ctrl+N, T"},
    {"Command6", "Freq Lock", "Ctrl+W, L"},
    {"Command7", "Speech Processor", "Ctrl+W, P"},
    {"Command8", "Preamplifier", "Ctrl+W, A"},
    {"Command9", "Noise Reduction", "Ctrl+W, R"},
    {"Command10", "Noise Blanker", "Ctrl+W, B"},
    {"Command11", "RF Attenuator", "Ctrl+W, T"},
    {"Command12", "Scan On/Off", "Ctrl+W, S"},
    {"Command16", "VOX", "Ctrl+W, V"},
    {"Command14", "Transmit", "Ctrl+Shift+T"},
    {"Command15", "Receive", "Ctrl+Shift+R"},
    {"Option110", "Power On", "Ctrl+P, 1"},
    {"Option111", "Power Off", "Ctrl+P, 0"},
    {"Command18", "System Reset (asks first)", "Ctrl+Shift+Del"},
    {"Picture1", "The radio picture", "Ctrl+Shift+P"},
}};
} // namespace

QList<KeyBinding> panelKeys()
{
    QList<KeyBinding> keys;
    for (std::size_t i = 0; i < vfoButtons.size(); ++i)
        keys.append({QString::fromLatin1(vfoButtons[i].name),
                     QString::fromLatin1(vfoButtons[i].caption), QString::fromLatin1(vfoKeys[i])});
    for (std::size_t i = 0; i < bands.size(); ++i)
        keys.append({QString::fromLatin1(bands[i].name), QString::fromLatin1(bands[i].caption),
                     QStringLiteral("Ctrl+%1").arg(i + 1)});
    for (std::size_t i = 0; i < modeChoices.size(); ++i)
        keys.append({QString::fromLatin1(modeChoices[i].name),
                     QString::fromLatin1(modeChoices[i].caption),
                     QStringLiteral("Ctrl+D, %1").arg(QLatin1String(modeLetters[i]))});
    for (std::size_t i = 0; i < timeSignals.size(); ++i)
        keys.append({QString::fromLatin1(timeSignals[i].name),
                     QStringLiteral("Time signal %1").arg(QLatin1String(timeSignals[i].caption)),
                     QStringLiteral("Ctrl+G, %1").arg(QLatin1String(timeSignalKeys[i]))});
    for (const Keyed& button : pushButtons)
        keys.append({QString::fromLatin1(button.control), QString::fromLatin1(button.what),
                     QString::fromLatin1(button.keys)});
    for (int channel = 0; channel < memoryChannels; ++channel)
        keys.append({QStringLiteral("Option%1").arg(memoryControlNumber(channel)),
                     QStringLiteral("Mem %1").arg(channel, 2, 10, QLatin1Char('0')),
                     QStringLiteral("Ctrl+R, %1, %2").arg(channel / 10).arg(channel % 10)});
    return keys;
}
