#include "portlink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vradio {

namespace {

QString linkTarget(const QByteArray& path)
{
    char buffer[4096];
    const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer - 1);
    if (n < 0)
        return {};
    return QString::fromLocal8Bit(buffer, n);
}

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PortLink::~PortLink()
{
    remove();
}

QString PortLink::defaultPath(int port)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quillard/com") + QString::number(port);
}

PortLink::Result PortLink::create(const QString& linkPath, const QString& target, QString* message)
{
    const QString absolute = QFileInfo(linkPath).absoluteFilePath();
    const QString directory = QFileInfo(absolute).absolutePath();
    if (!QDir().mkpath(directory)) {
        *message = QStringLiteral("cannot create the directory %1").arg(directory);
        return Result::Failed;
    }

    const QByteArray link = QFile::encodeName(absolute);
    const QByteArray pointee = QFile::encodeName(target);
    Result result = Result::Created;

    struct stat existing {};
    if (::lstat(link.constData(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            *message = QStringLiteral("%1 already exists and is not a symlink; "
                                      "remove it or choose another path with --link")
                           .arg(absolute);
            return Result::Occupied;
        }
        const QString current = linkTarget(link);
        if (!current.startsWith(QLatin1String("/dev/pts/"))) {
            *message = QStringLiteral("%1 points at %2, which is not a virtual radio's "
                                      "pseudo-terminal; leaving it alone")
                           .arg(absolute, current);
            return Result::Occupied;
        }
        if (QFileInfo::exists(current)) {
            *message = QStringLiteral("%1 points at %2, which is in use (another virtual "
                                      "radio?); stop it, or remove the link if it is stale")
                           .arg(absolute, current);
            return Result::Occupied;
        }
        // Stale: put the new link in place with one rename so the name never
        // goes missing and nothing else can slip in between.
        const QByteArray temporary = link + ".new-" + QByteArray::number(::getpid());
        ::unlink(temporary.constData());
        if (::symlink(pointee.constData(), temporary.constData()) != 0 ||
            ::rename(temporary.constData(), link.constData()) != 0) {
            *message = QStringLiteral("cannot replace %1: %2").arg(absolute, errnoText());
            ::unlink(temporary.constData());
            return Result::Failed;
        }
        *message = QStringLiteral("replaced stale link %1 (was %2)").arg(absolute, current);
        result = Result::ReplacedStale;
    } else if (errno != ENOENT) {
        *message = QStringLiteral("cannot inspect %1: %2").arg(absolute, errnoText());
        return Result::Failed;
    } else if (::symlink(pointee.constData(), link.constData()) != 0) {
        if (errno == EEXIST) {
            *message =
                QStringLiteral("%1 appeared while starting up; leaving it alone").arg(absolute);
            return Result::Occupied;
        }
        *message = QStringLiteral("cannot create %1: %2").arg(absolute, errnoText());
        return Result::Failed;
    }

    m_path = absolute;
    m_target = target;
    return result;
}

void PortLink::remove()
{
    if (m_path.isEmpty())
        return;
    const QByteArray link = QFile::encodeName(m_path);
    if (linkTarget(link) == m_target)
        ::unlink(link.constData());
    m_path.clear();
    m_target.clear();
}

} // namespace vradio
