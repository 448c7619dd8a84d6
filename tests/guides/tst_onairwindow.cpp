// "On the Air Now" as the operator meets it, on a made-up schedule at a UTC
// moment the test clock sets (Sunday 15 June 2025, 14:30:20): the first
// opening asks for the file and remembers it, the rows on the air and the
// next minute's, the filters, what a click, Space and Enter send at a real
// pseudo-terminal and what is announced, and the files refused with their
// messages while the schedule shown stays.
#include "clock/testclock.h"
#include "guides/onairwindow.h"
#include "guides/schedulefiledialog.h"
#include "pipewatch.h"
#include "session/portroute.h"
#include "timeline.h"
#include "ui/placement.h"
#include "uitest.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QTableView>
#include <QTimeZone>

#include <memory>

namespace {
// Line by line; the comments say what each is at 14:30 on that Sunday.
const QByteArray schedule =
    "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;"
    "Stop:60;\r\n"                                                         // 1
    "153;1400-1500;;ROU;Radio Antena Satelor;R;ROU;;1;;\r\n"               // 2 below the radio
    "5505;0000-2400;;IRL;Shannon Volmet;E;NAO;;91;;\r\n"                   // 3 on, utility: USB
    "6070;1400-1500;;CAN;CFRX Toronto;E;NAm;;1;;\r\n"                      // 4 on
    "7150;1400-1500;LSB;G;Example Net;E;Eu;;1;;\r\n"                       // 5 on, LSB
    "9610;1400-1500;;ROU;Radio Romania International;E;WEu;/ROU-t;1;;\r\n" // 6 on
    "96l0;1400-1500;;ROU;Misprint;E;WEu;;1;;\r\n"                          // 7 unreadable
    "9620;1431-1500;;ROU;Radio Romania International;F;WEu;t;1;;\r\n"      // 8 from 14:31
    "9700;1400-1430;;D;Half Hour Radio;D;Eu;;1;;\r\n"                      // 9 just ended
    "11780.5;1400-1500;Mo-Fr;B;R\xe1"
    "dio Nacional da Amaz\xf4nia;P;SAm;;1;;\r\n"            // 10 weekdays only
    "13650;1400-1500;;USA;Stopped Early;E;NAm;;6;;0106\r\n" // 11 stop date passed
    "15105;1400-1500\r\n"                                   // 12 unreadable
    "15110;1400-1500;;USA;Old Station;E;NAm;;8;;\r\n"       // 13 inactive
    "45000;1400-1500;;USA;Forty-five;E;NAm;;1;;\r\n";       // 14 above the radio

const QDateTime sunday(QDate(2025, 6, 15), QTime(14, 30, 20), QTimeZone::utc());

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QSettings programSettings(const TestEnvironment& env)
{
    return QSettings(env.settingsDir() + QStringLiteral("/quillard.conf"), QSettings::IniFormat);
}

// The dialog answered by the test, for as long as this lives.
struct ScriptedDialog {
    explicit ScriptedDialog(QString answer) : answer(std::move(answer))
    {
        ScheduleFileDialog::setScript([this](const ScheduleFileRequest& request) {
            asked << request;
            return this->answer;
        });
    }
    ~ScriptedDialog() { ScheduleFileDialog::setScript({}); }
    QString answer;
    QList<ScheduleFileRequest> asked;
};

std::unique_ptr<OnAirWindow> openWindow(SparePort& port)
{
    auto window = std::make_unique<OnAirWindow>(port.lend());
    window->show();
    // The opening shows the schedule (or asks for one) once the window is up.
    QCoreApplication::processEvents();
    return window;
}

// Each row's frequency column, top to bottom.
QStringList frequencies(const OnAirWindow& window)
{
    const QAbstractItemModel* model = window.table()->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row)
        shown << model->index(row, 0).data().toString();
    return shown;
}

QStringList rowTexts(const OnAirWindow& window, int row)
{
    const QAbstractItemModel* model = window.table()->model();
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column)
        texts << model->index(row, column).data().toString();
    return texts;
}

void clickRow(OnAirWindow& window, int row)
{
    QTableView* table = window.table();
    const QRect cell = table->visualRect(table->model()->index(row, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

template <typename Widget> Widget* control(const OnAirWindow& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

const QString atHalfPast = QStringLiteral("4 entries on the air at 14:30 UTC (Sunday 15 June "
                                          "2025) in sked-test.csv.");
const QString leftOut =
    QStringLiteral(" 2 outside the radio's range (500 kHz to 30 MHz) left out.");
const QString unread = QStringLiteral(" 2 lines could not be read: 7, 12.");
} // namespace

class TestOnAirWindow : public QObject {
    Q_OBJECT

    SparePort m_port;

private slots:
    void firstOpeningAsksForTheScheduleAndRemembersIt()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline; // qd.cfg for port 1, and a radio there
        const QString path = writeFile(env.settingsDir() + "/sked-test.csv", schedule);
        {
            ScriptedDialog dialog(QString{}); // the operator cancels
            const auto window = openWindow(m_port);
            QCOMPARE(dialog.asked.size(), 1);
            QCOMPARE(dialog.asked[0].directory, QDir::homePath());
            QCOMPARE(frequencies(*window), QStringList());
            QCOMPARE(window->statusText(),
                     QStringLiteral("No schedule is open. Choose the season's EiBi schedule "
                                    "(sked-A25.csv, for example) with File > Open Schedule..."));
            QVERIFY(!programSettings(env).contains("Schedule/file"));
        }
        {
            ScriptedDialog dialog(path);
            const auto window = openWindow(m_port);
            QCOMPARE(dialog.asked.size(), 1);
            QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
            QCOMPARE(programSettings(env).value("Schedule/file").toString(), path);
        }
        {
            // Later openings show it without asking; File > Open Schedule... starts there.
            ScriptedDialog dialog(QString{});
            const auto window = openWindow(m_port);
            QVERIFY(dialog.asked.isEmpty());
            QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
            control<QAction>(*window, "OpenSchedule")->trigger();
            QCOMPARE(dialog.asked.size(), 1);
            QCOMPARE(dialog.asked[0].directory, env.settingsDir());
            QCOMPARE(dialog.asked[0].fileName, QStringLiteral("sked-test.csv"));
            QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
        }
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void showsWhatIsOnTheAirAndFollowsTheMinute()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline;
        programSettings(env).setValue("Schedule/file",
                                      writeFile(env.settingsDir() + "/sked-test.csv", schedule));
        auto window = openWindow(m_port);
        QCOMPARE(window->windowTitle(), QStringLiteral("On the Air Now"));
        QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
        QCOMPARE(rowTexts(*window, 3), QStringList({"9610", "Radio Romania International", "E",
                                                    "WEu", "1400-1500", "", "/ROU-t"}));
        QCOMPARE(window->statusText(), atHalfPast + leftOut + unread);
        QCOMPARE(window->table()->currentIndex().row(), 0);

        // 14:31: the French broadcast begins; the operator's row stays current.
        window->table()->setCurrentIndex(window->table()->model()->index(3, 0));
        clock.advance(39);
        QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
        clock.advance(1);
        QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610", "9620"}));
        QCOMPARE(window->table()->currentIndex().row(), 3);
        QVERIFY(window->statusText().startsWith(QStringLiteral("5 entries on the air at 14:31")));
        // 15:00: all of them end but the volmet.
        clock.advance(29 * 60);
        QCOMPARE(frequencies(*window), QStringList({"5505"}));
        QVERIFY(window->statusText().startsWith(
            QStringLiteral("1 entry on the air at 15:00 UTC (Sunday 15 June 2025) in "
                           "sked-test.csv. 2 lines could not be read")));

        // Nothing of the window runs once it is closed: no alarm is left.
        QCOMPARE(clock.pendingAlarms(), 1);
        window->close();
        QCOMPARE(clock.pendingAlarms(), 0);
        window.reset();
        // Opening the window and the minutes passing sent nothing.
        QCOMPARE(timeline.events(), QStringList());
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // The radio on the port sets the range: a TS-570S (model=S in the
    // port's comN.conf) receives the 45 MHz entry a TS-570D leaves out.
    void theRadioOnThePortSetsTheRange()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline; // qd.cfg for port 1, and a radio there
        programSettings(env).setValue("Schedule/file",
                                      writeFile(env.settingsDir() + "/sked-test.csv", schedule));
        PortRoute route;
        route.model = RadioModel::TS570S;
        QCOMPARE(writePortRoute(route, portRoutePath(1)), QString());
        const auto window = openWindow(m_port);
        QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610", "45000"}));
        QCOMPARE(window->statusText(),
                 QStringLiteral("5 entries on the air at 14:30 UTC (Sunday 15 June 2025) in "
                                "sked-test.csv. 1 outside the radio's range (500 kHz to 60 MHz) "
                                "left out.") +
                     unread);
        QCOMPARE(timeline.events(), QStringList());
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void filtersNarrowTheList()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline; // qd.cfg for port 1, and a radio there
        programSettings(env).setValue("Schedule/file",
                                      writeFile(env.settingsDir() + "/sked-test.csv", schedule));
        const auto window = openWindow(m_port);
        auto* band = control<QComboBox>(*window, "BandFilter");
        auto* language = control<QComboBox>(*window, "LanguageFilter");
        auto* target = control<QComboBox>(*window, "TargetFilter");
        auto* search = control<QLineEdit>(*window, "SearchFilter");
        auto* all = control<QRadioButton>(*window, "AllEntries");
        for (QWidget* widget : std::initializer_list<QWidget*>{band, language, target, search, all})
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));

        QCOMPARE(band->count(), 15);
        QCOMPARE(band->itemText(0), QStringLiteral("All bands"));
        QCOMPARE(band->itemText(7), QStringLiteral("31 m (9400-9900 kHz)"));
        // The schedule's own codes, inactive entries left aside.
        QStringList languages;
        for (int i = 0; i < language->count(); ++i)
            languages << language->itemText(i);
        QCOMPARE(languages, QStringList({"All languages", "D", "E", "F", "P", "R"}));

        band->setCurrentIndex(7);
        QCOMPARE(frequencies(*window), QStringList({"9610"}));
        QCOMPARE(window->statusText(),
                 QStringLiteral("1 entry on the air at 14:30 UTC (Sunday 15 June 2025) in "
                                "sked-test.csv.") +
                     unread);
        all->setChecked(true);
        QCOMPARE(frequencies(*window), QStringList({"9610", "9620", "9700"}));
        QCOMPARE(window->statusText(),
                 QStringLiteral("3 of 10 entries in sked-test.csv.") + unread);
        band->setCurrentIndex(0);
        QCOMPARE(frequencies(*window),
                 QStringList({"5505", "6070", "7150", "9610", "9620", "9700", "11780.5", "13650"}));
        QCOMPARE(window->statusText(),
                 QStringLiteral("8 of 10 entries in sked-test.csv.") + leftOut + unread);

        language->setCurrentIndex(languages.indexOf("F"));
        QCOMPARE(frequencies(*window), QStringList({"9620"}));
        language->setCurrentIndex(0);
        target->setCurrentIndex(target->findText(QStringLiteral("SAm")));
        QCOMPARE(frequencies(*window), QStringList({"11780.5"}));
        target->setCurrentIndex(0);

        // Each keystroke narrows the list: in the station or the site, any case.
        QTest::keyClicks(search, QStringLiteral("ROU-"));
        QCOMPARE(frequencies(*window), QStringList({"9610"}));
        search->clear();
        QTest::keyClicks(search, QStringLiteral("radio"));
        QCOMPARE(frequencies(*window), QStringList({"9610", "9620", "9700"}));
        QCOMPARE(window->statusText(),
                 QStringLiteral("3 of 10 entries in sked-test.csv. 1 outside the radio's range "
                                "(500 kHz to 30 MHz) left out.") +
                     unread);
        control<QRadioButton>(*window, "OnAirOnly")->setChecked(true);
        QCOMPARE(frequencies(*window), QStringList({"9610"}));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // As the short-wave guide does: the mode, "FR0;", then the frequency, three
    // writes; sidebands for the stations that use them. The arrows only move.
    void clickSpaceAndEnterTuneArrowsDoNot()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline;
        programSettings(env).setValue("Schedule/file",
                                      writeFile(env.settingsDir() + "/sked-test.csv", schedule));
        const auto window = openWindow(m_port);
        QVERIFY(window->link().isOpen());
        QCOMPARE(timeline.events(), QStringList());

        clickRow(*window, 3);
        QCOMPARE(timeline.rawBytes(), QByteArray("MD5;\rFR0;\rFA00009610000;\r"));
        QCOMPARE(announced(*window),
                 QStringLiteral("Radio Romania International, 9.610 MHz, AM, tuned"));

        timeline.clear();
        QTableView* table = window->table();
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Up);
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(timeline.events(), QStringList());
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"MD5;", "FR0;", "FA00006070000;"}));
        QCOMPARE(announced(*window), QStringLiteral("CFRX Toronto, 6.070 MHz, AM, tuned"));

        timeline.clear();
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Space);
        QCOMPARE(timeline.events(), QStringList({"MD1;", "FR0;", "FA00007150000;"}));
        QCOMPARE(announced(*window), QStringLiteral("Example Net, 7.150 MHz, LSB, tuned"));

        timeline.clear();
        QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(table, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(timeline.events(), QStringList({"MD2;", "FR0;", "FA00005505000;"}));
        QCOMPARE(announced(*window), QStringLiteral("Shannon Volmet, 5.505 MHz, USB, tuned"));

        // A decimal of the schedule reaches the radio to the hertz.
        timeline.clear();
        control<QRadioButton>(*window, "AllEntries")->setChecked(true);
        const int row = int(frequencies(*window).indexOf(QStringLiteral("11780.5")));
        clickRow(*window, row);
        QCOMPARE(timeline.events(), QStringList({"MD5;", "FR0;", "FA00011780500;"}));
        QCOMPARE(announced(*window),
                 QStringLiteral("Rádio Nacional da Amazônia, 11.7805 MHz, AM, tuned"));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void withoutTheRadioNothingIsSaidToBeTuned()
    {
        TestEnvironment env; // no qd.cfg: the link cannot open
        TestClock clock;
        clock.setUtc(sunday);
        programSettings(env).setValue("Schedule/file",
                                      writeFile(env.settingsDir() + "/sked-test.csv", schedule));
        const auto window = openWindow(m_port);
        QVERIFY(!window->link().isOpen());
        boxesShownAfterHandlers();
        clickRow(*window, 3);
        QCOMPARE(announced(*window),
                 QStringLiteral("Radio Romania International, 9.610 MHz, AM: not sent"));
        QVERIFY(!boxesShownAfterHandlers().isEmpty());
    }

    // Files that are not schedules are refused with a message that names the
    // file and, where it applies, the line; the schedule shown stays, and so
    // does the one remembered.
    void refusedFilesKeepWhatIsShown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // %1: the file
        QTest::newRow("empty") << "empty.csv" << QByteArray()
                               << "%1 is not an EiBi schedule: it is empty.";
        QTest::newRow("another CSV")
            << "contacts.csv" << QByteArray("Name,Call,Phone\nAnn,K1ABC,555-0100\n")
            << "%1 is not an EiBi schedule: line 1 should be EiBi's header "
               "(\"kHz:75;Time(UTC):93;Days:59;...\") or a schedule line, but it reads "
               "\"Name,Call,Phone\".";
        QTest::newRow("binary") << "picture.csv"
                                << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << "%1 is not an EiBi schedule: line 1 should be EiBi's header "
                                   "(\"kHz:75;Time(UTC):93;Days:59;...\") or a schedule line, "
                                   "but it reads \"?ELF??????\".";
        QTest::newRow("header, then nonsense")
            << "broken.csv" << schedule.first(schedule.indexOf('\n') + 1) + "x;y;z\n"
            << "%1 is not an EiBi schedule: it stops making sense at line 2: it has 3 fields "
               "separated by \";\", where a schedule line has 11.";
        QTest::newRow("50 MB") << "huge.csv" << QByteArray()
                               << "%1 is 52428800 bytes long, more than a schedule can be (at "
                                  "most 8388608 bytes; a season's schedule is about 1 MB), so it "
                                  "was not read.";
        QTest::newRow("folder") << "folder.csv" << QByteArray()
                                << "%1 is a folder, not a schedule.";
        QTest::newRow("named pipe") << "pipe.csv" << QByteArray()
                                    << "%1 is not a plain file (it is a pipe or a device), so "
                                       "it cannot be a schedule.";
    }

    void refusedFilesKeepWhatIsShown()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline; // qd.cfg for port 1, and a radio there
        const QString good = writeFile(env.settingsDir() + "/sked-test.csv", schedule);
        programSettings(env).setValue("Schedule/file", good);
        const QString path = env.settingsDir() + QLatin1Char('/') + name;
        std::unique_ptr<PipeWatch> pipe;
        if (name == QLatin1String("huge.csv")) {
            QFile huge(path);
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(50 * 1024 * 1024));
        } else if (name == QLatin1String("folder.csv")) {
            QVERIFY(QDir().mkdir(path));
        } else if (name == QLatin1String("pipe.csv")) {
            pipe = std::make_unique<PipeWatch>(path);
        } else {
            writeFile(path, bytes);
        }
        const auto window = openWindow(m_port);
        ScriptedDialog dialog(path);
        control<QAction>(*window, "OpenSchedule")->trigger();

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].text,
                 message.arg(path) +
                     QStringLiteral(" Choose the season's EiBi schedule (sked-A25.csv, for "
                                    "example) with File > Open Schedule..."));
        QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
        QCOMPARE(window->statusText(), atHalfPast + leftOut + unread);
        QCOMPARE(programSettings(env).value("Schedule/file").toString(), good);
        if (pipe)
            QVERIFY(!pipe->readerWaited());
    }

    // On a screen smaller than the window it scrolls, as every guide does, and works the same.
    void keepsWithinASmallScreen()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline;
        programSettings(env).setValue("Schedule/file",
                                      writeFile(env.settingsDir() + "/sked-test.csv", schedule));
        const QRect screen(0, 0, 640, 400);
        setAvailableScreenAreaForTests(screen);
        const auto window = openWindow(m_port);
        setAvailableScreenAreaForTests(std::nullopt);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(screen.contains(window->geometry()));
        QVERIFY(window->findChild<QScrollArea*>());
        QCOMPARE(frequencies(*window), QStringList({"5505", "6070", "7150", "9610"}));
        clickRow(*window, 1);
        QCOMPARE(timeline.events(), QStringList({"MD5;", "FR0;", "FA00006070000;"}));
    }

    void rememberedScheduleThatCannotBeReadAnyMore()
    {
        TestEnvironment env;
        TestClock clock;
        clock.setUtc(sunday);
        Timeline timeline; // qd.cfg for port 1, and a radio there
        const QString path = env.settingsDir() + "/sked-gone.csv";
        programSettings(env).setValue("Schedule/file", path);
        ScriptedDialog dialog(QString{});
        const auto window = openWindow(m_port);
        QVERIFY(dialog.asked.isEmpty());
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QStringLiteral("The schedule %1 does not exist. Choose the season's EiBi "
                                "schedule (sked-A25.csv, for example) with File > Open "
                                "Schedule...")
                     .arg(path));
        QVERIFY(window->statusText().startsWith(QStringLiteral("No schedule is open.")));
        // Kept: the file may come back (a drive not mounted yet).
        QCOMPARE(programSettings(env).value("Schedule/file").toString(), path);
    }
};

QUILLARD_TEST_MAIN(TestOnAirWindow)
#include "tst_onairwindow.moc"
