#pragma once

// The platform seam: everything Quillard asks of the operating system that
// differs between Windows and Linux, and the only place that calls the
// operating system directly (the session bus included). Each platform has its
// .cpp files (*_linux.cpp, *_windows.cpp) and CMake builds the ones for the
// target. This layer needs Qt Core (and Qt DBus on Linux) and knows no window
// and no settings file: the layers above (the radio link, the program) decide
// what to do with what it finds.

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class QObject;

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

// Where the operating system shows its devices. Tests point these at
// folders of their own to stand in for a machine's hardware.
struct SystemFolders {
    QString sys = QStringLiteral("/sys");                     // sysfs
    QString dev = QStringLiteral("/dev");                     // device nodes
    QString serialById = QStringLiteral("/dev/serial/by-id"); // USB serial adapters by name
};
inline SystemFolders& systemFoldersInUse()
{
    static SystemFolders folders;
    return folders;
}
inline const SystemFolders& systemFolders()
{
    return systemFoldersInUse();
}
inline void setSystemFolders(const SystemFolders& folders)
{
    systemFoldersInUse() = folders;
}

// The device that serial port number N names.
QString serialDevicePath(int portNumber);

// Where the link that points port number N at a device lives (the comN link in
// the settings folder), whether or not it exists; empty where ports are not
// linked but numbered by the system.
QString serialLinkPath(int portNumber);

// The device a path leads to once every link is followed, for opening it:
// serial programs lock a port under the device's own name. A path that leads
// nowhere is returned as it is, so the opening reports it.
QString serialDeviceBehind(const QString& path);

// What the operating system knows of the hardware behind a device.
enum class SerialHardware {
    Missing, // nothing there
    Uart,    // a built-in serial port with a UART the system found
    NoUart,  // a built-in serial port's device with no hardware behind it
    Other,   // some other device (a USB adapter, a pseudo-terminal, ...)
};
SerialHardware serialHardware(const QString& path);

// A USB serial adapter as the system names it (its by-id link) and its device.
struct SerialAdapter {
    QString name;   // "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
    QString path;   // the by-id link, which stays the same across replugging
    QString device; // where it leads now ("/dev/ttyUSB0")
};
QList<SerialAdapter> serialAdapters();

// Makes port number N reach the given device from now on (the comN link in the
// settings folder). Returns an empty text on success, else why not.
QString linkSerialPort(int portNumber, const QString& device);

// Another running program that holds a device's lock file, by the convention
// serial programs share; none when the device is free or the lock is stale.
struct SerialLockHolder {
    qint64 pid = 0;
    QString program;  // its name, when it can be had
    QString lockFile; // the file that holds the lock
};
std::optional<SerialLockHolder> serialLockHolder(const QString& device);

// A lock file left by a process that no longer runs (or whose process id now
// belongs to another program): the serial layer removes such a file itself
// where it may, so one that stops an opening is one this user may not remove.
struct StaleSerialLock {
    qint64 pid = 0;   // the process that left it
    QString lockFile; // where it is
};
std::optional<StaleSerialLock> staleSerialLock(const QString& device);

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

// Bytes an open device has taken but not yet put on the line (does not block).
qint64 bytesWaitingToLeave(qintptr handle);

// Whether an open device has been hung up: unplugged, or its far end closed.
bool deviceHungUp(qintptr handle);

// Calls `endProgram` from the event loop whenever the operating system asks
// the program to end: on Linux SIGTERM (kill, logout), SIGHUP (its terminal
// closed) and SIGINT (Ctrl+C), which would otherwise end it on the spot and
// leave its port's lock file behind. A second one of the same kind still
// ends it at once; one ignored at start stays ignored. On Windows the window
// system asks the windows themselves to close, so nothing is needed. Call
// once, in the thread of the event loop; `context` owns the watch.
void onEndRequest(QObject* context, std::function<void()> endProgram);

// Follows whether a screen reader runs, for as long as `context` lives:
// calls `changed` from the event loop once the answer is known, and again
// each time it changes. Never waits for the answer. On Linux it asks AT-SPI
// (ScreenReaderEnabled of org.a11y.Status, on the session bus) and follows
// that property's changes; with no session bus, or no answer, `changed` is
// never called. On Windows it asks SystemParametersInfo(SPI_GETSCREENREADER)
// once, at the call: a screen reader started later is not seen. Call in the
// thread of the event loop.
void watchScreenReader(QObject* context, std::function<void(bool running)> changed);

// Starts the platform's system-information tool without waiting for it.
// Returns false when there is none to start.
bool startSystemInformationTool();

} // namespace Platform
