// The settings file and the Communication Settings window: exact bytes on
// disk, the two messages, and what a damaged file reads as.

#include "app/form3.h"
#include "session/settings.h"
#include "platform/fakemachine.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

class TestSettings : public QObject {
    Q_OBJECT

private:
    static QAbstractButton* button(QWidget* window, const char* name)
    {
        auto* found = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }

    static QByteArray fileBytes()
    {
        QFile file(settingsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static QStringList shownTexts()
    {
        QStringList texts;
        for (const MessageBox::Shown& shown : MessageBox::takeShown()) {
            // Every box here carries the program's title and only an OK button.
            const bool plain = shown.title == QStringLiteral("Quillard")
                               && shown.buttons == QMessageBox::StandardButtons(QMessageBox::Ok);
            texts.append(plain ? shown.text : QStringLiteral("<unexpected box> ") + shown.text);
        }
        return texts;
    }

private slots:
    void saveWritesExactlyTwoLinesAndHandsOver()
    {
        TestEnvironment env;
        QFile::remove(settingsFilePath());
        QDir(env.settingsDir()).removeRecursively(); // Save creates the folder too
        Form3 window;
        QSignalSpy saved(&window, &Form3::saved);
        window.show();
        QVERIFY(button(&window, "Com2")->isChecked()); // the first focus selects it
        button(&window, "Baud96")->click();
        button(&window, "Command1")->click();
        QCOMPARE(fileBytes(), QByteArray("2\r\n9600\r\n"));
        QCOMPARE(saved.count(), 1);
        QVERIFY(shownTexts().isEmpty());
    }

    void everyChoiceWritesItsValue_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Com1 300") << "Com1" << "Baud3" << QByteArray("1\r\n300\r\n");
        QTest::newRow("Com3 600") << "Com3" << "Baud6" << QByteArray("3\r\n600\r\n");
        QTest::newRow("Com4 1200") << "Com4" << "Baud12" << QByteArray("4\r\n1200\r\n");
        QTest::newRow("Com2 2400") << "Com2" << "Baud24" << QByteArray("2\r\n2400\r\n");
        QTest::newRow("4800") << "Com1" << "Baud48" << QByteArray("1\r\n4800\r\n");
        QTest::newRow("19200") << "Com1" << "Option1" << QByteArray("1\r\n19200\r\n");
        QTest::newRow("38400") << "Com1" << "Option2" << QByteArray("1\r\n38400\r\n");
    }

    void everyChoiceWritesItsValue()
    {
        QFETCH(QString, port);
        QFETCH(QString, rate);
        QFETCH(QByteArray, bytes);
        TestEnvironment env;
        Form3 window;
        window.show();
        button(&window, port.toLatin1().constData())->click();
        button(&window, rate.toLatin1().constData())->click();
        window.Command1_Click();
        QCOMPARE(fileBytes(), bytes);
    }

    void lastChoiceWins()
    {
        TestEnvironment env;
        Form3 window;
        window.show();
        button(&window, "Com1")->click();
        button(&window, "Com3")->click();
        button(&window, "Baud3")->click();
        button(&window, "Option2")->click();
        window.Command1_Click();
        QCOMPARE(fileBytes(), QByteArray("3\r\n38400\r\n"));
    }

    void missingChoicesGiveTheirMessagesAndWriteNothing()
    {
        TestEnvironment env;
        {
            // Save at once: the port is chosen by the first focus, the rate is not.
            Form3 window;
            QSignalSpy saved(&window, &Form3::saved);
            window.show();
            window.Command1_Click();
            QCOMPARE(shownTexts(), QStringList{"You must choose a Baud Rate!"});
            QVERIFY(window.isVisible());
            QCOMPARE(saved.count(), 0);
        }
        {
            // Never shown, so nothing chosen at all: both messages, port first.
            Form3 window;
            window.Command1_Click();
            QCOMPARE(shownTexts(), QStringList({"You must choose a Comport Setting!",
                                                "You must choose a Baud Rate!"}));
        }
        {
            Form3 window;
            button(&window, "Baud96")->click();
            window.Command1_Click();
            QCOMPARE(shownTexts(), QStringList{"You must choose a Comport Setting!"});
        }
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    void closingWithoutSaveLeavesNoFile()
    {
        TestEnvironment env;
        auto* window = new Form3; // deletes itself on close
        window->show();
        button(window, "Baud96")->click();
        window->close();
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    void focusOrderAndAccessKeys()
    {
        TestEnvironment env;
        Form3 window;
        window.show();
        QApplication::setActiveWindow(&window);
        const QStringList expected = {"Com2",   "Com3",   "Com4",   "Com1",   "Option2",
                                      "Option1", "Baud3", "Baud6",  "Baud12", "Baud24",
                                      "Baud48", "Baud96", "Command1"};
        // The focus chain in order. (As with any option group, Tab itself
        // stops only at a group's selected button; the arrows move within it.)
        QStringList chain;
        QWidget* first = button(&window, "Com2");
        QWidget* widget = first;
        do {
            if (widget->focusPolicy() != Qt::NoFocus && widget->isWidgetType()
                && expected.contains(widget->objectName()))
                chain << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != first);
        QCOMPARE(chain, expected);
        QCOMPARE(window.findChild<QWidget*>("Frame1")->property("title").toString(), "&Com Port");
        QCOMPARE(window.findChild<QWidget*>("Frame2")->property("title").toString(),
                 "&Baud Rate");
        QCOMPARE(window.windowTitle(), "Communication Settings");
    }

    void onlyFocusTheOperatorMovesSelects()
    {
        TestEnvironment env;
        Form3 window;
        window.show();
        QApplication::setActiveWindow(&window);
        // Focus that comes back with the window or after a popup chooses nothing.
        button(&window, "Baud48")->setFocus(Qt::ActiveWindowFocusReason);
        button(&window, "Baud96")->setFocus(Qt::PopupFocusReason);
        QVERIFY(window.chosenBaud().isEmpty());
        // Tab and access keys do.
        button(&window, "Baud12")->setFocus(Qt::TabFocusReason);
        QCOMPARE(window.chosenBaud(), "1200");
        button(&window, "Com4")->setFocus(Qt::ShortcutFocusReason);
        QCOMPARE(window.chosenComm(), "4");
    }

    void failedWriteIsReportedNotSaved()
    {
        TestEnvironment env;
        // A folder where the file should be: nothing can be written there.
        QDir().mkpath(settingsFilePath());
        Form3 window;
        QSignalSpy saved(&window, &Form3::saved);
        window.show();
        button(&window, "Baud96")->click();
        window.Command1_Click();
        QCOMPARE(saved.count(), 0);
        const QStringList texts = shownTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QDir::toNativeSeparators(settingsFilePath())), qPrintable(texts[0]));
        QVERIFY(window.isVisible());
    }

    // Each port says, where the operator chooses it, which device it reaches
    // and what Linux knows of it; the tool tip and the accessible description
    // are the same text.
    void portOptionsNameTheDeviceTheyReach_data()
    {
        QTest::addColumn<bool>("withAdapter");
        QTest::newRow("no USB adapter") << false;
        QTest::newRow("a USB adapter plugged in") << true;
    }

    void portOptionsNameTheDeviceTheyReach()
    {
        QFETCH(bool, withAdapter);
        TestEnvironment env;
        FakeMachine machine;
        machine.builtInPort(0, 4); // a 16550A
        machine.builtInPort(1, 0); // nothing found
        // No ttyS2 at all; Com4 is linked, to a device that is gone.
        const QString adapter = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        if (withAdapter)
            machine.adapter(adapter, "/dev/null");
        const QString dir = env.settingsDir();
        QVERIFY(QFile::link(machine.path("ttyUSB3"), dir + "/com4"));

        Form3 window;
        QStringList tips;
        for (const char* name : {"Com1", "Com2", "Com3", "Com4"}) {
            QAbstractButton* option = button(&window, name);
            QCOMPARE(option->accessibleDescription(), option->toolTip());
            tips << option->toolTip();
        }
        const QString offer = withAdapter ? " USB serial adapters plugged in: " + adapter +
                                                " (now /dev/null). When Com%1 cannot be opened, "
                                                "Quillard offers to link it to one of them."
                                          : " For a USB serial cable, link the port to your serial "
                                            "device, for example: ln -s /dev/ttyUSB0 " +
                                                dir + "/com%1.";
        QCOMPARE(tips, QStringList({
                           "Com1 reaches " + machine.dev("ttyS0") +
                               ", a built-in serial port (Linux found a UART behind it).",
                           "Com2 reaches " + machine.dev("ttyS1") +
                               ", a built-in serial port with no hardware behind it (Linux found "
                               "no UART)." +
                               offer.arg(2),
                           "Com3 reaches " + machine.dev("ttyS2") +
                               ", which does not exist on this computer." + offer.arg(3),
                           "Com4 reaches " + dir + "/com4, a link to " + machine.path("ttyUSB3") +
                               ", which does not exist on this computer." + offer.arg(4),
                       }));

        // A comN link to a device that is there: the link, where it leads and what it is.
        QFile::remove(dir + "/com4");
        QVERIFY(QFile::link(machine.dev("ttyS0"), dir + "/com1"));
        QVERIFY(QFile::link(machine.path("ttyACM0"), dir + "/com2"));
        QVERIFY(QFile::link("/dev/null", machine.path("ttyACM0")));
        Form3 linked;
        QCOMPARE(button(&linked, "Com1")->toolTip(),
                 "Com1 reaches " + dir + "/com1, a link to " + machine.dev("ttyS0") +
                     " (now /dev/null), a built-in serial port (Linux found a UART behind it).");
        QCOMPARE(button(&linked, "Com2")->toolTip(), "Com2 reaches " + dir + "/com2, a link to " +
                                                         machine.path("ttyACM0") +
                                                         " (now /dev/null), a serial device.");
        QVERIFY(shownTexts().isEmpty());
    }

    void readsTwoLinesWhateverTheLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("comm");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<bool>("usable");
        QTest::newRow("as written") << QByteArray("2\r\n9600\r\n") << "2" << "9600" << true;
        QTest::newRow("third line ignored")
            << QByteArray("1\r\n4800\r\nanything\r\n") << "1" << "4800" << true;
        QTest::newRow("LF only") << QByteArray("3\n1200\n") << "3" << "1200" << true;
        QTest::newRow("CR only") << QByteArray("4\r38400\r") << "4" << "38400" << true;
        QTest::newRow("no final line end") << QByteArray("1\r\n9600") << "1" << "9600" << true;
        QTest::newRow("empty") << QByteArray() << "" << "" << false;
        QTest::newRow("one line") << QByteArray("2\r\n") << "2" << "" << false;
        QTest::newRow("port not a number") << QByteArray("abc\r\n9600\r\n") << "abc" << "9600"
                                           << false;
        QTest::newRow("no such baud rate") << QByteArray("1\r\n12345\r\n") << "1" << "12345"
                                           << false;
        QTest::newRow("blank around port kept as read, still usable")
            << QByteArray(" 1\r\n9600\r\n") << " 1" << "9600" << true;
    }

    void readsTwoLinesWhateverTheLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, comm);
        QFETCH(QString, baud);
        QFETCH(bool, usable);
        TestEnvironment env;
        env.writeSettings(bytes);
        const SettingsRead read = readSettingsFile();
        QCOMPARE(read.settings.Comm, comm);
        QCOMPARE(read.settings.Baud, baud);
        QCOMPARE(read.ok(), usable);
        if (!usable) {
            // The message names the file and how to start over.
            QVERIFY2(read.problem.contains(QDir::toNativeSeparators(settingsFilePath())),
                     qPrintable(read.problem));
            QVERIFY2(read.problem.contains("delete"), qPrintable(read.problem));
        }
        QCOMPARE(fileBytes(), bytes); // never rewritten
    }

    void unreadableFileIsNamed()
    {
        TestEnvironment env;
        QDir().mkpath(settingsFilePath());
        const SettingsRead read = readSettingsFile();
        QVERIFY(!read.ok());
        QVERIFY(read.problem.contains("cannot be read"));
    }
};

QUILLARD_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
