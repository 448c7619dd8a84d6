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

struct ThreadsUse {
    double cpuMs = 0;   // on a processor, all threads (schedstat)
    long voluntary = 0; // context switches, all threads
    long involuntary = 0;
    int threads = 0;
};
ThreadsUse threadsUse(pid_t pid);
