#pragma once

// The platform seam. Everything Quillard needs from the operating system that
// differs between Windows and Linux sits behind these few functions; each
// platform has one .cpp file (platform_linux.cpp, platform_windows.cpp) and
// CMake picks the one to build.

#include <QString>
#include <QStringList>

namespace Platform {

// The folder that holds qd.cfg and the cue sounds: the Windows directory on
// Windows, <XDG config dir>/quillard on Linux. Empty when none can be had.
QString settingsDirectory();

// Plays a sound file to its end, blocking the calling thread. A file that is
// missing or unreadable plays the platform's short alert sound instead; no
// audio device means silence. Never shows anything, never throws.
void playSoundFileBlocking(const QString& path);

// The device path that serial port number N names.
QString serialDevicePath(int portNumber);

// Starts the platform's system-information tool without waiting for it.
// Returns false when there is none to start.
bool startSystemInformationTool();

} // namespace Platform
