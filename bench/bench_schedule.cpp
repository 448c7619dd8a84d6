// The short-wave schedule at a season's size: a generated 12,000-line file
// (schedulegen.h) read and parsed, then filtered as the operator types,
// chooses a band or a language and switches to all entries. Beside it, in
// the same run, the time to read the file's bytes alone, the floor any
// reading stands on. Targets: a parse under 50 ms, each filter keystroke
// under 16 ms (one frame). Links the schedule layer alone (Qt Core).
//
//   bench_schedule [--rounds N] [--lines N]
//   bench_schedule --write FILE [--lines N]   writes the generated schedule

#include "schedule/eibiformat.h"
#include "schedule/schedulefile.h"
#include "schedule/schedulefilter.h"
#include "schedulegen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
struct Figures {
    std::vector<double> ms;
    void print(const char* what) const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-46s min %7.2f  median %7.2f  max %7.2f ms (n=%zu)\n", what, sorted.front(),
                    sorted[sorted.size() / 2], sorted.back(), sorted.size());
    }
};

Figures timed(int rounds, const std::function<void()>& work)
{
    Figures figures;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        work();
        figures.ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    return figures;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    int rounds = 30;
    int lines = 12000;
    QString writeTo;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--lines"))
            lines = std::max(2, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--write"))
            writeTo = args[i + 1];
    }
    const QByteArray generated = generatedSchedule(lines);
    if (!writeTo.isEmpty()) {
        if (!writeFile(writeTo, generated)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(writeTo));
            return 1;
        }
        std::printf("%d lines, %lld bytes written to %s\n", lines,
                    static_cast<long long>(generated.size()), qPrintable(writeTo));
        return 0;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sked-bench.csv"));
    if (!writeFile(path, generated)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("generated schedule: %d lines, %lld bytes\n", lines,
                static_cast<long long>(generated.size()));

    // Reading: the first opening in this process, as the window's is; then,
    // warm, the bytes alone and the whole reading (checks, bytes, parse).
    timed(1, [&] { readScheduleFile(path); }).print("open the schedule, first in the process");
    QByteArray bytes;
    timed(3, [&] { // warm the page cache and the allocator
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        bytes = file.readAll();
        parseSchedule(bytes);
    });
    timed(rounds, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        bytes = file.readAll();
    }).print("read the file's bytes alone (reference)");
    // Each result is kept until the next replaces it, as the window keeps its schedule.
    ScheduleRead parsed;
    timed(rounds, [&] { parsed = parseSchedule(bytes); }).print("parse the bytes");
    ScheduleFileRead read;
    timed(rounds, [&] { read = readScheduleFile(path); }).print("open the schedule (read + parse)");
    if (!read.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(read.problem));
        return 1;
    }
    std::printf("%-46s %lld entries, %lld lines unread\n", "read",
                static_cast<long long>(read.schedule.entries.size()),
                static_cast<long long>(read.schedule.unreadLines.size()));
    std::printf("%-46s %s\n", "target", "parse under 50 ms");

    // Filtering, as each keystroke and choice of the window does it.
    const Schedule& schedule = read.schedule;
    const QDateTime now(QDate(2025, 6, 15), QTime(14, 30), QTimeZone::utc());
    ScheduleFilter filter;
    std::size_t shownNow = 0;
    timed(rounds, [&] {
        shownNow = filterSchedule(schedule, filter, now).shown.size();
    }).print("on the air now, no filter");
    std::printf("%-46s %zu entries\n", "shown", shownNow);

    const QString typed = QStringLiteral("radio aurora");
    Figures keystrokes;
    for (int round = 0; round < std::max(1, rounds / 5); ++round) {
        for (const bool onAir : {true, false}) {
            filter.onAirOnly = onAir;
            for (qsizetype length = 1; length <= typed.size(); ++length) {
                filter.text = typed.left(length);
                keystrokes.ms.push_back(
                    timed(1, [&] { filterSchedule(schedule, filter, now); }).ms[0]);
            }
        }
    }
    keystrokes.print("each keystroke of \"radio aurora\"");
    filter = ScheduleFilter{};
    filter.onAirOnly = false;
    timed(rounds, [&] { filterSchedule(schedule, filter, now); }).print("all entries, no filter");
    filter.band = &broadcastBands[6];
    timed(rounds, [&] {
        filterSchedule(schedule, filter, now);
    }).print("a band (31 m), all entries");
    filter.band = nullptr;
    filter.language = QStringLiteral("F");
    timed(rounds, [&] {
        filterSchedule(schedule, filter, now);
    }).print("a language (F), all entries");
    std::printf("%-46s %s\n", "target", "each filter keystroke under 16 ms");
    return 0;
}
