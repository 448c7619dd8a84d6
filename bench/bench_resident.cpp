// Resident memory of the running program next to a bare Qt window's.
//
// The real program (quillard, from this build) is started as a child on the
// X server in $DISPLAY, with a fresh settings folder (qd.cfg for port 1 at
// 9600 baud), a pseudo-terminal as com1 and ALSA's null device. Once its main
// window is mapped (MapNotify, waited for without polling the screen), the
// benchmark sleeps 5 s and reads /proc: VmRSS, smaps_rollup, and the files
// mapped. The bare Qt window (bare_window) is measured the same way in the
// same run, at 400x300 and at the main window's outer size, rounds
// interleaved; the figures are medians over the rounds.
//
//   bench_resident [--rounds N]     (5 by default)

#include "child.h"
#include "figures.h"
#include "procfs.h"
#include "xwatch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
const std::string MainTitle = mainWindowTitle();
const std::string BareTitle = "bare Qt window";
constexpr double HoldMs = 5000;

struct Sample {
    bool ok = false;
    int width = 0, height = 0; // the measured window's outer size
    long vmRss = 0;
    std::map<std::string, long> rollup;
    long rssAnon = 0, rssFile = 0, rssShmem = 0;
    std::vector<MappedFile> files;
};

// Starts the program, waits for its window to be mapped, holds, reads /proc, ends it.
Sample measure(XWatch& x, const std::vector<std::string>& argv, const std::string& title)
{
    BenchEnvironment env;
    x.forget();
    Child child = startChild(argv, env.childEnvironment());
    Sample sample;
    const XWatch::TopLevel* window = nullptr;
    x.waitUntil([&] { return (window = x.mappedNamed(title)) != nullptr; }, 30000, env.radioFd());
    if (window) {
        sample.width = window->width;
        sample.height = window->height;
        x.pumpFor(HoldMs, env.radioFd());
        sample.vmRss = statusKiB(child.pid, "VmRSS");
        sample.rssAnon = statusKiB(child.pid, "RssAnon");
        sample.rssFile = statusKiB(child.pid, "RssFile");
        sample.rssShmem = statusKiB(child.pid, "RssShmem");
        sample.rollup = smapsRollup(child.pid);
        sample.files = mappedFiles(child.pid);
        sample.ok = sample.vmRss > 0;
    } else {
        std::printf("  no window \"%s\" within 30 s from %s\n", title.c_str(), argv[0].c_str());
    }
    stopChild(child);
    return sample;
}

long fileSizeKiB(const Sample& s)
{
    long total = 0;
    for (const MappedFile& file : s.files)
        total += file.sizeKiB;
    return total;
}

struct Row {
    std::string name;
    std::vector<Sample> samples;

    double med(long (*of)(const Sample&)) const
    {
        std::vector<double> values;
        for (const Sample& s : samples)
            if (s.ok)
                values.push_back(static_cast<double>(of(s)));
        return median(values);
    }
};

void printRow(const Row& row)
{
    std::printf(
        "  %-30s %8.0f %8.0f %8.0f %8.0f %8.0f %8.0f %8.0f %6.0f %9.0f\n", row.name.c_str(),
        row.med([](const Sample& s) { return s.vmRss; }),
        row.med([](const Sample& s) { return s.rollup.count("Rss") ? s.rollup.at("Rss") : 0; }),
        row.med([](const Sample& s) { return s.rollup.count("Pss") ? s.rollup.at("Pss") : 0; }),
        row.med([](const Sample& s) { return s.rssAnon; }),
        row.med([](const Sample& s) { return s.rssFile; }),
        row.med([](const Sample& s) { return s.rssShmem; }), row.med([](const Sample& s) {
            return s.rollup.count("Anonymous") ? s.rollup.at("Anonymous") : 0;
        }),
        row.med([](const Sample& s) { return static_cast<long>(s.files.size()); }),
        row.med(fileSizeKiB));
}

// The sample whose VmRSS is the median one (the files listed come from it).
const Sample& medianSample(const Row& row)
{
    std::vector<const Sample*> ok;
    for (const Sample& s : row.samples)
        if (s.ok)
            ok.push_back(&s);
    std::sort(ok.begin(), ok.end(), [](auto* a, auto* b) { return a->vmRss < b->vmRss; });
    return *ok[ok.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    int rounds = 5;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));

    XWatch x;
    if (!x.ok()) {
        std::printf("resident memory: skipped (needs an X server with DAMAGE in $DISPLAY; "
                    "bench/run.sh starts one)\n");
        return 0;
    }

    Row program{"quillard (main window)", {}};
    Row bareSmall{"bare Qt window 400x300", {}};
    Row bareMain{"bare Qt window, main's size", {}};
    std::string mainSize;
    for (int round = 0; round < rounds; ++round) {
        program.samples.push_back(measure(x, {QUILLARD_PROGRAM}, MainTitle));
        const Sample& last = program.samples.back();
        if (last.ok && mainSize.empty()) {
            mainSize = std::to_string(last.width) + "x" + std::to_string(last.height);
            bareMain.name = "bare Qt window " + mainSize;
        }
        bareSmall.samples.push_back(measure(x, {BARE_WINDOW, "400x300"}, BareTitle));
        if (!mainSize.empty())
            bareMain.samples.push_back(measure(x, {BARE_WINDOW, mainSize}, BareTitle));
        std::printf("  round %d: quillard %ld KiB, bare 400x300 %ld KiB, bare %s %ld KiB\n",
                    round + 1, last.vmRss, bareSmall.samples.back().vmRss, mainSize.c_str(),
                    bareMain.samples.empty() ? 0L : bareMain.samples.back().vmRss);
        std::fflush(stdout);
    }
    if (mainSize.empty()) {
        std::printf("resident memory: the main window never appeared\n");
        return 1;
    }

    std::printf("\nresident memory 5 s after the window is mapped, KiB, median of %d rounds "
                "(X server %s):\n",
                rounds, std::getenv("DISPLAY"));
    std::printf("  %-30s %8s %8s %8s %8s %8s %8s %8s %6s %9s\n", "", "VmRSS", "Rss", "Pss",
                "RssAnon", "RssFile", "RssShmem", "Anonym.", "files", "file size");
    printRow(program);
    printRow(bareSmall);
    printRow(bareMain);
    std::printf("  (VmRSS, RssAnon, RssFile, RssShmem: /proc/PID/status; Rss, Pss, Anonymous: "
                "smaps_rollup;\n   files: how many files are mapped, and their mapped size)\n");
    const double programRss = program.med([](const Sample& s) { return s.vmRss; });
    for (const Row* bare : {&bareSmall, &bareMain}) {
        const double bareRss = bare->med([](const Sample& s) { return s.vmRss; });
        std::printf("  quillard / %-30s %.2fx   (target: at most 1.25x)\n", bare->name.c_str(),
                    programRss / bareRss);
    }

    // Where the difference lies: the files only the program maps.
    const Sample& ours = medianSample(program);
    std::set<std::string> bareFiles;
    for (const Row* bare : {&bareSmall, &bareMain})
        for (const Sample& s : bare->samples)
            for (const MappedFile& file : s.files)
                bareFiles.insert(file.path);
    std::vector<MappedFile> only;
    long onlyRss = 0, onlySize = 0;
    for (const MappedFile& file : ours.files)
        if (!bareFiles.count(file.path)) {
            only.push_back(file);
            onlyRss += file.rssKiB;
            onlySize += file.sizeKiB;
        }
    std::sort(only.begin(), only.end(),
              [](const MappedFile& a, const MappedFile& b) { return a.rssKiB > b.rssKiB; });
    std::printf("\nfiles only quillard maps (of its median round): %zu, resident %ld KiB, "
                "mapped %ld KiB; the largest by resident size:\n",
                only.size(), onlyRss, onlySize);
    std::printf("  %8s %8s  %s\n", "Rss KiB", "size KiB", "file");
    for (size_t i = 0; i < only.size() && i < 10; ++i)
        std::printf("  %8ld %8ld  %s\n", only[i].rssKiB, only[i].sizeKiB, only[i].path.c_str());
    return 0;
}
