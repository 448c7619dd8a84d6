// The Windows side of the platform seam. Not built on Linux.
#include "platform/platform.h"

#include <QFile>
#include <QMetaObject>
#include <QProcess>

// windows.h first: mmsystem.h uses its types and does not include it.
#include <windows.h>

#include <mmsystem.h>

namespace {

// Reads one value under HKEY_LOCAL_MACHINE. Strings come back unchanged;
// other types are not used by Quillard and report not found.
bool readMachineValue(const char* keyPath, const char* valueName, QString* value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, 0x2003F, &key) != ERROR_SUCCESS)
        return false;
    char data[1024] = {};
    DWORD type = 0;
    DWORD length = sizeof data;
    const LONG result =
        RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &length);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    if (length > 0 && data[length - 1] == '\0')
        --length;
    *value = QString::fromLocal8Bit(data, static_cast<int>(length));
    return true;
}

} // namespace

namespace Platform {

QString settingsDirectory()
{
    char buffer[260] = {};
    if (GetWindowsDirectoryA(buffer, 260) == 0)
        return {};
    return QString::fromLocal8Bit(buffer);
}

void playSoundFileBlocking(const QString& path)
{
    sndPlaySoundA(QFile::encodeName(path).constData(), 0);
}

QString serialDevicePath(int portNumber)
{
    return QStringLiteral("COM%1").arg(portNumber);
}

QString serialLinkPath(int)
{
    return {};
}

QString serialDeviceBehind(const QString& path)
{
    return path;
}

SerialHardware serialHardware(const QString&)
{
    // COMn is there or not as the opening finds; Windows lists no ports without hardware.
    return SerialHardware::Other;
}

QList<SerialAdapter> serialAdapters()
{
    // A USB adapter gets a COM number of its own from Windows, shown in the
    // Device Manager; there is nothing to link.
    return {};
}

QString linkSerialPort(int, const QString&)
{
    return QStringLiteral("Windows numbers its serial ports itself; choose the port's number in "
                          "the Device Manager");
}

std::optional<SerialLockHolder> serialLockHolder(const QString&)
{
    // Windows opens a COM port for one program only; the opening reports a holder.
    return std::nullopt;
}

std::optional<StaleSerialLock> staleSerialLock(const QString&)
{
    // No lock files: a port another program left is free once it has ended.
    return std::nullopt;
}

QString serialRelinkAdvice(int)
{
    return {};
}

DeviceKind deviceKind(const QString& path)
{
    // COMn names a device, not a file; opening it tells whether it is there.
    Q_UNUSED(path);
    return DeviceKind::CharacterDevice;
}

bool mayReadAndWrite(const QString&)
{
    return true;
}

bool deviceTakesData(qintptr)
{
    return true;
}

qint64 bytesWaitingToLeave(qintptr handle)
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(reinterpret_cast<HANDLE>(handle), &errors, &status))
        return 0;
    return status.cbOutQue;
}

bool deviceHungUp(qintptr)
{
    // A removed COM device fails its next call; the serial layer reports that.
    return false;
}

void watchScreenReader(QObject* context, std::function<void(bool running)> changed)
{
    // Narrator, NVDA and JAWS set this flag while they run. Asked once; the
    // answer is given from the event loop, as on Linux.
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENREADER, 0, &running, 0))
        return;
    QMetaObject::invokeMethod(
        context, [changed = std::move(changed), running] { changed(running != FALSE); },
        Qt::QueuedConnection);
}

bool startSystemInformationTool()
{
    QString path;
    if (!readMachineValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", &path)) {
        QString folder;
        if (!readMachineValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", &folder))
            return false;
        path = folder + QStringLiteral("\\MSINFO32.EXE");
        if (!QFile::exists(path))
            return false;
    }
    return QProcess::startDetached(path, {});
}

} // namespace Platform
