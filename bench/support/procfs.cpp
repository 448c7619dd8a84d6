#include "procfs.h"

#include <dirent.h>

#include <fstream>
#include <sstream>

namespace {
std::string proc(pid_t pid, const std::string& file)
{
    return "/proc/" + std::to_string(pid) + "/" + file;
}

// "Name:   123 kB" -> (Name, 123)
bool kibLine(const std::string& line, std::string& name, long& kib)
{
    const auto colon = line.find(':');
    if (colon == std::string::npos || line.find(" kB") == std::string::npos)
        return false;
    name = line.substr(0, colon);
    kib = std::stol(line.substr(colon + 1));
    return true;
}

long fieldOf(const std::string& file, const std::string& field)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}
} // namespace

long statusKiB(pid_t pid, const std::string& field)
{
    return fieldOf(proc(pid, "status"), field);
}

std::map<std::string, long> smapsRollup(pid_t pid)
{
    std::map<std::string, long> result;
    std::ifstream in(proc(pid, "smaps_rollup"));
    std::string line, name;
    long kib = 0;
    while (std::getline(in, line))
        if (kibLine(line, name, kib))
            result[name] += kib;
    return result;
}

std::vector<MappedFile> mappedFiles(pid_t pid)
{
    std::map<std::string, MappedFile> files;
    std::ifstream in(proc(pid, "smaps"));
    std::string line, name;
    long kib = 0;
    MappedFile* current = nullptr;
    while (std::getline(in, line)) {
        if (kibLine(line, name, kib)) {
            if (!current)
                continue;
            if (name == "Size")
                current->sizeKiB += kib;
            else if (name == "Rss")
                current->rssKiB += kib;
            else if (name == "Anonymous")
                current->anonKiB += kib;
            continue;
        }
        // A mapping's first line: "start-end perms offset dev inode   path".
        std::istringstream fields(line);
        std::string range, perms, offset, device, inode;
        if (!(fields >> range >> perms >> offset >> device >> inode) ||
            range.find('-') == std::string::npos) {
            continue; // VmFlags and the like
        }
        std::string path;
        std::getline(fields >> std::ws, path);
        if (path.empty() || path[0] != '/') {
            current = nullptr;
            continue;
        }
        current = &files[path];
        current->path = path;
    }
    std::vector<MappedFile> result;
    for (auto& [path, file] : files)
        result.push_back(file);
    return result;
}

ThreadsUse threadsUse(pid_t pid)
{
    ThreadsUse use;
    DIR* tasks = opendir(proc(pid, "task").c_str());
    if (!tasks)
        return use;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = proc(pid, "task/") + entry->d_name;
        ThreadsUse::Task& counts = use.tasks[entry->d_name];
        std::ifstream schedstat(task + "/schedstat");
        double onCpuNs = 0;
        if (schedstat >> onCpuNs)
            counts.cpuMs = onCpuNs / 1e6;
        std::ifstream status(task + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                counts.voluntary = std::stol(line.substr(24));
            else if (line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                counts.involuntary = std::stol(line.substr(27));
        }
    }
    closedir(tasks);
    return use;
}

ThreadsUse::Since ThreadsUse::since(const ThreadsUse& before) const
{
    Since done;
    for (const auto& [id, now] : tasks) {
        const auto then = before.tasks.find(id);
        const Task start = then == before.tasks.end() ? Task{} : then->second;
        done.cpuMs += now.cpuMs - start.cpuMs;
        done.voluntary += now.voluntary - start.voluntary;
        done.involuntary += now.involuntary - start.involuntary;
        ++done.threads;
    }
    for (const auto& [id, then] : before.tasks)
        done.ended += tasks.count(id) == 0 ? 1 : 0;
    return done;
}
