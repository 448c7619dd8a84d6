// The levels, the filter and the operator's own commands without a window:
// what each action sends and keeps as sent, what it refuses and why, how a
// typed line is checked, and how the buttons are kept in quillard.conf and in
// their export file. Expected bytes and words are written out as they go on
// the wire and are spoken.

#include "station/operatorcommands.h"
#include "station/operatorsetup.h"
#include "station/station.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QStringList texts(const StationStep& step)
{
    QStringList sent;
    for (const CatCommand& command : step.commands)
        sent << QString::fromLatin1(command.text());
    return sent;
}

QStringList texts(const CheckedCommands& checked)
{
    QStringList sent;
    for (const CatCommand& command : checked.commands)
        sent << QString::fromLatin1(command.text());
    return sent;
}

StationState inMode(Mode mode)
{
    return Station::selectMode(StationState(), mode).state;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestLevels : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    // Each level sends its command, is kept as sent, and is said; the others
    // stay unknown. Out of range nothing is sent and the refusal gives the range.
    void levelsAreKeptAsSent()
    {
        StationState state;
        const StationStep power = Station::setLevel(state, Level::Power, 50);
        QCOMPARE(texts(power), QStringList{"PC050;"});
        QCOMPARE(power.words, QStringLiteral("Power 50 watts as sent"));
        QCOMPARE(power.state.levels.power, 50);
        QVERIFY(!power.state.levels.afGain && !power.state.levels.micGain);

        state = power.state;
        state = Station::setLevel(state, Level::AfGain, 128).state;
        state = Station::setLevel(state, Level::RfGain, 255).state;
        state = Station::setLevel(state, Level::Squelch, 0).state;
        state = Station::setLevel(state, Level::MicGain, 100).state;
        const StationStep shift = Station::setLevel(state, Level::IfShift, -300);
        QCOMPARE(texts(shift), QStringList{"IS-0300;"});
        state = shift.state;
        QCOMPARE(state.levels.afGain, 128);
        QCOMPARE(state.levels.rfGain, 255);
        QCOMPARE(state.levels.squelch, 0);
        QCOMPARE(state.levels.micGain, 100);
        QCOMPARE(state.levels.ifShift, -300);
        QCOMPARE(state.levels.power, 50);

        const StationStep tooLow = Station::setLevel(state, Level::Power, 4);
        QVERIFY(tooLow.commands.isEmpty());
        QCOMPARE(tooLow.state, state);
        QCOMPARE(tooLow.refusal,
                 QStringLiteral("Transmit power takes 5 W to 100 W; 4 W was not sent."));
        const StationStep tooFar = Station::setLevel(state, Level::IfShift, 1100);
        QVERIFY(tooFar.commands.isEmpty());
        QVERIFY(tooFar.refusal.contains(QLatin1String("minus 1000 Hz to plus 1000 Hz")));
        QVERIFY(Station::setLevel(state, Level::AfGain, 256).commands.isEmpty());
        QVERIFY(Station::setLevel(state, Level::MicGain, -1).commands.isEmpty());
    }

    // The presets are the power's own values; in AM the carrier's limit is
    // said beside a power above it, and only there.
    void powerPresetsAndAm()
    {
        QStringList sent;
        for (int watts : powerPresets)
            sent << texts(Station::setLevel(StationState(), Level::Power, watts));
        QCOMPARE(sent, (QStringList{"PC005;", "PC010;", "PC025;", "PC050;", "PC100;"}));

        const StationState am = inMode(Mode::AM);
        QCOMPARE(powerNote(am), QStringLiteral("AM: the carrier is at most 25 W"));
        QCOMPARE(Station::setLevel(am, Level::Power, 50).words,
                 QStringLiteral("Power 50 watts as sent, AM: the carrier is at most 25 W"));
        QCOMPARE(Station::setLevel(am, Level::Power, 25).words,
                 QStringLiteral("Power 25 watts as sent"));
        QCOMPARE(texts(Station::setLevel(am, Level::Power, 50)), QStringList{"PC050;"});
        QVERIFY(powerNote(inMode(Mode::USB)).isEmpty());
        QVERIFY(powerNote(StationState()).isEmpty());
    }

    // The filter follows the mode as sent: none while it is unknown, only
    // the mode's own filters, and each family keeps its own.
    void filterFollowsTheMode()
    {
        const StationStep unknown = Station::setFilter(StationState(), 500);
        QVERIFY(unknown.commands.isEmpty());
        QVERIFY(unknown.refusal.contains(QLatin1String("choose a mode first")));

        const StationStep cw = Station::setFilter(inMode(Mode::CW), 500);
        QCOMPARE(texts(cw), QStringList{"FW0500;"});
        QCOMPARE(cw.words, QStringLiteral("Filter 500 Hz as sent"));
        QCOMPARE(cw.state.levels.filter(Mode::CW), 500);

        StationState usb = Station::selectMode(cw.state, Mode::USB).state;
        QVERIFY(!usb.levels.filter(Mode::USB));
        const StationStep cwValueInUsb = Station::setFilter(usb, 500);
        QVERIFY(cwValueInUsb.commands.isEmpty());
        QCOMPARE(cwValueInUsb.refusal, QStringLiteral("USB offers no filter of value 500."));
        const StationStep wide = Station::setFilter(usb, 1);
        QCOMPARE(texts(wide), QStringList{"FW0001;"});
        QCOMPARE(wide.words, QStringLiteral("Filter wide as sent"));
        // LSB shares the voice modes' filter; CW still has its own.
        const StationState lsb = Station::selectMode(wide.state, Mode::LSB).state;
        QCOMPARE(lsb.levels.filter(Mode::LSB), 1);
        QCOMPARE(lsb.levels.filter(Mode::CW), 500);
        QVERIFY(!lsb.levels.filter(Mode::FSK));
    }

    // A typed line: split at each ";", checked whole before anything is
    // accepted, each fault named with the command it is in.
    void typedCommands_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("problem"); // a piece of the message; empty when accepted
        QTest::newRow("one") << "PC005;" << QStringList{"PC005;"} << QString();
        QTest::newRow("two") << "PC005;MD3;" << QStringList{"PC005;", "MD3;"} << QString();
        QTest::newRow("blanks between")
            << "  PC005; MD3;  " << QStringList{"PC005;", "MD3;"} << QString();
        QTest::newRow("blank inside") << "MC 05;" << QStringList{"MC 05;"} << QString();
        QTest::newRow("bare action") << "RX;" << QStringList{"RX;"} << QString();
        QTest::newRow("empty") << "   " << QStringList() << QString();
        QTest::newRow("query FA")
            << "FA;" << QStringList()
            << "\"FA;\" asks the radio for a value. Quillard sends settings and never asks "
               "the radio for values";
        QTest::newRow("query among settings")
            << "PC005;IF;" << QStringList() << "\"IF;\" asks the radio for a value";
        QTest::newRow("lower case") << "pc005;" << QStringList() << "\"pc005;\" is in lower case";
        QTest::newRow("lower case named with its fix") << "md3;" << QStringList() << "(MD3;)";
        QTest::newRow("no semicolon")
            << "PC005" << QStringList() << "\"PC005\" does not end with \";\"";
        QTest::newRow("second lacks semicolon")
            << "PC005;MD3" << QStringList() << "\"MD3\" does not end with \";\"";
        QTest::newRow("control byte")
            << QStringLiteral("PC0\x05"
                              "5;")
            << QStringList()
            << "\"PC0<U+0005>5;\" has a character the radio cannot take (a control character)";
        QTest::newRow("control byte, no semicolon")
            << QStringLiteral("PC\x07") << QStringList() << "a control character";
        QTest::newRow("not ASCII")
            << QStringLiteral("PC0\u00e95;") << QStringList() << "(\"\u00e9\")";
        QTest::newRow("empty command")
            << "PC005;;" << QStringList() << "\";\" does not start with a command's two letters";
        QTest::newRow("digits first")
            << "05PC;" << QStringList() << "\"05PC;\" does not start with a command's two letters";
    }
    void typedCommands()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, commands);
        QFETCH(QString, problem);
        const CheckedCommands checked = checkOperatorCommands(typed);
        QCOMPARE(texts(checked), commands);
        if (problem.isEmpty())
            QVERIFY2(checked.ok(), qPrintable(checked.problem));
        else
            QVERIFY2(checked.problem.contains(problem), qPrintable(checked.problem));
    }

    // A button's commands go out as typed, named by the button. One that
    // Quillard's own builders make exactly is kept as sent; what another
    // sets is no longer known; the rest stays.
    void operatorCommandsAsSent()
    {
        StationState state = Station::setLevel(inMode(Mode::USB), Level::Power, 100).state;
        state = Station::setLevel(state, Level::AfGain, 128).state;
        state = Station::tuneFrequency(state, Vfo::A, 7074000).state;
        const CheckedCommands typed =
            checkOperatorCommands(QStringLiteral("PC005;MD3;FW0500;IS-0200;"));
        const StationStep step =
            Station::sendOperatorCommands(state, QStringLiteral("QRP CW"), typed.commands);
        QCOMPARE(texts(step), (QStringList{"PC005;", "MD3;", "FW0500;", "IS-0200;"}));
        QCOMPARE(step.words, QStringLiteral("QRP CW: Sent PC005; MD3; FW0500; IS-0200;"));
        QCOMPARE(step.state.levels.power, 5);
        QCOMPARE(step.state.mode, Mode::CW);
        QCOMPARE(step.state.levels.filter(Mode::CW), 500); // in the mode just sent
        QCOMPARE(step.state.levels.ifShift, -200);
        QCOMPARE(step.state.levels.afGain, 128);
        QCOMPARE(step.state.frequencyA, 7074000u);

        // Forms the radio may take but Quillard does not make: unknown.
        const StationStep other = Station::sendOperatorCommands(
            step.state, QStringLiteral("Odd"),
            checkOperatorCommands(QStringLiteral("PC5;MD9;FA7074000;AG0128;")).commands);
        QCOMPARE(other.commands.size(), 4);
        QVERIFY(!other.state.levels.power);
        QVERIFY(!other.state.mode);
        QVERIFY(!other.state.frequencyA);
        QVERIFY(!other.state.levels.afGain);
        QCOMPARE(other.state.levels.ifShift, -200);

        // Only checked typed commands go out this way.
        const StationStep none = Station::sendOperatorCommands(state, QStringLiteral("Empty"),
                                                               {CatCommand::transmitPower(50)});
        QVERIFY(none.commands.isEmpty());
        QCOMPARE(none.refusal, QStringLiteral("Empty has no commands to send."));
    }

    // quillard.conf keeps the buttons and sequences as typed; nothing is
    // there by default, so nothing is sent at start.
    void setupIsKeptInTheProgramSettings()
    {
        QCOMPARE(loadOperatorSetup(), OperatorSetup());
        OperatorSetup setup;
        setup.buttons = {{QStringLiteral("QRP"), QStringLiteral("PC005;MD3;")},
                         {QStringLiteral("Full = 100 W"), QStringLiteral("PC100;")}};
        setup.startSequence = QStringLiteral("PC010;");
        setup.exitSequence = QStringLiteral("PC100;");
        saveOperatorSetup(setup);
        QCOMPARE(loadOperatorSetup(), setup);
        // Fewer buttons leave none of the old ones behind.
        setup.buttons.removeLast();
        setup.exitSequence.clear();
        saveOperatorSetup(setup);
        QCOMPARE(loadOperatorSetup(), setup);
        saveOperatorSetup({});
        QCOMPARE(loadOperatorSetup(), OperatorSetup());
    }

    void setupChecks()
    {
        OperatorSetup setup;
        QVERIFY(checkOperatorSetup(setup).isEmpty());
        setup.buttons = {{QStringLiteral("QRP"), QStringLiteral("PC005;")},
                         {QStringLiteral("Ask"), QStringLiteral("FA;")}};
        QVERIFY(
            checkOperatorSetup(setup).startsWith(QLatin1String("Button 2 (Ask): \"FA;\" asks")));
        setup.buttons[1] = {QStringLiteral("  "), QStringLiteral("PC010;")};
        QCOMPARE(checkOperatorSetup(setup), QStringLiteral("Button 2 has no label: give it one."));
        setup.buttons[1] = {QStringLiteral("Nothing"), QString()};
        QVERIFY(checkOperatorSetup(setup).contains(QLatin1String("has no commands")));
        setup.buttons.removeLast();
        setup.exitSequence = QStringLiteral("pc100;");
        QVERIFY(
            checkOperatorSetup(setup).startsWith(QLatin1String("The exit sequence: \"pc100;\"")));
        setup.exitSequence.clear();
        for (int i = 0; i < 24; ++i)
            setup.buttons << OperatorButton{QStringLiteral("B"), QStringLiteral("PC050;")};
        QVERIFY(checkOperatorSetup(setup).contains(QLatin1String("at most 24")));
    }

    // Exported and imported back unchanged, labels with "=" and "#" included.
    void exportThenImport()
    {
        OperatorSetup setup;
        setup.buttons = {{QStringLiteral("QRP # low = 5 W"), QStringLiteral("PC005;MD3;")},
                         {QStringLiteral("Mem 05"), QStringLiteral("MC 05;")}};
        setup.startSequence = QStringLiteral("PC010;");
        const QString path = m_config.filePath(QStringLiteral("buttons.txt"));
        QVERIFY(exportOperatorSetup(setup, path).isEmpty());
        const ImportedSetup back = importOperatorSetup(path);
        QVERIFY2(back.problem.isEmpty(), qPrintable(back.problem));
        QCOMPARE(back.setup, setup);

        const QString nowhere = m_config.filePath(QStringLiteral("missing/folder/buttons.txt"));
        QVERIFY(exportOperatorSetup(setup, nowhere).contains(QLatin1String("Could not write")));
    }

    // A bad file is refused whole, naming the file and the line.
    void badFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("problem");
        const QByteArray head = "# Quillard operator buttons\n";
        QTest::newRow("not ours") << QByteArray("[General]\nx=1\n") << "line 1: this is not a file";
        QTest::newRow("empty") << QByteArray() << "line 1: the file is empty";
        QTest::newRow("query") << head + "button=A\ncommands=FA;\n"
                               << "line 3: \"FA;\" asks";
        QTest::newRow("bad start") << head + "start=pc5;\n"
                                   << "line 2: \"pc5;\" is in lower case";
        QTest::newRow("no key") << head + "\nPC005;\n"
                                << "line 3: \"PC005;\" is not a key=value line";
        QTest::newRow("unknown key") << head + "colour=red\n"
                                     << "line 2: \"colour\" is not one of";
        QTest::newRow("commands first") << head + "commands=PC005;\n"
                                        << "line 2: \"commands=\" without";
        QTest::newRow("button without commands") << head + "button=A\nbutton=B\ncommands=PC005;\n"
                                                 << "line 3: the button before";
        QTest::newRow("last without commands") << head + "button=A\n"
                                               << "line 2: the last button";
        QTest::newRow("empty label") << head + "button= \ncommands=PC005;\n"
                                     << "line 2: a button has no label";
        QByteArray many = head;
        for (int i = 0; i < 25; ++i)
            many += "button=B\ncommands=PC050;\n";
        QTest::newRow("25 buttons") << many << "line 50: more than 24 buttons";
    }
    void badFilesAreRefused()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, problem);
        const QString path = m_config.filePath(QStringLiteral("bad.txt"));
        writeFile(path, contents);
        const ImportedSetup imported = importOperatorSetup(path);
        QVERIFY2(imported.problem.startsWith(path + QLatin1String(", ")),
                 qPrintable(imported.problem));
        QVERIFY2(imported.problem.contains(problem), qPrintable(imported.problem));
        QVERIFY(imported.problem.endsWith(QLatin1String("Nothing was imported.")));
        QCOMPARE(imported.setup, OperatorSetup());

        const ImportedSetup missing =
            importOperatorSetup(m_config.filePath(QStringLiteral("none.txt")));
        QVERIFY(missing.problem.startsWith(QLatin1String("Could not read")));
    }
};

QTEST_GUILESS_MAIN(TestLevels)
#include "tst_levels.moc"
