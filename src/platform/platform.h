#pragma once

// The platform seam: everything Quillard asks of the operating system that
// differs between Windows and Linux, and the only place that calls the
// operating system directly. Each platform has one .cpp file
// (platform_linux.cpp, platform_windows.cpp) and CMake builds the one for the
// target. This layer needs Qt Core only and knows no window and no settings
// file: the layers above (the radio link, the program) decide what to do
// with what it finds.

#include <QString>
#include <QtGlobal>

namespace Platform {

// The folder that holds qd.cfg and the cue sounds: the Windows directory on
// Windows, <XDG config dir>/quillard on Linux. Empty when none can be had.
QString settingsDirectory();

// Plays a sound file to its end, blocking the calling thread. A file that is
// missing or unreadable, or anything that is not a plain file (a named pipe,
// a device), plays the platform's short alert sound instead: opening a cue
// never waits on another program. No audio device means silence. Never shows
// anything, never throws.
void playSoundFileBlocking(const QString& path);

// The device that serial port number N names.
QString serialDevicePath(int portNumber);

// What the operator can do to make port number N reach another device, as
// the end of a sentence ("link the port to your serial device, for example:
// ln -s /dev/ttyUSB0 ~/.config/quillard/com1"); empty where nothing can be done.
QString serialRelinkAdvice(int portNumber);

// What a path names, after links, as far as a serial port is concerned.
enum class DeviceKind {
    Missing,         // nothing there (or it cannot be looked at)
    CharacterDevice, // a device a serial port can be
    NotADevice,      // a plain file, a folder, ...
};
DeviceKind deviceKind(const QString& path);

// Whether this user may open the path for reading and writing.
bool mayReadAndWrite(const QString& path);

// Whether an open device has room for more bytes right now (does not block).
bool deviceTakesData(qintptr handle);

// Starts the platform's system-information tool without waiting for it.
// Returns false when there is none to start.
bool startSystemInformationTool();

} // namespace Platform
