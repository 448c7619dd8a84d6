#include "app/settings.h"

#include "app/cues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

QString settingsFilePath()
{
    return GetWinPath() + QStringLiteral("/qd.cfg");
}

QString reconfigureAdvice(const QString& path)
{
    return QStringLiteral("To choose the port and baud rate again, delete %1 and start Quillard.")
        .arg(QDir::toNativeSeparators(path));
}

int portNumber(const QString& comm)
{
    bool ok = false;
    const int number = comm.toInt(&ok);
    return ok && number >= 1 && number <= 255 ? number : 0;
}

bool isSerialBaudRate(const QString& baud)
{
    static constexpr std::array<int, 22> rates = {
        50,    75,    110,   134,    150,    200,    300,    600,    1200,   1800,   2400,
        4800,  9600,  19200, 38400,  57600,  115200, 230400, 460800, 500000, 576000, 921600};
    bool ok = false;
    const int rate = baud.toInt(&ok);
    return ok && std::find(rates.begin(), rates.end(), rate) != rates.end();
}

QString settingsProblem(const RadioSettings& settings)
{
    if (portNumber(settings.Comm) == 0)
        return QStringLiteral("the port number \"%1\" on its first line is not a number from 1 to 255")
            .arg(settings.Comm);
    if (!isSerialBaudRate(settings.Baud))
        return QStringLiteral("the baud rate \"%1\" on its second line is not a rate a serial port takes")
            .arg(settings.Baud);
    return {};
}

SettingsRead readSettingsFile(const QString& path)
{
    SettingsRead result;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = QStringLiteral("The settings file %1 cannot be read (%2). %3")
                             .arg(shown, file.errorString(), reconfigureAdvice(path));
        return result;
    }
    // Two short lines are all there is; a huge file is not a settings file.
    const QByteArray bytes = file.read(4096);
    QList<QByteArray> lines;
    QByteArray line;
    bool ended = true;
    for (qsizetype i = 0; i < bytes.size() && lines.size() < 2; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            ended = true;
        } else {
            line.append(c);
            ended = false;
        }
    }
    if (!ended && lines.size() < 2)
        lines.append(line);
    if (lines.size() > 0)
        result.settings.Comm = QString::fromLatin1(lines[0]);
    if (lines.size() > 1)
        result.settings.Baud = QString::fromLatin1(lines[1]);

    QString why;
    if (lines.isEmpty())
        why = QStringLiteral("it is empty");
    else if (lines.size() < 2)
        why = QStringLiteral("it has only one line; it needs the port number and the baud rate");
    else
        why = settingsProblem(result.settings);
    if (!why.isEmpty())
        result.problem = QStringLiteral("The settings file %1 cannot be used: %2. %3")
                             .arg(shown, why, reconfigureAdvice(path));
    return result;
}

QString writeSettingsFile(const RadioSettings& settings, const QString& path)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return QStringLiteral("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(dir));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("The settings file %1 cannot be written (%2).")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    const QByteArray bytes =
        settings.Comm.toLatin1() + "\r\n" + settings.Baud.toLatin1() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("The settings file %1 cannot be written (%2).")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}
