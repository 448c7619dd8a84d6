// EiBi's schedule format as Quillard reads it, on small files written here in
// that format: every field of a line, the forms the days take, decimals and
// Latin-1, line ends, the lines that cannot be read (skipped and counted),
// the files that are not schedules at all (refused at the line that shows
// it), and the file checks before anything is read.
#include "schedule/eibiformat.h"
#include "schedule/schedulefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray header = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
                          "Remarks:135;P:35;Start:60;Stop:60;\r\n";

// The one entry of a schedule of one line, and that schedule's texts.
struct OneEntry {
    Schedule schedule;
    ScheduleEntry entry;
    QString text(TextId id) const { return schedule.text(id); }
};

OneEntry oneEntry(const QByteArray& line)
{
    const ScheduleRead read = parseSchedule(header + line + "\r\n");
    if (!read.ok() || read.schedule.entries.size() != 1) {
        qWarning() << "not one entry:" << line << read.problem << read.schedule.unreadLines;
        return {};
    }
    return {read.schedule, read.schedule.entries.constFirst()};
}

QString stationOf(const Schedule& schedule, int index)
{
    return schedule.text(schedule.entries[index].station);
}
} // namespace

class TestEibiFormat : public QObject {
    Q_OBJECT

private slots:
    void readsEveryFieldOfALine()
    {
        const OneEntry read = oneEntry(
            "9610;2300-0100;Mo-Fr;ROU;Radio Romania International;E;WEu;/ROU-t;6;0104;3009[0725]");
        const ScheduleEntry& entry = read.entry;
        QCOMPARE(entry.hertz, 9610000);
        QCOMPARE(entry.startMinute, 23 * 60);
        QCOMPARE(entry.endMinute, 60);
        QCOMPARE(entry.weekdays, quint8(0x1f));
        QCOMPARE(read.text(entry.country), QStringLiteral("ROU"));
        QCOMPARE(read.text(entry.station), QStringLiteral("Radio Romania International"));
        QCOMPARE(read.text(entry.language), QStringLiteral("E"));
        QCOMPARE(read.text(entry.target), QStringLiteral("WEu"));
        QCOMPARE(read.text(entry.site), QStringLiteral("/ROU-t"));
        QCOMPARE(entry.persistence, 6);
        QVERIFY(!entry.utility);
        QCOMPARE(entry.from, DayOfYear({1, 4}));
        QCOMPARE(entry.until, DayOfYear({30, 9}));
        QCOMPARE(read.text(entry.time), QStringLiteral("2300-0100"));
        QCOMPARE(read.text(entry.days), QStringLiteral("Mo-Fr"));
        QCOMPARE(entry.reception, Reception::AM);
        QCOMPARE(entry.line, 2);
        QCOMPARE(entry.kilohertzText(), QStringLiteral("9610"));

        // Blanks around fields, the header's trailing ";", no dates, "2400".
        const OneEntry plainRead = oneEntry(" 6070 ; 0000-2400 ;;D; Channel 292 ;D;Eu;;1;;;");
        const ScheduleEntry& plain = plainRead.entry;
        QCOMPARE(plain.hertz, 6070000);
        QCOMPARE(plain.startMinute, 0);
        QCOMPARE(plain.endMinute, 1440);
        QCOMPARE(plain.weekdays, quint8(0x7f));
        QCOMPARE(plainRead.text(plain.station), QStringLiteral("Channel 292"));
        QCOMPARE(plainRead.text(plain.site), QString());
        QVERIFY(!plain.from && !plain.until);
    }

    void frequenciesInKilohertzWithDecimals_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<qint64>("hertz");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << QByteArray("15105") << qint64(15105000) << "15105";
        QTest::newRow("one decimal") << QByteArray("11780.5") << qint64(11780500) << "11780.5";
        QTest::newRow("long wave") << QByteArray("16.4") << qint64(16400) << "16.4";
        QTest::newRow("three decimals") << QByteArray("5000.125") << qint64(5000125) << "5000.125";
        QTest::newRow("a fourth rounds") << QByteArray("4999.9995") << qint64(5000000) << "5000";
        QTest::newRow("trailing dot") << QByteArray("6070.") << qint64(6070000) << "6070";
        QTest::newRow("above the radio") << QByteArray("45000") << qint64(45000000) << "45000";
    }

    void frequenciesInKilohertzWithDecimals()
    {
        QFETCH(QByteArray, field);
        QFETCH(qint64, hertz);
        QFETCH(QString, shown);
        const ScheduleEntry entry = oneEntry(field + ";1200-1300;;D;Station;E;Eu;;1;;").entry;
        QCOMPARE(entry.hertz, hertz);
        QCOMPARE(entry.kilohertzText(), shown);
    }

    void latin1Names()
    {
        const OneEntry brazil = oneEntry("9665;2200-2300;;B;R\xe1"
                                         "dio Nacional da Amaz\xf4nia;P;SAm;;1;;");
        QCOMPARE(brazil.text(brazil.entry.station), QStringLiteral("Rádio Nacional da Amazônia"));
        const OneEntry german = oneEntry("6005;0000-2400;;D;Deutschlandfunk K\xf6ln;D;Eu;k;1;;");
        QCOMPARE(german.text(german.entry.station), QStringLiteral("Deutschlandfunk Köln"));
    }

    // The days field: weekdays in every form, remarks that keep the entry
    // off a known time, and the sideband of utility stations.
    void dayForms_data()
    {
        QTest::addColumn<QByteArray>("days");
        QTest::addColumn<int>("weekdays"); // bit 0 Monday; -1: none that count
        QTest::addColumn<bool>("irregular");
        QTest::addColumn<bool>("unscheduled");
        QTest::newRow("daily") << QByteArray("") << 0x7f << false << false;
        QTest::newRow("Mo-Fr") << QByteArray("Mo-Fr") << 0x1f << false << false;
        QTest::newRow("Tu,Fr") << QByteArray("Tu,Fr") << 0x12 << false << false;
        QTest::newRow("Sa") << QByteArray("Sa") << 0x20 << false << false;
        QTest::newRow("SaSu") << QByteArray("SaSu") << 0x60 << false << false;
        QTest::newRow("MoWeFr") << QByteArray("MoWeFr") << 0x15 << false << false;
        QTest::newRow("Sa-Mo over the weekend") << QByteArray("Sa-Mo") << 0x61 << false << false;
        QTest::newRow("1245") << QByteArray("1245") << 0x1b << false << false;
        QTest::newRow("7") << QByteArray("7") << 0x40 << false << false;
        QTest::newRow("irr") << QByteArray("irr") << 0x7f << true << false;
        QTest::newRow("tent") << QByteArray("tent") << 0x7f << true << false;
        QTest::newRow("test") << QByteArray("test") << 0x7f << true << false;
        QTest::newRow("alt") << QByteArray("alt") << 0x7f << false << true;
        QTest::newRow("Ram") << QByteArray("Ram") << 0x7f << false << true;
        QTest::newRow("harm") << QByteArray("harm") << 0x7f << false << true;
        QTest::newRow("altFr") << QByteArray("altFr") << 0x7f << false << true;
        QTest::newRow("1.Sa") << QByteArray("1.Sa") << -1 << false << true;
        QTest::newRow("MF-15") << QByteArray("MF-15") << -1 << false << true;
    }

    void dayForms()
    {
        QFETCH(QByteArray, days);
        QFETCH(int, weekdays);
        QFETCH(bool, irregular);
        QFETCH(bool, unscheduled);
        const OneEntry read = oneEntry("7200;1200-1300;" + days + ";ROU;Station;E;Eu;;1;;");
        const ScheduleEntry& entry = read.entry;
        if (weekdays >= 0)
            QCOMPARE(entry.weekdays, quint8(weekdays));
        QCOMPARE(entry.irregular, irregular);
        QCOMPARE(entry.unscheduled, unscheduled);
        QCOMPARE(read.text(entry.days), QString::fromLatin1(days));
        QVERIFY(!entry.onlyOn);
    }

    void oneDayOfTheYearAndSidebands()
    {
        const ScheduleEntry festival =
            oneEntry("9400;1800-1900;15Sep;BUL;Station;BU;Eu;;1;;").entry;
        QCOMPARE(festival.onlyOn, DayOfYear({15, 9}));
        QVERIFY(!festival.unscheduled);

        QCOMPARE(oneEntry("5505;0000-2400;USB;IRL;Shannon Volmet;E;NAO;;1;;").entry.reception,
                 Reception::UpperSideband);
        QCOMPARE(oneEntry("7150;1800-1900;LSB;G;Amateur net;E;Eu;;1;;").entry.reception,
                 Reception::LowerSideband);
        // A utility station (persistence 90 and over) is upper sideband unless marked.
        const ScheduleEntry utility =
            oneEntry("8828;0000-2400;;HKG;Hong Kong Volmet;E;FE;;91;;").entry;
        QVERIFY(utility.utility);
        QCOMPARE(utility.persistence, 1);
        QCOMPARE(utility.reception, Reception::UpperSideband);
        QCOMPARE(oneEntry("6604;0000-2400;LSB;USA;New York Volmet;E;NAm;;91;;").entry.reception,
                 Reception::LowerSideband);
        QCOMPARE(oneEntry("9610;1400-1500;;ROU;RRI;E;Eu;;8;;").entry.persistence, 8);
        QVERIFY(oneEntry("9610;1400-1500;;ROU;RRI;E;Eu;;98;;").entry.isInactive());
        // No code: on all season.
        QCOMPARE(oneEntry("9610;1400-1500;;ROU;RRI;E;Eu;;;;").entry.persistence, 1);
    }

    // Lines that cannot be read are skipped and listed by number; the rest
    // of the schedule is read.
    void malformedLinesAreSkippedAndCounted()
    {
        static const char withNul[] = "9660;1400-1500;;ROU;Nul\0here;E;Eu;;1;;\r\n";
        const QByteArray bytes = header +                                           // 1
                                 "9610;1400-1500;;ROU;Good one;E;Eu;;1;;\r\n"       // 2
                                 "96x0;1400-1500;;ROU;Bad kHz;E;Eu;;1;;\r\n"        // 3
                                 "\r\n"                                             // 4
                                 "9620;1400;;ROU;Bad time;E;Eu;;1;;\r\n"            // 5
                                 "9630;2400-0100;;ROU;Starts at 2400;E;Eu;;1;;\r\n" // 6
                                 "9640;1400-1500;;ROU;Too few\r\n"                  // 7
                                 "9650;1400-1500;;ROU;Bad date;E;Eu;;6;3213;\r\n" + // 8
                                 QByteArray(withNul, sizeof(withNul) - 1) +         // 9
                                 "9670;1400-1500;;ROU;Bad P;E;Eu;;x;;\r\n"          // 10
                                 "9680;1400-1560;;ROU;Minute 60;E;Eu;;1;;\r\n"      // 11
                                 "9690;1400-1500;;ROU;Good two;E;Eu;;1;;\r\n";      // 12
        const ScheduleRead read = parseSchedule(bytes);
        QVERIFY2(read.ok(), qPrintable(read.problem));
        QCOMPARE(read.schedule.unreadLines, QList<int>({3, 5, 6, 7, 8, 9, 10, 11}));
        QCOMPARE(read.schedule.entries.size(), 2);
        QCOMPARE(stationOf(read.schedule, 0), QStringLiteral("Good one"));
        QCOMPARE(read.schedule.entries[1].line, 12);
        QCOMPARE(read.schedule.unreadLinesText(),
                 QStringLiteral("8 lines could not be read: 3, 5, 6, 7, 8, 9, 10, 11"));

        Schedule many;
        for (int line = 2; line <= 14; ++line)
            many.unreadLines << line;
        QCOMPARE(many.unreadLinesText(), QStringLiteral("13 lines could not be read: 2, 3, 4, 5, "
                                                        "6, 7, 8, 9, 10, 11 and 3 more"));
        many.unreadLines = {41};
        QCOMPARE(many.unreadLinesText(), QStringLiteral("1 line could not be read: 41"));
    }

    // Line ends of every kind, a byte-order mark, no line end at the end:
    // the same entries on the same lines; sorted by frequency, then time.
    void lineEndsAndOrder()
    {
        const QList<QByteArray> forms = {
            header + "9700;1200-1300;;A;Third;E;Eu;;1;;\r\n6000;1300-1400;;A;Second;E;Eu;;1;;\r\n"
                     "6000;0100-0200;;A;First;E;Eu;;1;;\r\n",
            "\xEF\xBB\xBF" + header.chopped(2) +
                "\n9700;1200-1300;;A;Third;E;Eu;;1;;\n6000;1300-1400;;A;Second;E;Eu;;1;;\n"
                "6000;0100-0200;;A;First;E;Eu;;1;;",
            header.chopped(2) + "\r9700;1200-1300;;A;Third;E;Eu;;1;;\r6000;1300-1400;;A;Second;E;"
                                "Eu;;1;;\r6000;0100-0200;;A;First;E;Eu;;1;;\r\r\r",
        };
        for (const QByteArray& bytes : forms) {
            const ScheduleRead read = parseSchedule(bytes);
            QVERIFY2(read.ok(), qPrintable(read.problem));
            QCOMPARE(read.schedule.unreadLines, QList<int>());
            QCOMPARE(read.schedule.entries.size(), 3);
            QCOMPARE(stationOf(read.schedule, 0), QStringLiteral("First"));
            QCOMPARE(read.schedule.entries[0].line, 4);
            QCOMPARE(stationOf(read.schedule, 1), QStringLiteral("Second"));
            QCOMPARE(stationOf(read.schedule, 2), QStringLiteral("Third"));
            QCOMPARE(read.schedule.entries[2].line, 2);
        }
    }

    // What is not a schedule at all is refused, naming the line that shows it.
    void notASchedule_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("line");
        QTest::newRow("empty") << QByteArray() << "it is empty" << 0;
        QTest::newRow("blank lines") << QByteArray("\r\n \r\n") << "it is empty" << 0;
        QTest::newRow("another CSV")
            << QByteArray("Name,Call,Phone\r\nAnn,K1ABC,555-0100\r\n")
            << "line 1 should be EiBi's header (\"kHz:75;Time(UTC):93;Days:59;...\") or a "
               "schedule line, but it reads \"Name,Call,Phone\""
            << 1;
        QTest::newRow("binary")
            << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
            << "line 1 should be EiBi's header (\"kHz:75;Time(UTC):93;Days:59;...\") or a "
               "schedule line, but it reads \"?PNG\""
            << 1;
        QTest::newRow("invisible characters")
            << QByteArray("kHz:75\xad\xad\x85;x\xa0y")
            << "line 1 should be EiBi's header (\"kHz:75;Time(UTC):93;Days:59;...\") or a "
               "schedule line, but it reads \"kHz:75???;x\xc2\xa0y\""
            << 1;
        QTest::newRow("header, then nonsense")
            << header + "this;is;not;a;schedule\r\nnor;this\r\n"
            << "it stops making sense at line 2: it has 5 fields separated by \";\", where a "
               "schedule line has 11"
            << 2;
        QTest::newRow("header, then a bad time")
            << header + "\r\n6070;noon;;D;Station;E;Eu;;1;;\r\n"
            << "it stops making sense at line 3: the time \"noon\" is not HHMM-HHMM in UTC" << 3;
    }

    void notASchedule()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(int, line);
        const ScheduleRead read = parseSchedule(bytes);
        QVERIFY(!read.ok());
        QCOMPARE(read.problem, problem);
        QCOMPARE(read.problemLine, line);
        QVERIFY(read.schedule.entries.isEmpty());
    }

    void headerOnlyOrNoHeaderAreSchedules()
    {
        const ScheduleRead empty = parseSchedule(header);
        QVERIFY(empty.ok());
        QVERIFY(empty.schedule.entries.isEmpty());
        const ScheduleRead bare = parseSchedule("6070;1200-1300;;D;Station;E;Eu;;1;;\n");
        QVERIFY(bare.ok());
        QCOMPARE(bare.schedule.entries.size(), 1);
        QCOMPARE(bare.schedule.entries[0].line, 1);
    }

    // The checks made before a file is read, and the messages that name it.
    void scheduleFiles()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("sked-A25.csv"));
        QFile file(good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(header + "9610;1400-1500;;ROU;RRI;E;Eu;;1;;\r\n");
        file.close();
        ScheduleFileRead read = readScheduleFile(good);
        QVERIFY2(read.ok(), qPrintable(read.problem));
        QCOMPARE(read.schedule.entries.size(), 1);

        read = readScheduleFile(dir.path());
        QCOMPARE(read.problem, QDir::toNativeSeparators(dir.path()) +
                                   QStringLiteral(" is a folder, not a schedule."));

        const QString missing = dir.filePath(QStringLiteral("gone.csv"));
        QCOMPARE(readScheduleFile(missing).problem,
                 QStringLiteral("The schedule %1 does not exist.").arg(missing));

        const QString huge = dir.filePath(QStringLiteral("huge.csv"));
        QFile large(huge);
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(50 * 1024 * 1024));
        large.close();
        QCOMPARE(readScheduleFile(huge).problem,
                 QStringLiteral("%1 is 52428800 bytes long, more than a schedule can be (at most "
                                "8388608 bytes; a season's schedule is about 1 MB), so it was not "
                                "read.")
                     .arg(huge));

        const QString other = dir.filePath(QStringLiteral("contacts.csv"));
        QFile csv(other);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("Name,Call\nAnn,K1ABC\n");
        csv.close();
        QCOMPARE(readScheduleFile(other).problem,
                 QStringLiteral("%1 is not an EiBi schedule: line 1 should be EiBi's header "
                                "(\"kHz:75;Time(UTC):93;Days:59;...\") or a schedule line, but it "
                                "reads \"Name,Call\".")
                     .arg(other));
    }
};

QTEST_GUILESS_MAIN(TestEibiFormat)
#include "tst_eibiformat.moc"
