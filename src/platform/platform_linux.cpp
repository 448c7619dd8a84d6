#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <QStandardPaths>
#include <algorithm>

#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <QRegularExpression>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// libsndfile and ALSA are opened when a cue plays and let go of afterwards:
// neither they nor the codecs libsndfile brings along (FLAC, Vorbis, Opus,
// MPEG; 1.7 MiB resident) stay in memory while the program waits for the
// operator, which is nearly all of the time. Their headers give the types;
// the functions are looked up by name.
class SoundLibraries {
public:
    ~SoundLibraries() { close(); }

    // Whether ALSA can be used (it plays the cue or the alert).
    bool openAlsa()
    {
        if (!m_alsa)
            m_alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        return m_alsa && find(m_alsa, "snd_lib_error_set_handler", lib_error_set_handler) &&
               find(m_alsa, "snd_pcm_open", pcm_open) &&
               find(m_alsa, "snd_pcm_nonblock", pcm_nonblock) &&
               find(m_alsa, "snd_pcm_set_params", pcm_set_params) &&
               find(m_alsa, "snd_pcm_writei", pcm_writei) &&
               find(m_alsa, "snd_pcm_recover", pcm_recover) &&
               find(m_alsa, "snd_pcm_drain", pcm_drain) &&
               find(m_alsa, "snd_pcm_close", pcm_close) &&
               find(m_alsa, "snd_config_update_free_global", config_update_free_global);
    }

    // Whether libsndfile can be used to read a cue.
    bool openSndfile()
    {
        if (!m_sndfile)
            m_sndfile = ::dlopen("libsndfile.so.1", RTLD_NOW | RTLD_LOCAL);
        return m_sndfile && find(m_sndfile, "sf_open_fd", sf_open_fd) &&
               find(m_sndfile, "sf_readf_short", sf_readf_short) &&
               find(m_sndfile, "sf_close", sf_close);
    }

    void close()
    {
        // ALSA keeps its configuration and the plugins it loaded until told to
        // let go of them.
        if (m_alsa && config_update_free_global)
            config_update_free_global();
        for (void** library : {&m_alsa, &m_sndfile}) {
            if (*library)
                ::dlclose(*library);
            *library = nullptr;
        }
    }

    decltype(&::snd_lib_error_set_handler) lib_error_set_handler = nullptr;
    decltype(&::snd_pcm_open) pcm_open = nullptr;
    decltype(&::snd_pcm_nonblock) pcm_nonblock = nullptr;
    decltype(&::snd_pcm_set_params) pcm_set_params = nullptr;
    decltype(&::snd_pcm_writei) pcm_writei = nullptr;
    decltype(&::snd_pcm_recover) pcm_recover = nullptr;
    decltype(&::snd_pcm_drain) pcm_drain = nullptr;
    decltype(&::snd_pcm_close) pcm_close = nullptr;
    decltype(&::snd_config_update_free_global) config_update_free_global = nullptr;
    decltype(&::sf_open_fd) sf_open_fd = nullptr;
    decltype(&::sf_readf_short) sf_readf_short = nullptr;
    decltype(&::sf_close) sf_close = nullptr;

private:
    template <typename Function>
    static bool find(void* library, const char* name, Function& function)
    {
        function = reinterpret_cast<Function>(::dlsym(library, name));
        return function != nullptr;
    }

    void* m_alsa = nullptr;
    void* m_sndfile = nullptr;
};

SoundLibraries& sound()
{
    static SoundLibraries libraries;
    return libraries;
}

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// Opens ALSA's "default" PCM for 16-bit interleaved samples. Opened without
// blocking so that a busy or absent device means silence, not a hang.
snd_pcm_t* openPcm(int channels, int rate)
{
    sound().lib_error_set_handler(quietAlsa);
    snd_pcm_t* pcm = nullptr;
    if (sound().pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    if (sound().pcm_nonblock(pcm, 0) < 0 ||
        sound().pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                               static_cast<unsigned>(channels), static_cast<unsigned>(rate), 1,
                               100000) < 0) {
        sound().pcm_close(pcm);
        return nullptr;
    }
    return pcm;
}

// Writes every frame, recovering from underruns once per chunk; a device that
// keeps failing ends playback early rather than looping.
bool writeFrames(snd_pcm_t* pcm, const short* samples, snd_pcm_uframes_t frames, int channels)
{
    while (frames > 0) {
        snd_pcm_sframes_t written = sound().pcm_writei(pcm, samples, frames);
        if (written < 0) {
            if (sound().pcm_recover(pcm, static_cast<int>(written), 1) < 0)
                return false;
            continue;
        }
        samples += written * channels;
        frames -= static_cast<snd_pcm_uframes_t>(written);
    }
    return true;
}

void finish(snd_pcm_t* pcm)
{
    sound().pcm_drain(pcm);
    sound().pcm_close(pcm);
}

// The stand-in for a missing cue: two short descending tones.
void playAlert()
{
    constexpr int rate = 22050;
    std::vector<short> samples;
    for (double frequency : {988.0, 740.0}) {
        const int count = rate * 12 / 100;
        for (int i = 0; i < count; ++i) {
            const double fade = std::min(1.0, std::min(i, count - i) / 200.0);
            samples.push_back(
                static_cast<short>(9000.0 * fade * std::sin(2.0 * M_PI * frequency * i / rate)));
        }
    }
    snd_pcm_t* pcm = openPcm(1, rate);
    if (!pcm)
        return;
    writeFrames(pcm, samples.data(), samples.size(), 1);
    finish(pcm);
}

// Plays what libsndfile opened to its end and closes it; a file it could
// not make sense of plays the alert.
void playOpenedFile(SNDFILE* file, const SF_INFO& info)
{
    if (!file || info.channels < 1 || info.channels > 8 || info.samplerate < 1000) {
        if (file)
            sound().sf_close(file);
        playAlert();
        return;
    }
    snd_pcm_t* pcm = openPcm(info.channels, info.samplerate);
    if (!pcm) {
        sound().sf_close(file);
        return;
    }
    constexpr sf_count_t chunkFrames = 4096;
    std::vector<short> buffer(static_cast<size_t>(chunkFrames * info.channels));
    for (;;) {
        const sf_count_t got = sound().sf_readf_short(file, buffer.data(), chunkFrames);
        if (got <= 0)
            break;
        if (!writeFrames(pcm, buffer.data(), static_cast<snd_pcm_uframes_t>(got), info.channels))
            break;
    }
    sound().sf_close(file);
    finish(pcm);
}

// Opens a cue for reading only when it is a plain file. A named pipe would
// block the opening until some other program writes to it, and a device may
// never end; both are looked at without being opened, and the file is checked
// again once open in case it was swapped in between.
int openPlainFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// "/dev/ttyS2" -> "ttyS2" when the path names a built-in serial port's device.
QString builtInPortName(const QString& path)
{
    static const QRegularExpression name(QStringLiteral("^ttyS[0-9]+$"));
    const QFileInfo info(path);
    if (QDir::cleanPath(info.absolutePath()) != QDir::cleanPath(Platform::systemFolders().dev))
        return {};
    return name.match(info.fileName()).hasMatch() ? info.fileName() : QString();
}

// The process with this id is running (it may belong to another user).
bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// What a lock file says: the holder's process id, and the program's name
// where the file gives one. Ten ASCII digits and a line end is the convention
// of uucp, lockdev and most serial programs; Qt's lock files add a line with
// the program's path; older programs wrote the id as four binary bytes.
struct LockFileContents {
    qint64 pid = 0;
    QString program;
};

LockFileContents readLockFile(const QString& lockFile)
{
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(256);
    // Four binary bytes can look like digits followed by NULs (process 12345
    // is "90" and two NULs), so only a file of text is read as text.
    const bool text = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) {
        return c == '\n' || c == '\r' || c == '\t' || (c >= ' ' && c < 127);
    });
    const QList<QByteArray> lines = bytes.split('\n');
    bool ok = false;
    const qint64 pid = text ? lines.value(0).trimmed().toLongLong(&ok) : 0;
    if (ok)
        return {pid, QFileInfo(QFile::decodeName(lines.value(1).trimmed())).fileName()};
    if (!text && bytes.size() == 4) {
        qint32 binary = 0;
        memcpy(&binary, bytes.constData(), sizeof binary);
        return {binary, {}};
    }
    return {};
}

// The program a process runs, by the name of its executable; empty when that
// cannot be looked at (another user's process).
QString processName(qint64 pid)
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid))).fileName();
}

// A lock of a process that has gone is stale, and so is one whose process id
// now belongs to another program.
bool isStale(const LockFileContents& lock)
{
    if (!processRuns(lock.pid))
        return true;
    const QString running = processName(lock.pid);
    return !lock.program.isEmpty() && !running.isEmpty() && lock.program != running;
}

// Serial programs lock a device with a file named after it, /dev/ttyUSB0 as
// LCK..ttyUSB0, in the system's lock folder (/var/lock is /run/lock on most
// systems today): the files that would lock this device, each folder once.
QStringList lockFilesOf(const QString& device)
{
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QStringList seen;
    QStringList files;
    for (const QString& folder : {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")}) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        seen.append(canonical);
        files.append(canonical + QStringLiteral("/LCK..") + name);
    }
    return files;
}

} // namespace

namespace Platform {

QString settingsDirectory()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return {};
    return config + QStringLiteral("/quillard");
}

void playSoundFileBlocking(const QString& path)
{
    struct LetGo {
        ~LetGo() { sound().close(); }
    } afterwards;
    // Without ALSA there is nothing to play on: silence.
    if (!sound().openAlsa())
        return;
    const int fd = openPlainFile(path);
    if (fd < 0 || !sound().openSndfile()) {
        if (fd >= 0)
            ::close(fd);
        playAlert();
        return;
    }
    // libsndfile is left the descriptor without owning it: it is closed here
    // whether or not libsndfile took the file.
    SF_INFO info{};
    SNDFILE* file = sound().sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    playOpenedFile(file, info);
    ::close(fd);
}

QString serialLinkPath(int portNumber)
{
    const QString dir = settingsDirectory();
    if (dir.isEmpty())
        return {};
    return dir + QStringLiteral("/com%1").arg(portNumber);
}

QString serialDevicePath(int portNumber)
{
    const QString link = serialLinkPath(portNumber);
    const QFileInfo info(link);
    // A dangling link still names the port: the open then reports it.
    if (!link.isEmpty() && (info.isSymLink() || info.exists()))
        return link;
    return Platform::systemFolders().dev + QStringLiteral("/ttyS%1").arg(portNumber - 1);
}

QString serialDeviceBehind(const QString& path)
{
    const QString device = QFileInfo(path).canonicalFilePath();
    return device.isEmpty() ? path : device;
}

SerialHardware serialHardware(const QString& path)
{
    if (deviceKind(path) == DeviceKind::Missing)
        return SerialHardware::Missing;
    // The port's name is looked for along the links (comN -> /dev/ttyS0).
    QString port;
    QString hop = path;
    for (int hops = 0; port.isEmpty() && hops < 40; ++hops) {
        port = builtInPortName(hop);
        const QFileInfo info(hop);
        if (!info.isSymLink())
            break;
        hop = info.symLinkTarget();
    }
    if (port.isEmpty())
        return SerialHardware::Other;
    // The kernel makes a device for each built-in port it might have; the port's
    // type is 0 where it found no UART, and opening such a device fails.
    QFile type(Platform::systemFolders().sys + QStringLiteral("/class/tty/%1/type").arg(port));
    if (!type.open(QIODevice::ReadOnly))
        return SerialHardware::Other;
    bool ok = false;
    const int uart = type.readLine(32).trimmed().toInt(&ok);
    if (!ok)
        return SerialHardware::Other;
    return uart == 0 ? SerialHardware::NoUart : SerialHardware::Uart;
}

QList<SerialAdapter> serialAdapters()
{
    QList<SerialAdapter> adapters;
    const QDir byId(Platform::systemFolders().serialById);
    for (const QFileInfo& entry : byId.entryInfoList(QDir::Files | QDir::System, QDir::Name)) {
        const QString device = entry.canonicalFilePath();
        if (!device.isEmpty())
            adapters.append({entry.fileName(), entry.absoluteFilePath(), device});
    }
    return adapters;
}

QString linkSerialPort(int portNumber, const QString& device)
{
    const QString link = serialLinkPath(portNumber);
    const QString dir = QFileInfo(link).absolutePath();
    if (link.isEmpty() || !QDir().mkpath(dir))
        return QStringLiteral("the folder %1 cannot be made").arg(dir);
    // Only a link is replaced (one that leads nowhere): a file there is the operator's.
    if (QFileInfo(link).isSymLink() && !QFile::remove(link))
        return QStringLiteral("the old link %1 cannot be removed").arg(link);
    if (::symlink(QFile::encodeName(device).constData(), QFile::encodeName(link).constData()) != 0)
        return QStringLiteral("%1 cannot be made (%2)").arg(link, qt_error_string(errno));
    return {};
}

std::optional<SerialLockHolder> serialLockHolder(const QString& device)
{
    for (const QString& lockFile : lockFilesOf(device)) {
        const LockFileContents lock = readLockFile(lockFile);
        // A lock of this process is one of Quillard's own links, which the
        // serial layer tells apart itself.
        if (lock.pid == ::getpid() || isStale(lock))
            continue;
        return SerialLockHolder{lock.pid, processName(lock.pid), lockFile};
    }
    return std::nullopt;
}

std::optional<StaleSerialLock> staleSerialLock(const QString& device)
{
    for (const QString& lockFile : lockFilesOf(device)) {
        const LockFileContents lock = readLockFile(lockFile);
        if (lock.pid > 0 && lock.pid != ::getpid() && isStale(lock))
            return StaleSerialLock{lock.pid, lockFile};
    }
    return std::nullopt;
}

QString serialRelinkAdvice(int portNumber)
{
    const QString link = serialLinkPath(portNumber);
    if (link.isEmpty())
        return {};
    return QStringLiteral("link the port to your serial device, for example: ln -s /dev/ttyUSB0 %1")
        .arg(QDir::toNativeSeparators(link));
}

DeviceKind deviceKind(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return DeviceKind::Missing;
    return S_ISCHR(info.st_mode) ? DeviceKind::CharacterDevice : DeviceKind::NotADevice;
}

bool mayReadAndWrite(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
}

bool deviceTakesData(qintptr handle)
{
    pollfd ready{static_cast<int>(handle), POLLOUT, 0};
    return ::poll(&ready, 1, 0) == 1 && (ready.revents & POLLOUT);
}

qint64 bytesWaitingToLeave(qintptr handle)
{
    int queued = 0;
    return ::ioctl(static_cast<int>(handle), TIOCOUTQ, &queued) == 0 ? queued : 0;
}

bool deviceHungUp(qintptr handle)
{
    pollfd state{static_cast<int>(handle), POLLIN | POLLOUT, 0};
    return ::poll(&state, 1, 0) == 1 && (state.revents & POLLHUP);
}

bool startSystemInformationTool()
{
    static const char* const tools[] = {"hardinfo",          "gnome-system-monitor",
                                        "kinfocenter",       "mate-system-monitor",
                                        "xfce4-taskmanager", "lxtask"};
    for (const char* tool : tools) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return true;
    }
    return false;
}

} // namespace Platform
