#include "memory/form1.h"

#include "clock/testclock.h"
#include "memory/memoryfiledialog.h"
#include "session/cues.h"
#include "timeline.h"
#include "uitest.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
const QString errorText = QStringLiteral("Data not entered in correct format!,\r\nplease retry.");

QPushButton* button(const Form1& form, const char* name)
{
    auto* found = form.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

void showActive(Form1& form)
{
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        qWarning("memory window did not become active");
}

// Answers the file dialogs from a list of names and remembers what they were asked.
struct ScriptedDialog {
    QStringList answers;
    QList<MemoryFileDialogRequest> requests;
    ScriptedDialog()
    {
        MemoryFileDialog::setScript([this](const MemoryFileDialogRequest& request) {
            requests.append(request);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ~ScriptedDialog() { MemoryFileDialog::setScript({}); }
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList messageTexts()
{
    QStringList texts;
    for (const MessageBox::Shown& shown : MessageBox::takeShown())
        texts.append(shown.text);
    return texts;
}

QAccessibleInterface* heard(QObject* object)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return interface;
}

QStringList sheetTexts(const Form1& form, int from, int to)
{
    QStringList texts;
    for (int channel = from; channel <= to; ++channel)
        texts << form.freqBox(channel)->text() << form.modeBox(channel)->text();
    return texts;
}
} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    SparePort m_port;
    TestClock m_clock; // the writes' pauses pass at once

    // Presses "Write to radio" and runs the clock to the moment the write ends.
    void writeToRadio(Form1& form)
    {
        button(form, "Command2")->click();
        QVERIFY(m_clock.advanceUntil([&form] { return !form.writing(); }));
    }

private slots:
    void layoutAndTabOrder()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        QCOMPARE(form.windowTitle(), QStringLiteral("Program Radio Memory"));
        QCOMPARE(form.findChildren<QLineEdit*>().size(), 200);
        QCOMPARE(form.findChild<QLabel*>("Label5")->text(),
                 QStringLiteral("Enter all memories without decimals! As an example, enter "
                                "28.400.00 as 2840000. For 7.000.00 enter 0700000.  Always be "
                                "sure to use 7 digits! To erase a channel enter seven 0's"));
        QCOMPARE(form.findChildren<QLabel*>(QRegularExpression("^header")).size(), 12);
        // Four groups of 25: channel 25 starts the second column at the top.
        QCOMPARE(form.freqBox(25)->y(), form.freqBox(0)->y());
        QVERIFY(form.freqBox(25)->x() > form.modeBox(0)->x() + form.modeBox(0)->width());
        QVERIFY(form.freqBox(24)->y() > form.freqBox(23)->y());
        QVERIFY(form.modeBox(7)->x() > form.freqBox(7)->x());
        QVERIFY(form.modeBox(7)->width() < form.freqBox(7)->width());
        for (QWidget* widget : form.findChildren<QWidget*>())
            QVERIFY2(form.rect().contains(widget->geometry()), qPrintable(widget->objectName()));

        const QList<std::array<QString, 3>> buttons = {
            {"Command3", "Load from file",
             "Load Frequencies from Disk: as many channels as the file holds, up to 100"},
            {"Command4", "Save to file",
             "Save Frequencies to Disk: channels 00 to 09, or all 100 when 10 to 99 hold entries"},
            {"Command2", "Write to radio", "Program Radio: writes every filled channel, 00 to 99"},
            {"Command1", "Exit", "Exit back to Main Screen"}};
        int lastX = -1;
        for (const auto& [name, caption, tip] : buttons) {
            QPushButton* found = button(form, qPrintable(name));
            QCOMPARE(found->text(), caption);
            QCOMPARE(found->accessibleName(), caption);
            QCOMPARE(found->toolTip(), tip);
            QVERIFY(!found->autoDefault());
            QVERIFY(found->x() > lastX);
            QVERIFY(found->y() > form.findChild<QLabel*>("Label5")->y());
            lastX = found->x();
        }
        // The exchange with rigmem and the write's progress and Stop sit in a row below.
        const QList<std::array<QString, 3>> below = {
            {"ImportCsv", "Import rigmem CSV...",
             "Fill the sheet from a CSV file that Hamlib's rigmem saved from the radio"},
            {"ExportCsv", "Export rigmem CSV...",
             "Save the sheet as a CSV file for Hamlib's rigmem to load into the radio"},
            {"StopWrite", "Stop", "Stop writing after the channel being written"}};
        for (const auto& [name, caption, tip] : below) {
            QPushButton* found = button(form, qPrintable(name));
            QCOMPARE(found->text(), caption);
            QCOMPARE(found->toolTip(), tip);
            QVERIFY(found->y() >
                    button(form, "Command1")->y() + button(form, "Command1")->height());
        }
        QVERIFY(!button(form, "StopWrite")->isEnabled());
        QVERIFY(form.findChild<QLabel*>("WriteProgress")->text().isEmpty());

        QStringList expected;
        for (int channel = 0; channel < 100; ++channel)
            expected << QStringLiteral("freq%1").arg(channel, 2, 10, QLatin1Char('0'))
                     << QStringLiteral("mode%1").arg(channel, 2, 10, QLatin1Char('0'));
        expected << "Command2"
                 << "Command1"
                 << "Command3"
                 << "Command4"
                 << "ImportCsv"
                 << "ExportCsv"
                 << "StopWrite"
                 << "freq00";
        QStringList chain;
        QWidget* widget = form.freqBox(0);
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                chain << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (chain.size() < expected.size());
        QCOMPARE(chain, expected);
    }

    void whatAScreenReaderHears()
    {
        TestEnvironment env;
        Form1 form(m_port.lend());
        // Names without the caption's "...", and Stop says what it stops.
        const QList<std::array<QString, 2>> spoken = {{"Command2", "Write to radio"},
                                                      {"ImportCsv", "Import rigmem CSV"},
                                                      {"ExportCsv", "Export rigmem CSV"},
                                                      {"StopWrite", "Stop writing"}};
        for (const auto& [name, words] : spoken)
            QCOMPARE(heard(button(form, qPrintable(name)))->text(QAccessible::Name), words);
        QCOMPARE(heard(form.findChild<QLabel*>("WriteProgress"))->text(QAccessible::Description),
                 QStringLiteral("Progress of the write to the radio"));

        // The instruction labels the hundred frequency boxes (so a screen
        // reader does not take it for a loose label of the window and read it
        // each time the window becomes active), while each box keeps its own name.
        QAccessibleInterface* instruction = heard(form.findChild<QLabel*>("Label5"));
        QCOMPARE(instruction->role(), QAccessible::StaticText);
        QVERIFY(instruction->text(QAccessible::Name).startsWith("Enter all memories"));
        QList<QObject*> labelled;
        for (const auto& [target, relation] : instruction->relations(QAccessible::Labelled)) {
            QCOMPARE(relation, QAccessible::Labelled);
            labelled.append(target->object());
        }
        QCOMPARE(labelled.size(), 100);
        QCOMPARE(labelled.first(), form.freqBox(0));
        QCOMPARE(labelled.last(), form.freqBox(99));
        QVERIFY(!labelled.contains(form.modeBox(0)));
        QVERIFY(instruction->relations(QAccessible::Controller).isEmpty());
        QVERIFY(heard(form.freqBox(0))->relations(QAccessible::Label).isEmpty());
        QCOMPARE(heard(form.freqBox(0))->text(QAccessible::Name),
                 QStringLiteral("Channel 00 frequency"));
        QCOMPARE(heard(form.modeBox(37))->text(QAccessible::Name),
                 QStringLiteral("Channel 37 mode"));
        QVERIFY(announced(form).isEmpty());
        // The sheet's labels are heard by their texts.
        QCOMPARE(heard(form.findChild<QLabel*>("chan05"))->text(QAccessible::Name),
                 QStringLiteral("05"));
        QCOMPARE(heard(form.findChild<QLabel*>("headerFreq2"))->text(QAccessible::Name),
                 QStringLiteral("Freq."));
    }

    void everyOpeningStartsEmptyWithThePortOpen()
    {
        TestEnvironment env;
        Timeline timeline;
        {
            Form1 first(m_port.lend());
            QVERIFY(first.link().isOpen());
            first.freqBox(0)->setText("2840000");
            first.modeBox(99)->setText("usb");
            first.Command1_Click();
        }
        Form1 second(m_port.lend());
        QVERIFY(second.link().isOpen());
        for (int channel = 0; channel < Form1::Channels; ++channel) {
            QVERIFY(second.freqBox(channel)->text().isEmpty());
            QVERIFY(second.modeBox(channel)->text().isEmpty());
        }
        for (int channel = 0; channel < Form1::Channels; ++channel)
            QVERIFY(second.modeCode(channel).isEmpty());
        QCOMPARE(messageTexts(), QStringList());
    }

    void missingSettingsAreReportedOnce()
    {
        TestEnvironment env;
        Form1 form(m_port.lend());
        QVERIFY(!form.link().isOpen());
        QCoreApplication::processEvents();
        const QStringList shown = messageTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QDir::toNativeSeparators(GetWinPath() + "/qd.cfg")));
    }

    void enteringABoxSelectsItsText()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        showActive(form);
        for (QLineEdit* box : {form.freqBox(0), form.modeBox(0), form.freqBox(60), form.modeBox(60),
                               form.freqBox(99), form.modeBox(42)}) {
            button(form, "Command1")->setFocus(Qt::OtherFocusReason);
            box->setText("2840000");
            box->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
            QCOMPARE(box->selectedText(), QStringLiteral("2840000"));
        }
        // A mouse press places the cursor after the focus came; the text ends up selected.
        form.freqBox(3)->setText("2840000");
        QTest::mouseClick(form.freqBox(3), Qt::LeftButton, {}, QPoint(5, 5));
        QCoreApplication::processEvents();
        QCOMPARE(form.freqBox(3)->selectedText(), QStringLiteral("2840000"));

        form.modeBox(0)->setFocus(Qt::OtherFocusReason);
        form.freqBox(1)->setText("1405000");
        QTest::keyClick(form.modeBox(0), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.freqBox(1));
        QCOMPARE(form.freqBox(1)->selectedText(), QStringLiteral("1405000"));
        messageTexts();
    }

    void leavingAFrequencyChecksItsLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warned");
        QTest::newRow("six digits") << "284000" << true;
        QTest::newRow("eight digits") << "28400000" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("seven digits") << "2840000" << false;
        QTest::newRow("seven letters") << "abcdefg" << false;
    }
    void leavingAFrequencyChecksItsLength()
    {
        QFETCH(QString, text);
        QFETCH(bool, warned);
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        showActive(form);
        form.freqBox(60)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form.freqBox(60), text);
        QTest::keyClick(form.freqBox(60), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.modeBox(60));
        // A mode box is never checked, whatever it holds.
        QTest::keyClicks(form.modeBox(60), "x");
        QTest::keyClick(form.modeBox(60), Qt::Key_Tab);

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(shown[0].title, QStringLiteral("Error"));
            QCOMPARE(shown[0].text, errorText);
            QCOMPARE(shown[0].icon, QMessageBox::NoIcon);
            QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        // The entry stays as typed and the focus where it was sent.
        QCOMPARE(form.freqBox(60)->text(), text);
        QCOMPARE(QApplication::focusWidget(), form.freqBox(61));
    }

    void everyWayOutReleasesThePort_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Exit") << 0;
        QTest::newRow("Exit with the port already closed") << 1;
        QTest::newRow("window frame") << 2;
        QTest::newRow("Escape") << 3;
    }
    void everyWayOutReleasesThePort()
    {
        QFETCH(int, way);
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        showActive(form);
        SerialLink other;
        QVERIFY(form.link().isOpen());
        if (way == 1)
            form.link().closeLink();
        if (way <= 1)
            QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
        else if (way == 2)
            form.close();
        else
            QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.link().isOpen());
        // The port is really free: another link can take it.
        QVERIFY(other.openLink({1, 9600, timeline.linkPath(), {}}));
        // Late notifications do not take the port back.
        form.MSComm1_OnComm();
        QVERIFY(!form.link().isOpen());
        QCOMPARE(messageTexts(), QStringList());
    }

    void writeSendsFilledChannelsInOrderWithPauses()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        form.freqBox(0)->setText("2840000");
        form.modeBox(0)->setText("usb");
        form.modeBox(1)->setText("cw"); // no frequency: nothing sent
        form.freqBox(2)->setText("0700000");
        form.modeBox(2)->setText("LSB");
        form.freqBox(7)->setText("2748500");
        form.modeBox(7)->setText("usb");
        timeline.clear();
        // Events keep running during the pauses: this timer fires inside the write.
        QStringList seenDuringWrite;
        const double start = m_clock.seconds();
        m_clock.after(0.1, [&] { seenDuringWrite = timeline.events(); });
        writeToRadio(form);

        const QList<Timeline::Event> events = timeline.timedEvents();
        QStringList what;
        for (const Timeline::Event& event : events)
            what << event.what;
        QCOMPARE(what, QStringList({"cue:programming.wav", "MW0 000002840000020001 ;",
                                    "MW0 020000700000010001 ;", "MW0 070002748500020001 ;"}));
        QCOMPARE(timeline.rawBytes(), QByteArray("MW0 000002840000020001 ;\r"
                                                 "MW0 020000700000010001 ;\r"
                                                 "MW0 070002748500020001 ;\r"));
        QCOMPARE(seenDuringWrite, what.mid(0, 2));
        // Each write is followed by its 0.2 s pause, the cue taking no time here.
        QCOMPARE(events[2].ms - events[1].ms, 200.0);
        QCOMPARE(events[3].ms - events[2].ms, 200.0);
        QCOMPARE(m_clock.seconds() - start, 0.6);
        QCOMPARE(form.modeCode(1), QStringLiteral("3"));
        QCOMPARE(form.freqBox(7)->text(), QStringLiteral("2748500")); // a write leaves the boxes
        QCOMPARE(messageTexts(), QStringList());
    }

    void emptySheetPlaysTheCueOnly()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        timeline.clear();
        writeToRadio(form);
        QCOMPARE(timeline.events(), QStringList{"cue:programming.wav"});
        QCOMPARE(messageTexts(), QStringList());
    }

    void modeDigitIsKeptBetweenWrites()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        form.modeBox(3)->setText("cw");
        form.freqBox(4)->setText("1420000");
        form.modeBox(4)->setText("USB");
        writeToRadio(form);
        QCOMPARE(form.modeCode(3), QStringLiteral("3"));

        timeline.clear();
        form.freqBox(3)->setText("1405000");
        form.modeBox(3)->clear();
        form.modeBox(4)->setText("Usb");    // mixed case: not a mode word
        form.freqBox(5)->setText("284000"); // six characters go out as typed
        form.modeBox(5)->setText("am");
        writeToRadio(form);
        QCOMPARE(timeline.events(),
                 QStringList({"cue:programming.wav", "MW0 030001405000030001 ;",
                              "MW0 040001420000020001 ;", "MW0 05000284000050001 ;"}));
        QCOMPARE(messageTexts(), QStringList());
    }

    void channelsThatCannotBeSentAreSkippedAndNamedOnce()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        form.freqBox(1)->setText("2840000"); // never had a mode word
        form.modeBox(1)->setText("ssb");
        form.freqBox(2)->setText("2840000");
        form.modeBox(2)->setText("usb");
        form.freqBox(4)->setText("1405000");
        form.freqBox(6)->setText("28;FA0"); // would smuggle a second command
        form.modeBox(6)->setText("usb");
        form.freqBox(8)->setText(QString::fromUtf8("284000\xC3\xA9"));
        form.modeBox(8)->setText("usb");
        timeline.clear();
        writeToRadio(form);
        QCOMPARE(timeline.events(),
                 QStringList({"cue:programming.wav", "MW0 020002840000020001 ;"}));
        const QStringList shown = messageTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains("Channels 01 and 04 were not written"), qPrintable(shown[0]));
        QVERIFY(shown[0].contains("lsb, usb, cw, fm, am or fsk"));
        QVERIFY2(shown[0].contains("Channels 06 and 08 were not written"), qPrintable(shown[0]));
    }

    void pressesDuringAWriteDoNotDoubleIt()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        for (int channel = 0; channel < 3; ++channel) {
            form.freqBox(channel)->setText("2840000");
            form.modeBox(channel)->setText("fm");
        }
        timeline.clear();
        m_clock.after(0.05, [&] { button(form, "Command2")->click(); });
        writeToRadio(form);
        QCOMPARE(timeline.events().size(), 4);

        // Exit during the pauses ends the write and releases the port at once.
        timeline.clear();
        m_clock.after(0.3, [&] { button(form, "Command1")->click(); });
        writeToRadio(form);
        QCOMPARE(timeline.events(), QStringList({"cue:programming.wav", "MW0 000002840000040001 ;",
                                                 "MW0 010002840000040001 ;"}));
        QVERIFY(!form.link().isOpen());
        QCOMPARE(messageTexts(), QStringList());
    }

    void aFailedSendStopsTheWriteAndSaysWhere()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        form.freqBox(0)->setText("2840000");
        form.modeBox(0)->setText("fm");
        form.freqBox(1)->setText("2840000");
        form.link().closeLink();
        timeline.clear();
        writeToRadio(form);
        QCoreApplication::processEvents();
        QCOMPARE(timeline.events(), QStringList{"cue:programming.wav"});
        const QStringList shown = messageTexts();
        QVERIFY(shown.join('\n').contains("stopped at channel 00"));
        QVERIFY(shown.join('\n').contains("MW0 000002840000040001 ;"));
    }

    // Every filled channel 00 to 99 goes out in order with its pause; the
    // window shows the channel in flight and how many filled ones follow, and
    // what would restart the write or swap the sheet under it waits meanwhile.
    void writeCoversEveryChannelAndShowsProgress()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        form.freqBox(3)->setText("2840000");
        form.modeBox(3)->setText("usb");
        form.freqBox(10)->setText("1405000");
        form.modeBox(10)->setText("USB");
        form.freqBox(45)->setText("0703000");
        form.modeBox(45)->setText("cw");
        form.freqBox(50)->setText("0703000"); // no mode word: skipped and named
        form.freqBox(99)->setText("5000000");
        form.modeBox(99)->setText("am");
        timeline.clear();
        QStringList seen;
        QStringList heardWords;
        auto look = [&] {
            QStringList state{form.findChild<QLabel*>("WriteProgress")->text()};
            heardWords << announced(form);
            for (const char* name : {"Command2", "Command3", "ImportCsv", "Command4", "StopWrite"})
                state << QStringLiteral("%1 %2").arg(name).arg(button(form, name)->isEnabled());
            seen << state.join(", ");
        };
        m_clock.after(0.1, look);
        m_clock.after(0.5, look);
        const double start = m_clock.seconds();
        writeToRadio(form);

        QCOMPARE(timeline.rawBytes(), QByteArray("MW0 030002840000020001 ;\r"
                                                 "MW0 100001405000020001 ;\r"
                                                 "MW0 450000703000030001 ;\r"
                                                 "MW0 990005000000050001 ;\r"));
        QCOMPARE(m_clock.seconds() - start, 0.8);
        const QString during = "Command2 0, Command3 0, ImportCsv 0, Command4 1, StopWrite 1";
        QCOMPARE(seen, QStringList({"Writing channel 03, 4 left, " + during,
                                    "Writing channel 45, 2 left, " + during}));
        // The progress is spoken as it changes.
        QCOMPARE(heardWords,
                 QStringList({"Writing channel 03, 4 left", "Writing channel 45, 2 left"}));
        look();
        QCOMPARE(seen.last(), ", Command2 1, Command3 1, ImportCsv 1, Command4 1, StopWrite 0");
        QCOMPARE(messageTexts(),
                 QStringList({"Channel 50 was not written to the radio: no mode has been given. "
                              "Enter one of the mode words lsb, usb, cw, fm, am or fsk, all in "
                              "lower case or all in upper case (usb or USB), then write again."}));
    }

    void stopEndsTheWriteAfterTheCommandInFlight()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        for (int channel = 0; channel < Form1::Channels; ++channel) {
            form.freqBox(channel)->setText("1405000");
            form.modeBox(channel)->setText("fm");
        }
        timeline.clear();
        const double start = m_clock.seconds();
        m_clock.after(0.3, [&] { button(form, "StopWrite")->click(); });
        writeToRadio(form);
        QCOMPARE(timeline.rawBytes(), QByteArray("MW0 000001405000040001 ;\r"
                                                 "MW0 010001405000040001 ;\r"));
        // The command in flight keeps its pause before the write ends.
        QCOMPARE(m_clock.seconds() - start, 0.4);
        QCOMPARE(messageTexts(),
                 QStringList({"The write was stopped: channels 00 and 01 were written; channels "
                              "02 to 99 were not written. Press Write to radio to write the "
                              "sheet again."}));
        QVERIFY(!button(form, "StopWrite")->isEnabled());
        QVERIFY(form.findChild<QLabel*>("WriteProgress")->text().isEmpty());

        // The next write starts afresh and takes all hundred, 0.2 s each.
        timeline.clear();
        const double again = m_clock.seconds();
        writeToRadio(form);
        const QStringList events = timeline.events();
        QCOMPARE(events.size(), 101);
        QCOMPARE(events.last(), QStringLiteral("MW0 990001405000040001 ;"));
        QCOMPARE(m_clock.seconds() - again, 20.0);
        QCOMPARE(messageTexts(), QStringList());
    }

    // By keyboard alone: Space on "Write to radio" hands the keyboard to Stop
    // for the write, and it comes back when the write ends, so Space again
    // writes again instead of reaching Exit; the same after a stop and its
    // box. Where the operator takes the keyboard during a write, it stays.
    void theKeyboardComesBackToWriteToRadio()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 form(m_port.lend());
        showActive(form);
        form.freqBox(98)->setText("1405000");
        form.modeBox(98)->setText("fm");
        form.freqBox(99)->setText("1405000");
        form.modeBox(99)->setText("fm");
        QPushButton* write = button(form, "Command2");
        QPushButton* stop = button(form, "StopWrite");
        auto space = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); };
        auto finishWrite = [&] {
            QVERIFY(m_clock.advanceUntil([&form] { return !form.writing(); }));
        };
        write->setFocus(Qt::TabFocusReason);
        timeline.clear();
        QWidget* focusDuring = nullptr;
        m_clock.after(0.1, [&] { focusDuring = QApplication::focusWidget(); });
        space();
        finishWrite();
        QCOMPARE(focusDuring, stop);
        QCOMPARE(QApplication::focusWidget(), write);
        space();
        finishWrite();
        QVERIFY(form.isVisible());
        const QByteArray twoChannels("MW0 980001405000040001 ;\rMW0 990001405000040001 ;\r");
        QCOMPARE(timeline.rawBytes(), twoChannels + twoChannels);

        // Space on Stop in the first pause: channel 99 is not written.
        timeline.clear();
        m_clock.after(0.1, space);
        space();
        finishWrite();
        QCOMPARE(timeline.rawBytes(), QByteArray("MW0 980001405000040001 ;\r"));
        QCOMPARE(messageTexts(),
                 QStringList({"The write was stopped: channel 98 was written; channel 99 was "
                              "not written. Press Write to radio to write the sheet again."}));
        QCOMPARE(QApplication::focusWidget(), write);

        // Tabbing on into the sheet during a write: the focus stays there.
        m_clock.after(0.1, [&] { form.freqBox(0)->setFocus(Qt::TabFocusReason); });
        space();
        finishWrite();
        QCOMPARE(QApplication::focusWidget(), form.freqBox(0));
        QCOMPARE(messageTexts(), QStringList());
    }

    // Channels 10 to 99 with text make the file a hundred records long; an
    // empty 10 to 99 gives the ten records older readers know, byte for byte.
    void aHundredRecordsWhenChannels10To99HoldText()
    {
        TestEnvironment env;
        Timeline timeline;
        QTemporaryDir dir;
        const QString path = dir.filePath("all.mem");
        ScriptedDialog dialog;
        Form1 form(m_port.lend());
        form.freqBox(0)->setText("2840000");
        form.modeBox(0)->setText("usb");
        form.freqBox(10)->setText("1405000");
        form.modeBox(10)->setText("cw");
        form.freqBox(45)->setText("0703000");
        form.modeBox(45)->setText("CW");
        form.modeBox(98)->setText("ssb");
        form.freqBox(99)->setText("5000000");
        form.modeBox(99)->setText("am");
        dialog.answers = {path};
        button(form, "Command4")->click();
        const QByteArray empty = "\"\",\"\"\r\n";
        QCOMPARE(fileBytes(path), "\"2840000\",\"usb\"\r\n" + empty.repeated(9) +
                                      "\"1405000\",\"cw\"\r\n" + empty.repeated(34) +
                                      "\"0703000\",\"CW\"\r\n" + empty.repeated(52) +
                                      "\"\",\"ssb\"\r\n\"5000000\",\"am\"\r\n");

        const QStringList saved = sheetTexts(form, 0, 99);
        for (int channel = 0; channel < Form1::Channels; ++channel) {
            form.freqBox(channel)->setText("typed");
            form.modeBox(channel)->setText("typed");
        }
        dialog.answers = {path};
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 99), saved);
        QCOMPARE(messageTexts(), QStringList()); // the file held every channel: nothing to ask

        for (int channel : {10, 45, 98, 99}) {
            form.freqBox(channel)->clear();
            form.modeBox(channel)->clear();
        }
        dialog.answers = {path};
        button(form, "Command4")->click();
        QCOMPARE(fileBytes(path), "\"2840000\",\"usb\"\r\n" + empty.repeated(9));
        QCOMPARE(timeline.events(), QStringList());
    }

    void loadingTenRecordsAsksBeforeEmptyingChannels10To99()
    {
        TestEnvironment env;
        Timeline timeline;
        QTemporaryDir dir;
        const QString path = dir.filePath("old.mem");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"0700000\",\"lsb\"\r\n" + QByteArray("\"\",\"\"\r\n").repeated(9));
        file.close();
        ScriptedDialog dialog;
        Form1 form(m_port.lend());
        form.freqBox(0)->setText("2840000");
        form.freqBox(10)->setText("1405000");
        form.modeBox(99)->setText("am");

        dialog.answers = {path}; // the box's default, No, keeps them
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 0), QStringList({"0700000", "lsb"}));
        QCOMPARE(sheetTexts(form, 10, 10), QStringList({"1405000", ""}));
        QCOMPARE(sheetTexts(form, 99, 99), QStringList({"", "am"}));
        QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QDir::toNativeSeparators("The memory file " + path) +
                                    " does not hold channels 10 and 99, which the sheet has "
                                    "entries in. Empty them as well?\n\nYes empties them; No "
                                    "keeps them as they are.");
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(shown[0].defaultButton, QMessageBox::No);

        dialog.answers = {path};
        MessageBox::setNextAnswer(QMessageBox::Yes);
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 10, 99), QStringList(180, QString()));
        QCOMPARE(messageTexts().size(), 1);

        // Nothing to lose in 10 to 99: nothing is asked.
        dialog.answers = {path};
        button(form, "Command3")->click();
        QCOMPARE(messageTexts(), QStringList());
    }

    // Import fills the channels a rigmem file holds, names by line what the
    // sheet cannot hold, and empties the others only when agreed; Export
    // writes what rigmem load reads.
    void rigmemFilesThroughTheDialog()
    {
        TestEnvironment env;
        Timeline timeline;
        QTemporaryDir dir;
        const QString saved = dir.filePath("radio.csv");
        QFile file(saved);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,\n"
                   "0,14200000,USB,0,,off,0,\n"
                   "45,7030000,CW,0,,off,0,\n"
                   "46,7030000,CWR,0,,off,0,\n"
                   "99,50000000,AM,0,,off,0,\n");
        file.close();
        ScriptedDialog dialog;
        Form1 form(m_port.lend());
        form.freqBox(46)->setText("1111111");
        form.modeBox(46)->setText("fm");
        form.freqBox(60)->setText("2222222");
        form.modeBox(60)->setText("usb");

        dialog.answers = {saved};
        button(form, "ImportCsv")->click();
        QCOMPARE(sheetTexts(form, 0, 0), QStringList({"1420000", "USB"}));
        QCOMPARE(sheetTexts(form, 45, 46), QStringList({"0703000", "CW", "1111111", "fm"}));
        QCOMPARE(sheetTexts(form, 60, 60), QStringList({"2222222", "usb"}));
        QCOMPARE(sheetTexts(form, 99, 99), QStringList({"5000000", "AM"}));
        QStringList shown = messageTexts();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0], "Not everything in " + QDir::toNativeSeparators(saved) +
                               " fits the sheet:\n\nLine 4 (channel 46): the mode \"CWR\" has no "
                               "word in the sheet (it has LSB, USB, CW, FM, AM and FSK, which "
                               "rigmem calls RTTY); channel 46 of the sheet was not changed.");
        QVERIFY2(shown[1].contains("does not hold channel 60,"), qPrintable(shown[1]));
        QCOMPARE(dialog.requests[0].filter, QStringLiteral("rigmem CSV (*.csv)"));
        QCOMPARE(dialog.requests[0].defaultSuffix, QStringLiteral("csv"));

        const QString exported = dir.filePath("sheet.csv");
        dialog.answers = {exported};
        button(form, "ExportCsv")->click();
        QCOMPARE(fileBytes(exported), QByteArray("num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,\n"
                                                 "0,14200000,USB,0,,off,0,\n"
                                                 "45,7030000,CW,0,,off,0,\n"
                                                 "46,11111110,FM,0,,off,0,\n"
                                                 "60,22222220,USB,0,,off,0,\n"
                                                 "99,50000000,AM,0,,off,0,\n"));
        QCOMPARE(dialog.requests[1].purpose, MemoryFileDialogRequest::Purpose::Save);
        QCOMPARE(dialog.requests[1].fileName, saved); // the CSV name chosen last
        QCOMPARE(messageTexts(), QStringList());
        QCOMPARE(timeline.events(), QStringList());
    }

    void saveAndLoadThroughTheDialog()
    {
        TestEnvironment env;
        Timeline timeline;
        QTemporaryDir dir;
        const QString path = dir.filePath("sheet.mem");
        ScriptedDialog dialog;
        Form1 form(m_port.lend());
        form.freqBox(0)->setText("2840000");
        form.modeBox(0)->setText("usb");
        form.freqBox(5)->setText("14,200");
        form.modeBox(5)->setText("say \"cq\"");
        form.freqBox(9)->setText("0700000");
        form.modeBox(2)->setText("cw");
        writeToRadio(form);
        QCOMPARE(messageTexts().size(), 1); // channels 05 and 09 have no mode word
        timeline.clear();

        dialog.answers = {path};
        button(form, "Command4")->click();
        const QByteArray empty = "\"\",\"\"\r\n";
        QCOMPARE(fileBytes(path), "\"2840000\",\"usb\"\r\n" + empty + "\"\",\"cw\"\r\n" +
                                      empty.repeated(2) + "\"14,200\",\"say \"\"cq\"\"\"\r\n" +
                                      empty.repeated(3) + "\"0700000\",\"\"\r\n");

        const QStringList saved = sheetTexts(form, 0, 9);
        for (int channel = 0; channel < 10; ++channel) {
            form.freqBox(channel)->setText("typed");
            form.modeBox(channel)->setText("typed");
        }
        dialog.answers = {path};
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 9), saved);
        QCOMPARE(sheetTexts(form, 10, 99), QStringList(180, QString()));
        QCOMPARE(form.modeCode(2), QStringLiteral("3")); // loading leaves the mode digits alone
        QCOMPARE(timeline.events(), QStringList());      // and the radio
        QCOMPARE(messageTexts(), QStringList());

        QCOMPARE(dialog.requests.size(), 2);
        const MemoryFileDialogRequest& save = dialog.requests[0];
        QCOMPARE(save.purpose, MemoryFileDialogRequest::Purpose::Save);
        QCOMPARE(save.directory, QDir::currentPath());
        QCOMPARE(save.filter, QStringLiteral("Memories (*.mem);;Text (*.txt)"));
        QCOMPARE(save.defaultSuffix, QStringLiteral("mem"));
        QCOMPARE(save.fileName, QString());
        QCOMPARE(dialog.requests[1].purpose, MemoryFileDialogRequest::Purpose::Open);
        QCOMPARE(dialog.requests[1].fileName, path); // the name chosen last is offered again
    }

    void loadProblemsLeaveTheSheetAndSaySo()
    {
        TestEnvironment env;
        Timeline timeline;
        QTemporaryDir dir;
        ScriptedDialog dialog;
        Form1 form(m_port.lend());
        form.freqBox(0)->setText("2840000");
        form.modeBox(50)->setText("typed");
        const QStringList before = sheetTexts(form, 0, 99);

        // The dialog left without a file: nothing changes, nothing is said.
        dialog.answers = {QString()};
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 99), before);
        QCOMPARE(messageTexts(), QStringList());

        const QString missing = dir.filePath("nothere.mem");
        dialog.answers = {missing};
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 99), before);
        QStringList shown = messageTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QDir::toNativeSeparators(missing)));

        // Data that is not a memory file is refused whole: the sheet keeps what it held.
        const QString binary = dir.filePath("program.mem");
        QFile program(binary);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write(QByteArray("\x7f"
                                 "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0",
                                 20));
        program.close();
        dialog.answers = {binary};
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 99), before);
        shown = messageTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(QDir::toNativeSeparators(binary) +
                                     " cannot be a memory file: it holds control characters"),
                 qPrintable(shown[0]));

        // A short file loads what it has, empties the rest of 00 to 09 and says how
        // much it held; channel 50, which it does not hold, goes only when agreed.
        const QString shortFile = dir.filePath("short.txt");
        QFile file(shortFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1405000,cw\n2840000,usb\n0700000");
        file.close();
        dialog.answers = {shortFile};
        MessageBox::setNextAnswer(QMessageBox::Ok);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        button(form, "Command3")->click();
        QCOMPARE(sheetTexts(form, 0, 3),
                 QStringList({"1405000", "cw", "2840000", "usb", "0700000", "", "", ""}));
        QCOMPARE(sheetTexts(form, 50, 50), QStringList({"", ""}));
        shown = messageTexts();
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown[0].contains("only 3 of the 10 channels"), qPrintable(shown[0]));
        QVERIFY2(shown[1].contains("does not hold channel 50"), qPrintable(shown[1]));

        // A save that fails says so and is never taken for done.
        dialog.answers = {dir.filePath("no/such/folder/x.mem")};
        button(form, "Command4")->click();
        shown = messageTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains("could not be saved"));
        // Leaving the save dialog without a name writes nothing.
        dialog.answers = {QString()};
        button(form, "Command4")->click();
        QCOMPARE(messageTexts(), QStringList());
    }
};

QUILLARD_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
