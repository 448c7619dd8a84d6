#include "session/portroute.h"

#include "session/cues.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
QString viaWord(PortRoute::Via via)
{
    switch (via) {
    case PortRoute::Via::Rigctld:
        return QStringLiteral("rigctld");
    case PortRoute::Via::Flrig:
        return QStringLiteral("flrig");
    case PortRoute::Via::Serial:
        break;
    }
    return QStringLiteral("serial");
}
} // namespace

quint16 PortRoute::defaultTcpPort(Via via)
{
    switch (via) {
    case Via::Rigctld:
        return 4532;
    case Via::Flrig:
        return 12345;
    case Via::Serial:
        break;
    }
    return 0;
}

QString portRoutePath(int port)
{
    return GetWinPath() + QStringLiteral("/com%1.conf").arg(port);
}

PortRoute readPortRoute(const QString& path)
{
    PortRoute route;
    if (!QFileInfo::exists(path))
        return route;
    const QString shown = QDir::toNativeSeparators(path);
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError) {
        route.problem = QStringLiteral("%1 cannot be read as settings (name=value lines). "
                                       "Correct it, or delete it to use the serial port.")
                            .arg(shown);
        return route;
    }
    auto wrong = [&route, &shown](const QString& key, const QString& value,
                                  const QString& allowed) {
        if (route.problem.isEmpty())
            route.problem = QStringLiteral("In %1, %2=%3 is not usable: %4. Correct it, or "
                                           "delete the file to use the serial port.")
                                .arg(shown, key, value, allowed);
    };

    const QString via =
        file.value(QStringLiteral("via"), QStringLiteral("serial")).toString().trimmed().toLower();
    if (via == QLatin1String("rigctld"))
        route.via = PortRoute::Via::Rigctld;
    else if (via == QLatin1String("flrig"))
        route.via = PortRoute::Via::Flrig;
    else if (via != QLatin1String("serial"))
        wrong(QStringLiteral("via"), via, QStringLiteral("it is serial, rigctld or flrig"));

    const QString host = file.value(QStringLiteral("host")).toString().trimmed();
    if (!host.isEmpty())
        route.host = host;

    route.tcpPort = PortRoute::defaultTcpPort(route.via);
    const QString port = file.value(QStringLiteral("port")).toString().trimmed();
    if (!port.isEmpty()) {
        bool isNumber = false;
        const uint number = port.toUInt(&isNumber);
        if (!isNumber || number == 0 || number > 65535)
            wrong(QStringLiteral("port"), port, QStringLiteral("it is a TCP port, 1 to 65535"));
        else
            route.tcpPort = static_cast<quint16>(number);
    }

    const QString handshake = file.value(QStringLiteral("handshake"), QStringLiteral("rtscts"))
                                  .toString()
                                  .trimmed()
                                  .toLower();
    if (handshake == QLatin1String("none"))
        route.hardwareHandshake = false;
    else if (handshake != QLatin1String("rtscts"))
        wrong(QStringLiteral("handshake"), handshake,
              QStringLiteral("it is rtscts (RTS/CTS wired) or none (a three-wire cable)"));

    const QString model =
        file.value(QStringLiteral("model"), QStringLiteral("D")).toString().trimmed().toUpper();
    if (model == QLatin1String("S"))
        route.model = RadioModel::TS570S;
    else if (model != QLatin1String("D"))
        wrong(QStringLiteral("model"), file.value(QStringLiteral("model")).toString().trimmed(),
              QStringLiteral("it is D (a TS-570D) or S (a TS-570S)"));
    return route;
}

RadioModel portModel(int port)
{
    const PortRoute route = readPortRoute(portRoutePath(port));
    return route.problem.isEmpty() ? route.model : RadioModel::TS570D;
}

QString writePortRoute(const PortRoute& route, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    file.setValue(QStringLiteral("via"), viaWord(route.via));
    if (route.throughDaemon()) {
        file.setValue(QStringLiteral("host"), route.host);
        file.setValue(QStringLiteral("port"),
                      route.tcpPort ? route.tcpPort : PortRoute::defaultTcpPort(route.via));
    } else {
        file.setValue(QStringLiteral("handshake"),
                      route.hardwareHandshake ? QStringLiteral("rtscts") : QStringLiteral("none"));
    }
    file.setValue(QStringLiteral("model"),
                  route.model == RadioModel::TS570S ? QStringLiteral("S") : QStringLiteral("D"));
    file.sync();
    if (file.status() != QSettings::NoError)
        return QStringLiteral("%1 cannot be written. Check that the folder %2 is yours and "
                              "the disk is not full.")
            .arg(QDir::toNativeSeparators(path),
                 QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    return {};
}
