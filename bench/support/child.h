#pragma once

// What a benchmark needs to run the real program (or the bare Qt window) as a
// child under its X server, without Qt in the measuring process:
//
//  - BenchEnvironment: a fresh settings folder (XDG_CONFIG_HOME) with qd.cfg
//    for port 1 at 9600 baud, a pseudo-terminal linked as its com1 (the
//    radio: the benchmark holds the master side), ALSA's default device a
//    null sink, a runtime folder (XDG_RUNTIME_DIR), and the environment a
//    child gets: the xcb platform, and no
//    session bus (DBUS_SESSION_BUS_ADDRESS=disabled:), so Qt's accessibility
//    bridge does not start a dbus-daemon that outlives the child.
//  - startChild(): fork and exec, with the monotonic time taken in the child
//    just before exec() (the process start the figures count from).
//  - stopChild(): SIGTERM, then SIGKILL after two seconds, and reaped.

#include "pty/rawpty.h"

#include <string>
#include <sys/types.h>
#include <vector>

double monotonicMs();

class BenchEnvironment {
public:
    // qdCfg: what qd.cfg holds ("" for none).
    explicit BenchEnvironment(const std::string& qdCfg = "1\r\n9600\r\n");
    ~BenchEnvironment();
    BenchEnvironment(const BenchEnvironment&) = delete;
    BenchEnvironment& operator=(const BenchEnvironment&) = delete;

    // <XDG_CONFIG_HOME>/quillard: qd.cfg and com1 are here.
    const std::string& settingsDir() const { return m_settings; }
    // The environment for a child: this process's, with the entries above.
    std::vector<std::string> childEnvironment() const;
    // Puts the same entries into this process's own environment.
    void applyHere() const;

    // The radio's end of the pseudo-terminal behind com1.
    int radioFd() const { return m_radio.master(); }
    // Reads and forgets what the radio has received so far.
    std::string drainRadio() const;

private:
    std::vector<std::pair<std::string, std::string>> entries() const;

    std::string m_root;
    std::string m_settings;
    RawPty m_radio;
};

struct Child {
    pid_t pid = -1;
    double execMs = 0; // monotonic time just before exec()
    int stdoutFd = -1; // the child's standard output, when captured
};

// Starts argv[0] (a path) with the given environment. captureStdout: the
// child's standard output comes to Child::stdoutFd. Exits the benchmark when
// the program cannot be started.
Child startChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 bool captureStdout = false);

// Ends the child (SIGTERM, SIGKILL after 2 s) and reaps it.
void stopChild(Child& child);

// Reads the child's standard output to its end.
std::string readAll(int fd);

// The main window's title for the version the benchmarks were built with
// (version 2.3.4 shows as "Kenwood Quillard Version 2.34").
std::string mainWindowTitle();

// The folder the running benchmark's program lies in.
std::string ownFolder();

// This process's environment, as startChild() takes it.
std::vector<std::string> currentEnvironment();

// Waits (blocking) for a child that ends by itself; its exit status.
int waitChild(Child& child);
