#include "fakemachine.h"

#include <QDir>
#include <QFile>

FakeMachine::FakeMachine() : m_before(Platform::systemFolders())
{
    m_folders.sys = m_root.filePath(QStringLiteral("sys"));
    m_folders.dev = m_root.filePath(QStringLiteral("dev"));
    m_folders.serialById = m_root.filePath(QStringLiteral("dev/serial/by-id"));
    QDir().mkpath(m_folders.sys + QStringLiteral("/class/tty"));
    QDir().mkpath(m_folders.serialById);
    Platform::setSystemFolders(m_folders);
}

FakeMachine::~FakeMachine()
{
    Platform::setSystemFolders(m_before);
}

void FakeMachine::builtInPort(int index, int uartType)
{
    const QString name = QStringLiteral("ttyS%1").arg(index);
    const QString sys = m_folders.sys + QStringLiteral("/class/tty/") + name;
    QDir().mkpath(sys);
    QFile type(sys + QStringLiteral("/type"));
    if (!type.open(QIODevice::WriteOnly) || type.write(QByteArray::number(uartType) + '\n') < 0)
        qFatal("cannot write the fake sysfs");
    QFile::link(QStringLiteral("/dev/null"), dev(name));
}

void FakeMachine::adapter(const QString& name, const QString& device)
{
    if (!QFile::link(device, byId(name)))
        qFatal("cannot make the fake by-id link");
}
