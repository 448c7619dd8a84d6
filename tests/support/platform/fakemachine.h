#pragma once

// A machine's serial hardware of the test's own making: a fake sysfs, /dev
// and by-id folder in a temporary folder, handed to the platform seam for as
// long as this lives (the real folders come back after).
//
//   FakeMachine machine;
//   machine.builtInPort(0, 4);                 // ttyS0 with a 16550A UART
//   machine.builtInPort(1, 0);                 // ttyS1, no UART behind it
//   machine.adapter("usb-FTDI_...-port0", pty.devicePath());
//
// Device nodes cannot be made without privileges, so a fake device is a link
// to a real one (/dev/null unless told otherwise).

#include "platform/platform.h"

#include <QString>
#include <QTemporaryDir>

class FakeMachine {
public:
    FakeMachine();
    ~FakeMachine();
    FakeMachine(const FakeMachine&) = delete;
    FakeMachine& operator=(const FakeMachine&) = delete;

    // /dev/ttyS<index> with the UART type sysfs gives for it (0: none found).
    void builtInPort(int index, int uartType);
    // A USB serial adapter's by-id link, leading to the given device.
    void adapter(const QString& name, const QString& device = QStringLiteral("/dev/null"));

    const Platform::SystemFolders& folders() const { return m_folders; }
    QString dev(const QString& name) const { return m_folders.dev + QLatin1Char('/') + name; }
    QString byId(const QString& name) const
    {
        return m_folders.serialById + QLatin1Char('/') + name;
    }
    QString path(const QString& name) const { return m_root.filePath(name); }

private:
    QTemporaryDir m_root;
    Platform::SystemFolders m_folders;
    Platform::SystemFolders m_before;
};
