#pragma once

// The short-wave broadcast bands, 120 m to 11 m, as the radio regulations
// allot them (with the extensions broadcasters use in all regions), for the
// band filter of the schedule.
//
// Qt Core only.

#include <QString>

#include <array>

struct BroadcastBand {
    const char* name; // "49 m"
    qint64 lowHertz;
    qint64 highHertz; // both included

    bool contains(qint64 hertz) const { return hertz >= lowHertz && hertz <= highHertz; }
    // "49 m (5900-6200 kHz)"
    QString caption() const;
};

inline constexpr std::array<BroadcastBand, 14> broadcastBands = {{
    {"120 m", 2'300'000, 2'495'000},
    {"90 m", 3'200'000, 3'400'000},
    {"75 m", 3'900'000, 4'000'000},
    {"60 m", 4'750'000, 5'060'000},
    {"49 m", 5'900'000, 6'200'000},
    {"41 m", 7'200'000, 7'450'000},
    {"31 m", 9'400'000, 9'900'000},
    {"25 m", 11'600'000, 12'100'000},
    {"22 m", 13'570'000, 13'870'000},
    {"19 m", 15'100'000, 15'800'000},
    {"16 m", 17'480'000, 17'900'000},
    {"15 m", 18'900'000, 19'020'000},
    {"13 m", 21'450'000, 21'850'000},
    {"11 m", 25'670'000, 26'100'000},
}};
