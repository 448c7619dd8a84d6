#include "child.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

namespace {
[[noreturn]] void giveUp(const std::string& what)
{
    std::fprintf(stderr, "benchmark: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(2);
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file)
        giveUp("cannot write " + path);
}
} // namespace

BenchEnvironment::BenchEnvironment(const std::string& qdCfg)
{
    char pattern[] = "/tmp/quillard-bench.XXXXXX";
    if (!mkdtemp(pattern))
        giveUp("no temporary folder");
    m_root = pattern;
    m_settings = m_root + "/config/quillard";
    std::filesystem::create_directories(m_settings);
    // As a desktop session has it (Qt warns without one).
    std::filesystem::create_directories(m_root + "/runtime");
    std::filesystem::permissions(m_root + "/runtime", std::filesystem::perms::owner_all);
    if (!qdCfg.empty())
        writeFile(m_settings + "/qd.cfg", qdCfg);
    // No sound card is needed: the cues go to a null sink.
    writeFile(m_root + "/asound.conf",
              "pcm.!default { type null }\nctl.!default { type hw card 0 }\n");

    if (symlink(m_radio.slavePath().c_str(), (m_settings + "/com1").c_str()) != 0)
        giveUp("cannot link com1");
}

BenchEnvironment::~BenchEnvironment()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::vector<std::pair<std::string, std::string>> BenchEnvironment::entries() const
{
    return {{"XDG_CONFIG_HOME", m_root + "/config"},
            {"XDG_RUNTIME_DIR", m_root + "/runtime"},
            {"ALSA_CONFIG_PATH", m_root + "/asound.conf"},
            {"QT_QPA_PLATFORM", "xcb"},
            {"DBUS_SESSION_BUS_ADDRESS", "disabled:"}};
}

std::vector<std::string> BenchEnvironment::childEnvironment() const
{
    const auto ours = entries();
    std::set<std::string> replaced;
    for (const auto& [name, value] : ours)
        replaced.insert(name);
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!replaced.count(text.substr(0, text.find('='))))
            result.push_back(text);
    }
    for (const auto& [name, value] : ours)
        result.push_back(name + "=" + value);
    return result;
}

void BenchEnvironment::applyHere() const
{
    for (const auto& [name, value] : entries())
        setenv(name.c_str(), value.c_str(), 1);
}

std::string BenchEnvironment::drainRadio() const
{
    std::string got;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_radio.master(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

Child startChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 bool captureStdout)
{
    // Everything exec() needs is made before fork(): the child only execs.
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    for (const std::string& entry : environment)
        env.push_back(const_cast<char*>(entry.c_str()));
    env.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        giveUp("pipe");
    int output[2] = {-1, -1};
    if (captureStdout && pipe2(output, O_CLOEXEC) != 0)
        giveUp("pipe");

    Child child;
    child.pid = fork();
    if (child.pid < 0)
        giveUp("fork");
    if (child.pid == 0) {
        if (captureStdout)
            dup2(output[1], STDOUT_FILENO);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double startMs =
            static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
        (void)!write(report[1], &startMs, sizeof startMs);
        execve(args[0], args.data(), env.data());
        const int error = errno;
        (void)!write(report[1], &error, sizeof error);
        _exit(127);
    }
    ::close(report[1]);
    if (captureStdout) {
        ::close(output[1]);
        child.stdoutFd = output[0];
    }
    if (read(report[0], &child.execMs, sizeof child.execMs) != sizeof child.execMs)
        giveUp("the child did not start");
    int error = 0;
    if (read(report[0], &error, sizeof error) == sizeof error) {
        errno = error;
        giveUp("cannot start " + argv[0]);
    }
    ::close(report[0]);
    return child;
}

void stopChild(Child& child)
{
    if (child.pid <= 0)
        return;
    kill(child.pid, SIGTERM);
    for (int waited = 0; waited < 200; ++waited) {
        if (waitpid(child.pid, nullptr, WNOHANG) == child.pid) {
            child.pid = -1;
            break;
        }
        const timespec tenMs{0, 10 * 1000 * 1000};
        nanosleep(&tenMs, nullptr);
    }
    if (child.pid > 0) {
        kill(child.pid, SIGKILL);
        waitpid(child.pid, nullptr, 0);
        child.pid = -1;
    }
    if (child.stdoutFd >= 0) {
        ::close(child.stdoutFd);
        child.stdoutFd = -1;
    }
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

std::string ownFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry)
        result.emplace_back(*entry);
    return result;
}

int waitChild(Child& child)
{
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    child.pid = -1;
    if (child.stdoutFd >= 0) {
        ::close(child.stdoutFd);
        child.stdoutFd = -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string mainWindowTitle()
{
    std::string shown = QUILLARD_VERSION;
    shown.erase(shown.rfind('.'), 1);
    return "Kenwood Quillard Version " + shown;
}
