#pragma once

// A made-up short-wave schedule in EiBi's format, of any length, for the
// schedule benchmark and for trying the "On the Air Now" window at a
// realistic size. Nothing in it comes from a real schedule: the stations are
// names put together from invented parts, and the rest follows the format's
// rules with a season's mix (mostly daily broadcasts of an hour or two in the
// broadcast bands; some weekday, weekend and irregular ones; a few with dates,
// of one season only, inactive, utility stations in a sideband; long and
// medium wave below the radio; a few lines that cannot be read). The same
// count gives the same file.

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

inline QByteArray generatedSchedule(int lines)
{
    QRandomGenerator random(570);
    const auto pick = [&](const auto& list) { return list[random.bounded(int(std::size(list)))]; };

    struct Band {
        int lowKhz;
        int highKhz;
        int weight;
    };
    static constexpr Band bands[] = {{2300, 2495, 1},    {3200, 3400, 2},    {3900, 4000, 2},
                                     {4750, 5060, 3},    {5900, 6200, 14},   {7200, 7600, 16},
                                     {9400, 9900, 18},   {11600, 12100, 16}, {13570, 13870, 9},
                                     {15100, 15800, 12}, {17480, 17900, 8},  {18900, 19020, 1},
                                     {21450, 21850, 4},  {25670, 26100, 1}};
    int totalWeight = 0;
    for (const Band& band : bands)
        totalWeight += band.weight;

    static constexpr const char* prefixes[] = {"Radio",
                                               "Voice of",
                                               "Radio Free",
                                               "Channel",
                                               "Family Radio",
                                               "World Radio",
                                               "Radio International",
                                               "Shortwave",
                                               "Trans",
                                               "Radio Nacional",
                                               "R\xe1"
                                               "dio",
                                               "H\xf6rfunk"};
    static constexpr const char* names[] = {
        "Aurora",       "Meridian",  "Horizon",  "Northstar", "Eastern Sky", "Atlantic",
        "Pacific Dawn", "Cedar",     "Harbour",  "Summit",    "Lowland",     "Silver Coast",
        "Amber",        "Riverside", "Highveld", "Nordlicht", "Sierra Alta", "Blue Lagoon",
        "Saffron",      "Kestrel",   "Monsoon",  "Tundra",    "Caravan",     "Lighthouse",
        "Orchard",      "Granite",   "Meadow",   "Coral Bay", "Steppe",      "Isthmus"};
    // EiBi marks a digital (DRM) broadcast with "DIGITAL"; a few are.
    static constexpr const char* suffixes[] = {
        "", "", "", "", "", "", " International", " Network", " 2", " Overseas"};
    static constexpr const char* countries[] = {
        "ROU", "CHN", "USA", "D",   "F",   "G",   "IND", "IRN", "KRE", "KOR", "CUB", "TUR", "B",
        "ARG", "AUS", "NZL", "EGY", "NIG", "TWN", "VTN", "J",   "BUL", "CZE", "GRC", "SPN", "POR",
        "VAT", "MDA", "TJK", "UZB", "MNG", "ARS", "UAE", "OMA", "ETH", "MDG", "CLA"};
    static constexpr const char* languages[] = {
        "E",  "E",  "E",  "F",  "S", "A",  "M",  "R",  "D",   "P",  "C",  "J",   "K",   "HI",
        "BE", "UR", "FS", "TU", "I", "VN", "TH", "IN", "SWA", "HA", "AM", "E,F", "S,Q", "-TS"};
    static constexpr const char* targets[] = {
        "Eu",  "WEu", "EEu", "CEu", "NAm", "CAm", "SAm", "NAf", "WAf", "EAf", "SAf", "ME",
        "SAs", "SEA", "FE",  "EAs", "Oc",  "Af",  "As",  "Am",  "AUS", "CHN", "IND", "KRE"};
    static constexpr const char* sites[] = {
        "",     "",       "",       "a",      "b",      "k",      "sm",      "/ROU-t", "/G-w",
        "/D-n", "/ARM-g", "/MDG-m", "/UAE-d", "/TJK-d", "/SNG-s", "/CVA-sm", "/PHL-t", "/TWN-p"};
    static constexpr const char* days[] = {
        "",   "",     "",   "",     "",      "",    "",    "",     "",      "",    "",    "Mo-Fr",
        "Sa", "SaSu", "Su", "1245", "Tu,Fr", "irr", "alt", "tent", "Mo-Sa", "Ram", "test"};
    static constexpr int minutes[] = {0, 0, 0, 0, 30, 30, 15, 45};
    static constexpr int lengths[] = {15, 30, 30, 60, 60, 60, 60, 90, 120, 120, 180, 240};

    // By frequency, as EiBi lists them.
    std::vector<std::pair<double, QByteArray>> body;
    body.reserve(lines);
    const auto hhmm = [](int minute) {
        return QByteArray::number(minute / 60).rightJustified(2, '0') +
               QByteArray::number(minute % 60).rightJustified(2, '0');
    };
    const auto ddmm = [&] {
        return QByteArray::number(1 + random.bounded(28)).rightJustified(2, '0') +
               QByteArray::number(1 + random.bounded(12)).rightJustified(2, '0');
    };
    for (int line = 2; line <= lines; ++line) {
        // About one line in four thousand is damaged, as a hand-edited file can be.
        if (random.bounded(4000) == 0) {
            const int khz = 9000 + random.bounded(1000);
            body.emplace_back(khz, QByteArray::number(khz) + ";14OO-1500;;ROU;Typo;E;Eu;;1;;\r\n");
            continue;
        }
        QByteArray khz;
        const int kind = random.bounded(100);
        if (kind < 3) {
            khz = QByteArray::number(153 + 9 * random.bounded(15)); // long wave
        } else if (kind < 6) {
            khz = QByteArray::number(531 + 9 * random.bounded(119)); // medium wave
        } else {
            int choice = random.bounded(totalWeight);
            const Band* band = bands;
            while (choice >= band->weight)
                choice -= (band++)->weight;
            const int steps = (band->highKhz - band->lowKhz) / 5;
            khz = QByteArray::number(band->lowKhz + 5 * random.bounded(steps + 1));
            if (random.bounded(50) == 0)
                khz += ".5";
        }
        int start = 60 * random.bounded(24) + pick(minutes);
        int end = (start + pick(lengths)) % 1440;
        if (random.bounded(40) == 0) {
            start = 0;
            end = 1440;
        }
        int persistence = 1;
        QByteArray from;
        QByteArray until;
        const int lasting = random.bounded(100);
        if (lasting < 6) {
            persistence = 6;
            from = ddmm();
            until = ddmm();
        } else if (lasting < 9) {
            persistence = 8;
        } else if (lasting < 12) {
            persistence = 4 + random.bounded(2);
        } else if (lasting < 14) {
            persistence = 2 + random.bounded(2);
        }
        QByteArray dayText = pick(days);
        if (random.bounded(100) == 0) {
            persistence += 90;
            dayText = random.bounded(4) == 0 ? "LSB" : "";
        }
        const QByteArray digital = random.bounded(40) == 0 ? " DIGITAL" : "";
        body.emplace_back(khz.toDouble(),
                          khz + ';' + hhmm(start) + '-' + hhmm(end) + ';' + dayText + ';' +
                              pick(countries) + ';' + pick(prefixes) + ' ' + pick(names) +
                              pick(suffixes) + digital + ';' + pick(languages) + ';' +
                              pick(targets) + ';' + pick(sites) + ';' +
                              QByteArray::number(persistence) + ';' + from + ';' + until + "\r\n");
    }
    std::stable_sort(body.begin(), body.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QByteArray text = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
                      "Remarks:135;P:35;Start:60;Stop:60;\r\n";
    text.reserve(lines * 80);
    for (const auto& line : body)
        text += line.second;
    return text;
}
