// The "on the air" rule and the filters, at moments chosen here: the
// midnight wrap, "2400", the days in each form across midnight, the seasons,
// the start and stop dates (a stop date passed is off, across the new year
// too), entries that are never on, and what the filters and the radio's
// range let through.
#include "schedule/broadcastbands.h"
#include "schedule/eibiformat.h"
#include "schedule/onair.h"
#include "schedule/schedulefilter.h"

#include <QTest>
#include <QTimeZone>

namespace {
const QByteArray header = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
                          "Remarks:135;P:35;Start:60;Stop:60;\n";

// One entry on 9610 kHz with this time, days, persistence and dates.
ScheduleEntry entry(const char* time, const char* days = "", const char* persistence = "1",
                    const char* from = "", const char* until = "")
{
    const QByteArray line = QByteArray("9610;") + time + ';' + days +
                            ";ROU;Radio Romania International;E;Eu;;" + persistence + ';' + from +
                            ';' + until;
    const ScheduleRead read = parseSchedule(header + line + '\n');
    if (read.schedule.entries.size() != 1)
        qWarning() << "not one entry:" << line << read.problem;
    return read.schedule.entries.value(0);
}

QDateTime utc(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
}

// 2025-06-15 is a Sunday; 2025-06-16 a Monday; 2025-06-18 a Wednesday.
const QDateTime sunday1430 = utc(2025, 6, 15, 14, 30);
} // namespace

class TestOnAir : public QObject {
    Q_OBJECT

private slots:
    void aroundMidnightAndTheEndOfTheDay()
    {
        const ScheduleEntry late = entry("2300-0100");
        QVERIFY(!isOnAir(late, utc(2025, 6, 15, 22, 59)));
        QVERIFY(isOnAir(late, utc(2025, 6, 15, 23, 0)));
        QVERIFY(isOnAir(late, utc(2025, 6, 16, 0, 30)));
        QVERIFY(!isOnAir(late, utc(2025, 6, 16, 1, 0)));

        const ScheduleEntry allDay = entry("0000-2400");
        QVERIFY(isOnAir(allDay, utc(2025, 6, 15, 0, 0)));
        QVERIFY(isOnAir(allDay, utc(2025, 6, 15, 23, 59)));
        const ScheduleEntry toMidnight = entry("2200-2400");
        QVERIFY(isOnAir(toMidnight, utc(2025, 6, 15, 23, 59)));
        QVERIFY(!isOnAir(toMidnight, utc(2025, 6, 16, 0, 0)));
        // Starting and ending at the same minute: all day.
        QVERIFY(isOnAir(entry("1200-1200"), utc(2025, 6, 15, 3, 0)));

        const ScheduleEntry hour = entry("1400-1500");
        QVERIFY(isOnAir(hour, utc(2025, 6, 15, 14, 0)));
        QVERIFY(isOnAir(hour, utc(2025, 6, 15, 14, 59)));
        QVERIFY(!isOnAir(hour, utc(2025, 6, 15, 15, 0)));
        QVERIFY(!isOnAir(hour, utc(2025, 6, 15, 13, 59)));
    }

    // The days are those the broadcast starts on: after midnight, the day before.
    void daysInEachForm_data()
    {
        QTest::addColumn<QByteArray>("days");
        QTest::addColumn<bool>("sunday");
        QTest::addColumn<bool>("wednesday");
        QTest::newRow("daily") << QByteArray("") << true << true;
        QTest::newRow("Mo-Fr") << QByteArray("Mo-Fr") << false << true;
        QTest::newRow("Tu,We") << QByteArray("Tu,We") << false << true;
        QTest::newRow("Su") << QByteArray("Su") << true << false;
        QTest::newRow("SaSu") << QByteArray("SaSu") << true << false;
        QTest::newRow("Sa-Mo") << QByteArray("Sa-Mo") << true << false;
        QTest::newRow("1245") << QByteArray("1245") << false << false;
        QTest::newRow("37") << QByteArray("37") << true << true;
        QTest::newRow("irr") << QByteArray("irr") << true << true;
        QTest::newRow("test") << QByteArray("test") << true << true;
        QTest::newRow("alt") << QByteArray("alt") << false << false;
        QTest::newRow("Ram") << QByteArray("Ram") << false << false;
        QTest::newRow("15Jun") << QByteArray("15Jun") << true << false;
    }

    void daysInEachForm()
    {
        QFETCH(QByteArray, days);
        QFETCH(bool, sunday);
        QFETCH(bool, wednesday);
        const ScheduleEntry evening = entry("1400-1500", days.constData());
        QCOMPARE(isOnAir(evening, sunday1430), sunday);
        QCOMPARE(isOnAir(evening, utc(2025, 6, 18, 14, 30)), wednesday);
        // After midnight the broadcast of the evening before is still on.
        const ScheduleEntry night = entry("2300-0100", days.constData());
        QCOMPARE(isOnAir(night, utc(2025, 6, 16, 0, 30)), sunday);
        QCOMPARE(isOnAir(night, utc(2025, 6, 19, 0, 30)), wednesday);
    }

    void persistenceAndSeasons()
    {
        QVERIFY(!isOnAir(entry("0000-2400", "", "8"), sunday1430));
        QVERIFY(!isOnAir(entry("0000-2400", "", "98"), sunday1430));
        QVERIFY(isOnAir(entry("0000-2400", "", "2"), sunday1430));
        QVERIFY(isOnAir(entry("0000-2400", "", "91"), sunday1430));
        // Summer runs from the last Sunday of March (30 March 2025) to the
        // last Sunday of October (26 October 2025).
        const ScheduleEntry winter = entry("0000-2400", "", "4");
        const ScheduleEntry summer = entry("0000-2400", "", "5");
        QVERIFY(!isOnAir(winter, sunday1430));
        QVERIFY(isOnAir(summer, sunday1430));
        QVERIFY(isOnAir(winter, utc(2025, 3, 29, 12, 0)));
        QVERIFY(!isOnAir(summer, utc(2025, 3, 29, 12, 0)));
        QVERIFY(isOnAir(summer, utc(2025, 3, 30, 12, 0)));
        QVERIFY(isOnAir(summer, utc(2025, 10, 25, 12, 0)));
        QVERIFY(isOnAir(winter, utc(2025, 10, 26, 12, 0)));
        QVERIFY(isOnAir(winter, utc(2026, 1, 15, 12, 0)));
    }

    void startAndStopDates()
    {
        // A stop date passed is off; the stop day itself is on.
        QVERIFY(!isOnAir(entry("1400-1500", "", "6", "", "0106"), sunday1430));
        QVERIFY(isOnAir(entry("1400-1500", "", "6", "", "1506"), sunday1430));
        QVERIFY(isOnAir(entry("1400-1500", "", "6", "", "1506[0625]"), sunday1430));
        QVERIFY(!isOnAir(entry("1400-1500", "", "6", "", "1406"), sunday1430));
        // Not yet started; started on the day.
        QVERIFY(!isOnAir(entry("1400-1500", "", "6", "1606", ""), sunday1430));
        QVERIFY(isOnAir(entry("1400-1500", "", "6", "1506", ""), sunday1430));
        // Within the dates, or outside.
        QVERIFY(isOnAir(entry("1400-1500", "", "6", "0106", "3006"), sunday1430));
        QVERIFY(!isOnAir(entry("1400-1500", "", "6", "0107", "3107"), sunday1430));
        // An entry's dates count with any persistence code.
        QVERIFY(!isOnAir(entry("1400-1500", "", "1", "", "0106"), sunday1430));

        // A winter season runs over the new year.
        const ScheduleEntry wholeWinter = entry("1400-1500", "", "6", "2510", "1503");
        QVERIFY(isOnAir(wholeWinter, utc(2025, 12, 10, 14, 30)));
        QVERIFY(isOnAir(wholeWinter, utc(2026, 2, 1, 14, 30)));
        QVERIFY(!isOnAir(wholeWinter, utc(2026, 3, 20, 14, 30)));
        QVERIFY(!isOnAir(wholeWinter, utc(2025, 10, 20, 14, 30)));
        const ScheduleEntry fromJanuary = entry("1400-1500", "", "6", "0501", "");
        QVERIFY(!isOnAir(fromJanuary, utc(2025, 12, 10, 14, 30)));
        QVERIFY(isOnAir(fromJanuary, utc(2026, 1, 10, 14, 30)));
        const ScheduleEntry untilJanuary = entry("1400-1500", "", "6", "", "0501");
        QVERIFY(isOnAir(untilJanuary, utc(2025, 12, 10, 14, 30)));
        QVERIFY(!isOnAir(untilJanuary, utc(2026, 1, 6, 14, 30)));

        // After midnight the dates are those of the evening the broadcast began.
        const ScheduleEntry lastNight = entry("2300-0100", "", "6", "", "1506");
        QVERIFY(isOnAir(lastNight, utc(2025, 6, 16, 0, 30)));
        QVERIFY(!isOnAir(lastNight, utc(2025, 6, 16, 23, 30)));
    }

    void bandsOfTheFilter()
    {
        const BroadcastBand& band49 = broadcastBands[4];
        QCOMPARE(band49.caption(), QStringLiteral("49 m (5900-6200 kHz)"));
        QVERIFY(band49.contains(5'900'000));
        QVERIFY(band49.contains(6'200'000));
        QVERIFY(!band49.contains(6'205'000));
        QCOMPARE(broadcastBands.front().caption(), QStringLiteral("120 m (2300-2495 kHz)"));
        QCOMPARE(broadcastBands.back().caption(), QStringLiteral("11 m (25670-26100 kHz)"));
        QCOMPARE(ts570dRange.text(), QStringLiteral("500 kHz to 30 MHz"));
        QCOMPARE(ts570sRange.text(), QStringLiteral("500 kHz to 60 MHz"));
    }

    // What each filter lets through, and what the radio's range leaves out.
    void filters()
    {
        const ScheduleRead read = parseSchedule(
            header + "153;1400-1500;;ROU;Radio Antena Satelor;R;ROU;;1;;\n" // long wave
                     "6070;1400-1500;;CAN;CFRX Toronto;E;NAm;;1;;\n"        // 49 m
                     "6160;1400-1500;;CHL;Radio Sonora;S,Q;SAm;pm;1;;\n"    // 49 m, two languages
                     "9610;1400-1500;;ROU;Radio Romania International;E;WEu;/ROU-t;1;;\n" // 31 m
                     "9620;1500-1600;;ROU;Radio Romania International;F;WEu;t;1;;\n" // 31 m, later
                     "9630;1400-1500;;ROU;Retired;E;WEu;;8;;\n"                      // inactive
                     "11780.5;1400-1500;;B;Radio Nacional da Amazonia;P;SAm;;1;;\n"  // 25 m
                     "45000;1400-1500;;USA;Forty-five;E;NAm;;1;;\n");                // above 30 MHz
        QVERIFY(read.ok());
        const Schedule& schedule = read.schedule;
        const auto stations = [&](const ScheduleFilter& filter) {
            const FilteredSchedule result = filterSchedule(schedule, filter, sunday1430);
            QStringList shown;
            for (int index : result.shown)
                shown << schedule.entries[index].kilohertzText();
            return std::pair(shown, result.outsideRange);
        };

        ScheduleFilter filter;
        QCOMPARE(stations(filter), std::pair(QStringList({"6070", "6160", "9610", "11780.5"}), 2));
        filter.onAirOnly = false;
        QCOMPARE(stations(filter),
                 std::pair(QStringList({"6070", "6160", "9610", "9620", "11780.5"}), 2));
        filter.range = ts570sRange;
        QCOMPARE(stations(filter),
                 std::pair(QStringList({"6070", "6160", "9610", "9620", "11780.5", "45000"}), 1));

        filter = ScheduleFilter{};
        filter.band = &broadcastBands[4]; // 49 m
        QCOMPARE(stations(filter), std::pair(QStringList({"6070", "6160"}), 0));
        filter.band = &broadcastBands[6]; // 31 m
        QCOMPARE(stations(filter), std::pair(QStringList({"9610"}), 0));

        filter = ScheduleFilter{};
        filter.language = QStringLiteral("Q");
        QCOMPARE(stations(filter), std::pair(QStringList({"6160"}), 0));
        filter.language = QStringLiteral("E");
        QCOMPARE(stations(filter), std::pair(QStringList({"6070", "9610"}), 1));
        filter.target = QStringLiteral("WEu");
        QCOMPARE(stations(filter), std::pair(QStringList({"9610"}), 0));

        // The text is looked for in the station and the site, in any case.
        filter = ScheduleFilter{};
        filter.text = QStringLiteral("rOMANIA");
        QCOMPARE(stations(filter), std::pair(QStringList({"9610"}), 0));
        filter.text = QStringLiteral("rou-t");
        QCOMPARE(stations(filter), std::pair(QStringList({"9610"}), 0));
        filter.text = QStringLiteral("Radio");
        QCOMPARE(stations(filter), std::pair(QStringList({"6160", "9610", "11780.5"}), 1));
    }
};

QTEST_GUILESS_MAIN(TestOnAir)
#include "tst_onair.moc"
