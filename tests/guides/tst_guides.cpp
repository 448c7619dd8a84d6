// The four frequency guides as the operator meets them: every entry's three
// commands at a real pseudo-terminal, what must not send, the keyboard, and
// the load sequence with good and bad settings.
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form8.h"
#include "guides/form9.h"
#include "timeline.h"
#include "uitest.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>

#include <memory>

namespace {
std::unique_ptr<GuideWindow> openGuide(SparePort& port, const QString& name)
{
    std::unique_ptr<GuideWindow> guide;
    if (name == QLatin1String("Form4"))
        guide = std::make_unique<Form4>(port.lend());
    else if (name == QLatin1String("Form5"))
        guide = std::make_unique<Form5>(port.lend());
    else if (name == QLatin1String("Form7"))
        guide = std::make_unique<Form7>(port.lend());
    else
        guide = std::make_unique<Form9>(port.lend());
    guide->show();
    return guide;
}

QWidget* child(QWidget* window, const QString& name, int index = 0)
{
    const QList<QWidget*> found = window->findChildren<QWidget*>(name);
    return index < found.size() ? found[index] : nullptr;
}

QString shownText(QWidget* widget)
{
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return {};
}
// Every entry of the four guides: what it shows and the three writes a click
// must make, in order, as the operator's reference tables give them.
struct EntryRow {
    const char* guide;
    const char* entry;
    const char* caption;
    std::array<const char*, 3> commands;
};

// clang-format off
// "05.825.00 am" tunes 5.825 MHz, the frequency it shows.
const EntryRow entryRows[] = {
    {"Form4", "Text8", "3730~3740", {"MD2;", "FR0;", "FA00003730000;"}},
    {"Form4", "Text9", "7035~7045", {"MD2;", "FR0;", "FA00007035000;"}},
    {"Form4", "Text10", "14225~14235", {"MD2;", "FR0;", "FA00014225000;"}},
    {"Form4", "Text11", "21335~21345", {"MD2;", "FR0;", "FA00021335000;"}},
    {"Form4", "Text12", "28675~28685", {"MD2;", "FR0;", "FA00028675000;"}},
    {"Form4", "Text2", "3845", {"FR0;", "MD2;", "FA00003845000;"}},
    {"Form4", "Text3", "7171", {"MD2;", "FR0;", "FA00007171000;"}},
    {"Form4", "Text4", "14230", {"MD2;", "FR0;", "FA00014230000;"}},
    {"Form4", "Text5", "21340", {"MD2;", "FR0;", "FA00021340000;"}},
    {"Form4", "Text6", "28680", {"MD2;", "FR0;", "FA00028680000;"}},
    {"Form7", "Command1", "3860 kHz", {"MD2;", "FR0;", "FA00003860000;"}},
    {"Form7", "Command2", "7185 kHz", {"MD2;", "FR0;", "FA00007185000;"}},
    {"Form7", "Command3", "14295 kHz", {"MD2;", "FR0;", "FA00014295000;"}},
    {"Form7", "Command4", "21395 kHz", {"MD2;", "FR0;", "FA00021395000;"}},
    {"Form7", "Command5", "28650 kHz", {"MD2;", "FR0;", "FA00028650000;"}},
    {"Form7", "Command6", "7225 kHz", {"MD2;", "FR0;", "FA00007225000;"}},
    {"Form7", "Command7", "14280 kHz", {"MD2;", "FR0;", "FA00014280000;"}},
    {"Form7", "Command8", "21395 kHz", {"MD2;", "FR0;", "FA00021395000;"}},
    {"Form7", "Command9", "28650 kHz", {"MD2;", "FR0;", "FA00028650000;"}},
    {"Form9", "Command1", "1.818", {"FR0;", "MD3;", "FA00001818000;"}},
    {"Form9", "Command2", "3.5815", {"FR0;", "MD3;", "FA00003581500;"}},
    {"Form9", "Command3", "7.0475", {"FR0;", "MD3;", "FA00007047500;"}},
    {"Form9", "Command4", "14.0475", {"FR0;", "MD3;", "FA00014047500;"}},
    {"Form9", "Command5", "18.0975", {"FR0;", "MD3;", "FA00018097500;"}},
    {"Form9", "Command6", "21.0675", {"FR0;", "MD3;", "FA00021067500;"}},
    {"Form9", "Command7", "28.0675", {"FR0;", "MD3;", "FA00028067500;"}},
    {"Form5", "swl1", "03.215.00 am", {"MD5;", "FR0;", "FA00003215000;"}},
    {"Form5", "swl2", "03.330.00 am", {"MD5;", "FR0;", "FA00003330000;"}},
    {"Form5", "swl3", "05.000.00 am", {"MD5;", "FR0;", "FA00005000000;"}},
    {"Form5", "swl4", "05.070.00 am", {"MD5;", "FR0;", "FA00005070000;"}},
    {"Form5", "swl5", "05.085.00 am", {"MD5;", "FR0;", "FA00005085000;"}},
    {"Form5", "swl6", "05.745.00 am", {"MD5;", "FR0;", "FA00005745000;"}},
    {"Form5", "swl7", "05.810.00 am", {"MD5;", "FR0;", "FA00005810000;"}},
    {"Form5", "swl8", "05.825.00 am", {"MD5;", "FR0;", "FA00005825000;"}},
    {"Form5", "swl9", "05.927.00 am", {"MD5;", "FR0;", "FA00005927000;"}},
    {"Form5", "swl10", "05.935.00 am", {"MD5;", "FR0;", "FA00005935000;"}},
    {"Form5", "swl11", "05.950.00 am", {"MD5;", "FR0;", "FA00005950000;"}},
    {"Form5", "swl12", "05.958.00 am", {"MD5;", "FR0;", "FA00005958000;"}},
    {"Form5", "swl13", "05.960.00 am", {"MD5;", "FR0;", "FA00005960000;"}},
    {"Form5", "swl14", "05.975.00 am", {"MD5;", "FR0;", "FA00005975000;"}},
    {"Form5", "swl15", "05.995.00 am", {"MD5;", "FR0;", "FA00005995000;"}},
    {"Form5", "swl16", "06.000.00 am", {"MD5;", "FR0;", "FA00006000000;"}},
    {"Form5", "swl17", "06.020.00 am", {"MD5;", "FR0;", "FA00006020000;"}},
    {"Form5", "swl18", "06.030.00 am", {"MD5;", "FR0;", "FA00006030000;"}},
    {"Form5", "swl19", "06.050.00 am", {"MD5;", "FR0;", "FA00006050000;"}},
    {"Form5", "swl20", "06.055.00 am", {"MD5;", "FR0;", "FA00006055000;"}},
    {"Form5", "swl21", "06.060.00 am", {"MD5;", "FR0;", "FA00006060000;"}},
    {"Form5", "swl22", "06.065.00 am", {"MD5;", "FR0;", "FA00006065000;"}},
    {"Form5", "swl23", "06.075.00 am", {"MD5;", "FR0;", "FA00006075000;"}},
    {"Form5", "swl24", "06.090.00 am", {"MD5;", "FR0;", "FA00006090000;"}},
    {"Form5", "swl25", "06.100.00 am", {"MD5;", "FR0;", "FA00006100000;"}},
    {"Form5", "swl26", "06.165.00 am", {"MD5;", "FR0;", "FA00006165000;"}},
    {"Form5", "swl27", "06.175.00 am", {"MD5;", "FR0;", "FA00006175000;"}},
    {"Form5", "swl28", "06.195.00 am", {"MD5;", "FR0;", "FA00006195000;"}},
    {"Form5", "swl29", "06.975.00 am", {"MD5;", "FR0;", "FA00006975000;"}},
    {"Form5", "swl30", "07.125.00 am", {"MD5;", "FR0;", "FA00007125000;"}},
    {"Form5", "swl31", "07.155.00 am", {"MD5;", "FR0;", "FA00007155000;"}},
    {"Form5", "swl32", "07.250.00 am", {"MD5;", "FR0;", "FA00007250000;"}},
    {"Form5", "swl33", "07.255.00 am", {"MD5;", "FR0;", "FA00007255000;"}},
    {"Form5", "swl34", "07.270.00 am", {"MD5;", "FR0;", "FA00007270000;"}},
    {"Form5", "swl35", "07.300.00 am", {"MD5;", "FR0;", "FA00007300000;"}},
    {"Form5", "swl36", "07.305.00 am", {"MD5;", "FR0;", "FA00007305000;"}},
    {"Form5", "swl37", "07.315.00 am", {"MD5;", "FR0;", "FA00007315000;"}},
    {"Form5", "swl38", "07.320.00 am", {"MD5;", "FR0;", "FA00007320000;"}},
    {"Form5", "swl39", "07.335.00 am", {"MD5;", "FR0;", "FA00007335000;"}},
    {"Form5", "swl40", "07.345.00 am", {"MD5;", "FR0;", "FA00007345000;"}},
    {"Form5", "swl41", "07.365.00 am", {"MD5;", "FR0;", "FA00007365000;"}},
    {"Form5", "swl42", "07.385.00 am", {"MD5;", "FR0;", "FA00007385000;"}},
    {"Form5", "swl43", "07.415.00 am", {"MD5;", "FR0;", "FA00007415000;"}},
    {"Form5", "swl44", "07.425.00 am", {"MD5;", "FR0;", "FA00007425000;"}},
    {"Form5", "swl45", "07.435.00 am", {"MD5;", "FR0;", "FA00007435000;"}},
    {"Form5", "swl46", "07.450.00 am", {"MD5;", "FR0;", "FA00007450000;"}},
    {"Form5", "swl47", "07.490.00 am", {"MD5;", "FR0;", "FA00007490000;"}},
    {"Form5", "swl48", "07.510.00 am", {"MD5;", "FR0;", "FA00007510000;"}},
    {"Form5", "swl49", "07.537.00 am", {"MD5;", "FR0;", "FA00007537000;"}},
    {"Form5", "swl50", "09.400.00 am", {"MD5;", "FR0;", "FA00009400000;"}},
    {"Form5", "swl51", "09.410.00 am", {"MD5;", "FR0;", "FA00009410000;"}},
    {"Form5", "swl52", "09.420.00 am", {"MD5;", "FR0;", "FA00009420000;"}},
    {"Form5", "swl53", "09.430.00 am", {"MD5;", "FR0;", "FA00009430000;"}},
    {"Form5", "swl54", "09.445.00 am", {"MD5;", "FR0;", "FA00009445000;"}},
    {"Form5", "swl55", "09.475.00 am", {"MD5;", "FR0;", "FA00009475000;"}},
    {"Form5", "swl56", "09.480.00 am", {"MD5;", "FR0;", "FA00009480000;"}},
    {"Form5", "swl57", "09.495.00 am", {"MD5;", "FR0;", "FA00009495000;"}},
    {"Form5", "swl58", "09.505.00 am", {"MD5;", "FR0;", "FA00009505000;"}},
    {"Form5", "swl59", "09.510.00 am", {"MD5;", "FR0;", "FA00009510000;"}},
    {"Form5", "swl60", "09.540.00 am", {"MD5;", "FR0;", "FA00009540000;"}},
    {"Form5", "swl61", "09.570.00 am", {"MD5;", "FR0;", "FA00009570000;"}},
    {"Form5", "swl62", "09.590.00 am", {"MD5;", "FR0;", "FA00009590000;"}},
    {"Form5", "swl63", "09.605.00 am", {"MD5;", "FR0;", "FA00009605000;"}},
    {"Form5", "swl64", "09.620.00 am", {"MD5;", "FR0;", "FA00009620000;"}},
    {"Form5", "swl65", "09.655.00 am", {"MD5;", "FR0;", "FA00009655000;"}},
    {"Form5", "swl66", "09.665.00 am", {"MD5;", "FR0;", "FA00009665000;"}},
    {"Form5", "swl67", "09.675.00 am", {"MD5;", "FR0;", "FA00009675000;"}},
    {"Form5", "swl68", "09.680.00 am", {"MD5;", "FR0;", "FA00009680000;"}},
    {"Form5", "swl69", "09.690.00 am", {"MD5;", "FR0;", "FA00009690000;"}},
    {"Form5", "swl70", "09.715.00 am", {"MD5;", "FR0;", "FA00009715000;"}},
    {"Form5", "swl71", "09.735.00 am", {"MD5;", "FR0;", "FA00009735000;"}},
    {"Form5", "swl72", "09.745.00 am", {"MD5;", "FR0;", "FA00009745000;"}},
    {"Form5", "swl73", "09.755.00 am", {"MD5;", "FR0;", "FA00009755000;"}},
    {"Form5", "swl74", "09.795.00 am", {"MD5;", "FR0;", "FA00009795000;"}},
    {"Form5", "swl75", "09.820.00 am", {"MD5;", "FR0;", "FA00009820000;"}},
    {"Form5", "swl76", "09.845.00 am", {"MD5;", "FR0;", "FA00009845000;"}},
    {"Form5", "swl77", "09.850.00 am", {"MD5;", "FR0;", "FA00009850000;"}},
    {"Form5", "swl78", "09.870.00 am", {"MD5;", "FR0;", "FA00009870000;"}},
    {"Form5", "swl79", "09.885.00 am", {"MD5;", "FR0;", "FA00009885000;"}},
    {"Form5", "swl80", "09.905.00 am", {"MD5;", "FR0;", "FA00009905000;"}},
    {"Form5", "swl81", "09.925.00 am", {"MD5;", "FR0;", "FA00009925000;"}},
    {"Form5", "swl82", "09.965.00 am", {"MD5;", "FR0;", "FA00009965000;"}},
    {"Form5", "swl83", "09.975.00 am", {"MD5;", "FR0;", "FA00009975000;"}},
    {"Form5", "swl84", "10.000.00 am", {"MD5;", "FR0;", "FA00010000000;"}},
    {"Form5", "swl85", "11.585.00 am", {"MD5;", "FR0;", "FA00011585000;"}},
    {"Form5", "swl86", "11.615.00 am", {"MD5;", "FR0;", "FA00011615000;"}},
    {"Form5", "swl87", "11.635.00 am", {"MD5;", "FR0;", "FA00011635000;"}},
    {"Form5", "swl88", "11.645.00 am", {"MD5;", "FR0;", "FA00011645000;"}},
    {"Form5", "swl89", "11.675.00 am", {"MD5;", "FR0;", "FA00011675000;"}},
    {"Form5", "swl90", "11.700.00 am", {"MD5;", "FR0;", "FA00011700000;"}},
    {"Form5", "swl91", "11.785.00 am", {"MD5;", "FR0;", "FA00011785000;"}},
    {"Form5", "swl92", "11.800.00 am", {"MD5;", "FR0;", "FA00011800000;"}},
    {"Form5", "swl93", "11.810.00 am", {"MD5;", "FR0;", "FA00011810000;"}},
    {"Form5", "swl94", "11.845.00 am", {"MD5;", "FR0;", "FA00011845000;"}},
    {"Form5", "swl95", "11.950.00 am", {"MD5;", "FR0;", "FA00011950000;"}},
    {"Form5", "swl96", "11.985.00 am", {"MD5;", "FR0;", "FA00011985000;"}},
    {"Form5", "swl97", "11.995.00 am", {"MD5;", "FR0;", "FA00011995000;"}},
    {"Form5", "swl98", "12.050.00 am", {"MD5;", "FR0;", "FA00012050000;"}},
    {"Form5", "swl99", "12.060.00 am", {"MD5;", "FR0;", "FA00012060000;"}},
    {"Form5", "swl100", "12.095.00 am", {"MD5;", "FR0;", "FA00012095000;"}},
    {"Form5", "swl101", "13.605.00 am", {"MD5;", "FR0;", "FA00013605000;"}},
    {"Form5", "swl102", "13.675.00 am", {"MD5;", "FR0;", "FA00013675000;"}},
    {"Form5", "swl103", "13.690.00 am", {"MD5;", "FR0;", "FA00013690000;"}},
    {"Form5", "swl104", "13.730.00 am", {"MD5;", "FR0;", "FA00013730000;"}},
    {"Form5", "swl105", "13.780.00 am", {"MD5;", "FR0;", "FA00013780000;"}},
    {"Form5", "swl106", "13.800.00 am", {"MD5;", "FR0;", "FA00013800000;"}},
    {"Form5", "swl107", "15.000.00 am", {"MD5;", "FR0;", "FA00015000000;"}},
    {"Form5", "swl108", "15.105.00 am", {"MD5;", "FR0;", "FA00015105000;"}},
};
// clang-format on
} // namespace

class TestGuides : public QObject {
    Q_OBJECT

    SparePort m_port;
    // A guide left open from one row to the next (closed window first, then
    // its timeline, then the environment that checks what it left behind).
    struct OpenGuide {
        QString name;
        std::unique_ptr<TestEnvironment> env;
        std::unique_ptr<Timeline> timeline;
        std::unique_ptr<GuideWindow> window;
        void close()
        {
            window.reset();
            timeline.reset();
            env.reset();
            name.clear();
        }
    } m_openGuide;

private slots:
    // A row run on its own leaves its guide open for nothing that follows.
    void init()
    {
        if (qstrcmp(QTest::currentTestFunction(), "clickSendsTheEntrysThreeCommands") != 0)
            m_openGuide.close();
    }
    void cleanupTestCase() { m_openGuide.close(); }

    void clickSendsTheEntrysThreeCommands_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("lastOfItsGuide");
        for (std::size_t i = 0; i < std::size(entryRows); ++i) {
            const EntryRow& row = entryRows[i];
            const bool last =
                i + 1 == std::size(entryRows) || qstrcmp(entryRows[i + 1].guide, row.guide) != 0;
            QTest::newRow(row.entry)
                << QString::fromLatin1(row.guide) << QString::fromLatin1(row.entry)
                << QString::fromLatin1(row.caption)
                << QStringList({row.commands[0], row.commands[1], row.commands[2]}) << last;
        }
    }

    // One open window of a guide serves all its entries' rows, as the operator
    // clicks one entry after another; it closes after its last row, or after a
    // row that failed, so the next starts clean.
    void clickSendsTheEntrysThreeCommands()
    {
        QFETCH(QString, guide);
        QFETCH(QString, entry);
        QFETCH(QString, caption);
        QFETCH(QStringList, commands);
        QFETCH(bool, lastOfItsGuide);
        const auto closeAfter = qScopeGuard([&] {
            if (lastOfItsGuide || QTest::currentTestFailed())
                m_openGuide.close();
        });
        if (m_openGuide.name != guide) {
            m_openGuide.close();
            m_openGuide.env = std::make_unique<TestEnvironment>();
            m_openGuide.timeline = std::make_unique<Timeline>();
            m_openGuide.window = openGuide(m_port, guide);
            m_openGuide.name = guide;
        }
        GuideWindow* window = m_openGuide.window.get();
        Timeline& timeline = *m_openGuide.timeline;
        timeline.clear();
        QVERIFY(window->link().isOpen());
        QWidget* cell = child(window, entry);
        QVERIFY(cell);
        QCOMPARE(shownText(cell), caption);
        QCOMPARE(cell->accessibleName(), caption);

        QTest::mouseClick(cell, Qt::LeftButton);
        QCOMPARE(timeline.events(), commands);
        // Three separate writes, each ending in one carriage return.
        QCOMPARE(timeline.rawBytes(), commands.join(QLatin1Char('\r')).toLatin1() + '\r');

        // The same entry again sends the same again.
        timeline.clear();
        QTest::mouseClick(cell, Qt::LeftButton);
        QCOMPARE(timeline.events(), commands);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void headingsNotesAndStationsSendNothing_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::newRow("SSTV title") << "Form4"
                                    << "Label1" << 0;
        QTest::newRow("SSTV left heading") << "Form4"
                                           << "Text7" << 0;
        QTest::newRow("SSTV right heading") << "Form4"
                                            << "Text1" << 0;
        QTest::newRow("SAREX WA3NAN") << "Form7"
                                      << "Text1" << 0;
        QTest::newRow("SAREX W5RRR") << "Form7"
                                     << "Text2" << 0;
        QTest::newRow("code header") << "Form9"
                                     << "Schedule_0_4" << 0;
        QTest::newRow("code bulletin cell") << "Form9"
                                            << "Schedule_9_4" << 0;
        QTest::newRow("code visiting cell") << "Form9"
                                            << "Schedule_5_5" << 0;
        QTest::newRow("code note") << "Form9"
                                   << "Label_SlowCode" << 0;
        QTest::newRow("first station") << "Form5"
                                       << "Text1" << 0;
        QTest::newRow("eighth station") << "Form5"
                                        << "Text1" << 7;
        QTest::newRow("short-wave panel") << "Form5"
                                          << "Frame1" << 0;
    }

    void headingsNotesAndStationsSendNothing()
    {
        QFETCH(QString, guide);
        QFETCH(QString, control);
        QFETCH(int, index);
        TestEnvironment env;
        Timeline timeline;
        const auto window = openGuide(m_port, guide);
        QWidget* widget = child(window.get(), control, index);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
        QTest::mouseDClick(widget, Qt::LeftButton);
        if (widget->focusPolicy() != Qt::NoFocus) {
            widget->setFocus();
            QTest::keyClick(widget, Qt::Key_Space);
            QTest::keyClick(widget, Qt::Key_Return);
        }
        QCOMPARE(timeline.events(), QStringList());
    }

    void codeScheduleIsTheGridAsPublished()
    {
        TestEnvironment env;
        Timeline timeline;
        Form9 window(m_port.lend());
        auto text = [&](int row, int column) {
            auto* cell =
                window.findChild<QLabel*>(QStringLiteral("Schedule_%1_%2").arg(row).arg(column));
            return cell ? cell->text() : QStringLiteral("<none>");
        };
        auto geometry = [&](int row, int column) {
            auto* cell =
                window.findChild<QLabel*>(QStringLiteral("Schedule_%1_%2").arg(row).arg(column));
            return cell ? cell->geometry() : QRect();
        };
        QCOMPARE(text(0, 0), QStringLiteral("Pacific"));
        QCOMPARE(text(0, 10), QStringLiteral("Sat"));
        QCOMPARE(text(18, 3), QStringLiteral("12:45am"));
        QCOMPARE(geometry(18, 0), QRect(20, 370, 51, 21));
        // 6am: one blank cell over Sun to Wed, then Thu "FC", Fri "SC", Sat blank.
        QCOMPARE(geometry(1, 4), QRect(220, 30, 121, 21));
        QCOMPARE(text(1, 8), QStringLiteral("FC"));
        QCOMPARE(text(1, 9), QStringLiteral("SC"));
        QCOMPARE(geometry(1, 10), QRect(400, 30, 31, 21));
        QCOMPARE(text(2, 8), QStringLiteral("Code Bull."));
        QCOMPARE(geometry(2, 8), QRect(340, 50, 61, 21));
        // The visiting-operator cell spans Mon to Sat over three rows; the two
        // rows below it hold only their Sunday cell.
        QCOMPARE(text(5, 5), QStringLiteral("VISITING OPERATOR TIME"));
        QCOMPARE(geometry(5, 5), QRect(250, 110, 181, 61));
        QCOMPARE(text(6, 4), QString());
        QCOMPARE(text(6, 5), QStringLiteral("<none>"));
        QCOMPARE(text(7, 5), QStringLiteral("<none>"));
        QCOMPARE(text(8, 5), QStringLiteral("FC"));
        QCOMPARE(text(13, 4), QStringLiteral("Teleprinter Bulletin"));
        QCOMPARE(geometry(13, 4), QRect(220, 270, 211, 21));
        QCOMPARE(text(17, 3), QStringLiteral("Mdnte"));
        QCOMPARE(
            window.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Schedule_"))).size(),
            19 * 4 + 51);
    }

    void buttonsActFromTheKeyboardTextBoxesDoNot()
    {
        TestEnvironment env;
        Timeline timeline;
        Form9 code(m_port.lend());
        code.show();
        QVERIFY(QTest::qWaitForWindowActive(&code));
        QCOMPARE(code.focusWidget()->objectName(), QStringLiteral("Command1"));
        QTest::keyClick(code.focusWidget(), Qt::Key_Space);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "MD3;", "FA00001818000;"}));
        code.close();

        timeline.clear();
        Form4 sstv(m_port.lend());
        sstv.show();
        QVERIFY(QTest::qWaitForWindowActive(&sstv));
        QWidget* box = sstv.findChild<QWidget*>(QStringLiteral("Text4"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_1);
        QCOMPARE(timeline.events(), QStringList());
        // Read-only: the cell still shows its frequency.
        QCOMPARE(qobject_cast<QLineEdit*>(box)->text(), QStringLiteral("14230"));
        // A press that is released elsewhere is no click.
        QTest::mousePress(box, Qt::LeftButton);
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(box, Qt::RightButton);
        QCOMPARE(timeline.events(), QStringList());
    }

    void eachOpeningReadsTheSettingsAfresh()
    {
        TestEnvironment env;
        Timeline timeline;
        {
            Form7 first(m_port.lend());
            QCOMPARE(first.link().settings().baud, 9600);
        }
        env.writeSettings("1\r\n4800\r\n");
        Form7 second(m_port.lend());
        QVERIFY(second.link().isOpen());
        QCOMPARE(second.link().settings().baud, 4800);
    }

    void missingSettingsAreReportedAndClicksSayWhyNothingWasSent()
    {
        TestEnvironment env;
        Form7 window(m_port.lend());
        QVERIFY(!window.link().isOpen());
        QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(QStringLiteral("qd.cfg")), qPrintable(shown[0].text));

        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Command3")), Qt::LeftButton);
        shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.last().text.contains(QStringLiteral("MD2; FR0; FA00014295000;")),
                 qPrintable(shown.last().text));
    }

    void sstvGivesThePortBackWhenClosedOthersWhenDestroyed()
    {
        TestEnvironment env;
        Timeline timeline;
        Form4 sstv(m_port.lend());
        sstv.show();
        QVERIFY(sstv.link().isOpen());
        sstv.close();
        QVERIFY(!sstv.link().isOpen());

        // The port is free again: another link can take it at once.
        SerialLink next;
        QVERIFY(next.openLink({1, 9600, timeline.linkPath(), {}}));
        next.closeLink();
        {
            Form5 shortWave(m_port.lend());
            QVERIFY(shortWave.link().isOpen());
            QVERIFY(!next.open());
        }
        QVERIFY(next.open());
    }

    void bytesFromTheRadioChangeNothing()
    {
        TestEnvironment env;
        Timeline timeline;
        Form5 window(m_port.lend());
        window.show();
        timeline.radioSends("FA00007000000;IF00014000000;");
        QTRY_COMPARE(window.link().inBufferCount(), 28); // there, and never read
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("swl3")), Qt::LeftButton);
        QCOMPARE(timeline.events(), QStringList({"MD5;", "FR0;", "FA00005000000;"}));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void shortWaveListMovesWithTheScrollBar()
    {
        TestEnvironment env;
        Timeline timeline;
        auto window = std::make_unique<Form5>(m_port.lend());
        window->show();
        auto* panel = window->findChild<QWidget*>(QStringLiteral("Frame1"));
        auto* bar = window->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        QCOMPARE(panel->pos(), QPoint(2, 1));
        QCOMPARE(bar->maximum(), 123);
        QCOMPARE(window->findChildren<QLineEdit*>().size(), 216);

        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(panel->pos(), QPoint(2, -13)); // 200 twips up
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(bar->value(), 16);
        QCOMPARE(panel->y(), -16 * 200 / 15);

        // At the bottom, row 108 is wholly in view, 410 pixels down.
        bar->setValue(123);
        QCOMPARE(panel->y(), -1640);
        auto* last = window->findChild<QWidget*>(QStringLiteral("swl108"));
        QCOMPARE(last->mapTo(window.get(), QPoint(0, 0)).y(), 410);
        QVERIFY(last->mapTo(window.get(), QPoint(0, last->height())).y() <= window->height());

        // A dragged scroll box moves the list only when it is let go.
        bar->setSliderDown(true);
        bar->setSliderPosition(40);
        QCOMPARE(panel->y(), -1640);
        bar->setSliderDown(false);
        QCOMPARE(panel->y(), qRound(-40 * 200 / 15.0));

        bar->setValue(0);
        QCOMPARE(panel->pos(), QPoint(2, 0));
        QCOMPARE(timeline.events(), QStringList());

        // Reopening starts at row 1 again.
        window.reset();
        window = std::make_unique<Form5>(m_port.lend());
        QCOMPARE(window->findChild<QScrollBar*>(QStringLiteral("VScroll1"))->value(), 0);
        QCOMPARE(window->findChild<QWidget*>(QStringLiteral("Frame1"))->pos(), QPoint(2, 1));
    }

    void windowsAreFixedModalAndCentred_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::newRow("SSTV") << "Form4"
                              << "SSTV" << QSize(353, 203);
        QTest::newRow("SAREX") << "Form7"
                               << "SAREX" << QSize(376, 246);
        QTest::newRow("code") << "Form9"
                              << "Radio Frequencies for Code Reception" << QSize(454, 472);
        QTest::newRow("short wave") << "Form5"
                                    << "Short Wave Radio Stations" << QSize(449, 475);
    }

    void windowsAreFixedModalAndCentred()
    {
        QFETCH(QString, guide);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        TestEnvironment env;
        Timeline timeline;
        const auto window = openGuide(m_port, guide);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->size(), size);
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QVERIFY(window->isModal());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        // Within a window frame's width of the screen's centre.
        QVERIFY((window->geometry().center() - screenCentre).manhattanLength() <= 8);
    }

    void bandPlanChartShowsEachBandsSegments()
    {
        const QImage chart = Form8::drawChart();
        QCOMPARE(chart.size(), QSize(421, 416));
        QCOMPARE(chart.pixelColor(1, 1), QColor(127, 127, 127));
        // Which colours appear in each band's ninth of the chart.
        auto coloursInRow = [&](int band) {
            bool red = false, blue = false;
            const int rowHeight = chart.height() / 9;
            for (int y = band * rowHeight; y < (band + 1) * rowHeight; ++y)
                for (int x = 0; x < chart.width(); ++x) {
                    const QColor c = chart.pixelColor(x, y);
                    red |= c == QColor(255, 0, 0);
                    blue |= c == QColor(0, 0, 255);
                }
            return std::pair(red, blue);
        };
        QCOMPARE(coloursInRow(0), std::pair(true, true));  // 10M
        QCOMPARE(coloursInRow(5), std::pair(true, false)); // 30M: no voice segment
        QCOMPARE(coloursInRow(8), std::pair(false, true)); // 160M: no CW segment

        TestEnvironment env;
        Form8 window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Band Plan"));
        QCOMPARE(window.size(), QSize(423, 422));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }
};

QUILLARD_TEST_MAIN(TestGuides)
#include "tst_guides.moc"
