#pragma once

// What /proc tells about a running process: resident memory (status,
// smaps_rollup), the files it maps (smaps), and the processor time and
// context switches of all its threads.

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// "VmRSS", "RssAnon", ... of /proc/PID/status, in KiB; -1 when missing.
long statusKiB(pid_t pid, const std::string& field);

// Every "Name: N kB" line of /proc/PID/smaps_rollup, in KiB.
std::map<std::string, long> smapsRollup(pid_t pid);

struct MappedFile {
    std::string path;
    long sizeKiB = 0;
    long rssKiB = 0;
    long anonKiB = 0;
};
// Per mapped file (all its mappings added up), from /proc/PID/smaps. Only
// mappings of files (a path starting with '/'); anonymous memory, the heap
// and the stacks are left out.
std::vector<MappedFile> mappedFiles(pid_t pid);

// Processor time and context switches of each thread of a process.
struct ThreadsUse {
    struct Task {
        double cpuMs = 0;   // on a processor (schedstat)
        long voluntary = 0; // context switches
        long involuntary = 0;
    };
    std::map<std::string, Task> tasks; // by thread id

    // What the threads did since `before`: a thread that was there then counts
    // from what it had done by then, one started since from nothing. (A thread
    // that ended in between is not there to ask; `ended` says how many.)
    struct Since {
        double cpuMs = 0;
        long voluntary = 0;
        long involuntary = 0;
        int threads = 0;
        int ended = 0;
    };
    Since since(const ThreadsUse& before) const;
};
ThreadsUse threadsUse(pid_t pid);
