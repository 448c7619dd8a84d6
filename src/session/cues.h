#pragma once

// Sound cues. Every cue of the program goes through PlayCue(), which looks the
// file up by name and plays it to its end on the calling (window) thread. The
// settings directory comes first, so an operator's own recording wins; then
// the cues Quillard ships, under quillard/cues of the XDG data folders
// (/usr/share/quillard/cues when installed; XDG_DATA_DIRS moves them); then,
// for a program run from its build tree, the source tree's assets/cues. A cue
// found nowhere plays the platform's alert sound. The cue holds the window
// thread: a window flushes its own link first (RadioLink::flush), so the
// commands it sent leave while the cue plays.
//
// Tests replace the player with setCuePlayer() to record cues on the same
// timeline as the serial bytes.

#include <QString>

#include <array>
#include <functional>

namespace Cue {
inline constexpr const char* Online = "Online.wav";
inline constexpr const char* VfoA = "vfoa.wav";
inline constexpr const char* VfoB = "vfob.wav";
inline constexpr const char* Memory = "mem.wav";
inline constexpr const char* TuneAntenna = "anttun.wav";
inline constexpr const char* Antenna1 = "ant1.wav";
inline constexpr const char* Antenna2 = "ant2.wav";
inline constexpr const char* PowerOn = "pon.wav";
inline constexpr const char* PowerOff = "poff.wav";
inline constexpr const char* Tickles = "tickles.wav";
inline constexpr const char* Reset = "reset.wav";
inline constexpr const char* Programming = "programming.wav";

// Every cue file the program can ask for. The band cues are named in the
// station's band table (station/bands.h), which the build holds to this list.
inline constexpr std::array<const char*, 21> All = {
    Online,    VfoA,      VfoB,      "160m.wav", "80m.wav", "40m.wav",   "30m.wav",
    "20m.wav", "17m.wav", "15m.wav", "12m.wav",  "10m.wav", TuneAntenna, Antenna1,
    Antenna2,  PowerOn,   PowerOff,  Tickles,    Reset,     Programming, Memory};
} // namespace Cue

// The settings directory ("Windows directory"): where qd.cfg and the cues live.
QString GetWinPath();

// Plays the named cue (for example "20m.wav") to its end. Never fails the caller.
void PlayCue(const QString& name);

// The file PlayCue plays for this name: the first place above that has it,
// else the settings directory's (missing) file, which plays the alert.
QString cueFile(const QString& name);

// Where the cues of a program run from its build tree are (the source tree's
// assets/cues); looked at after the installed ones. Empty by default.
void setBuildTreeCueFolder(const QString& folder);

// Replaces what PlayCue does; an empty function restores real playback. For tests.
using CuePlayer = std::function<void(const QString& name)>;
void setCuePlayer(CuePlayer player);
