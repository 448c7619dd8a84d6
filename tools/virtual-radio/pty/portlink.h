#pragma once

#include <QString>

namespace vradio {

// The symlink through which Quillard finds the virtual radio, normally
// <settings dir>/comN pointing at our /dev/pts/M.
//
// A path that is already taken is only replaced when it is a link left
// behind by a virtual radio that has gone: a symlink into /dev/pts whose
// target no longer exists. A link to a live pseudo-terminal (another virtual
// radio, or anything else), to a real device, or any other file stays
// untouched and we refuse to start.
class PortLink {
public:
    enum class Result { Created, ReplacedStale, Occupied, Failed };

    PortLink() = default;
    ~PortLink();

    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    // <GenericConfigLocation>/quillard/com<port>, i.e. $XDG_CONFIG_HOME or
    // ~/.config.
    static QString defaultPath(int port);

    // Creates the missing parent directories too. message explains any
    // result other than Created.
    Result create(const QString& linkPath, const QString& target, QString* message);

    // Removes the link, but only while it still points at our target: a
    // later virtual radio may have taken the name over.
    void remove();

    QString path() const { return m_path; }

private:
    QString m_path;
    QString m_target;
};

} // namespace vradio
