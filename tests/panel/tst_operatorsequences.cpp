// The operator's start and exit sequences around the main window's link, over
// a real pseudo-terminal: none by default; the start sequence once, at the
// link's first opening and before anything else; the exit sequence once,
// before the window lets the port go; one edited by hand into a fault sends
// nothing and is reported.

#include "panelfixture.h"
#include "station/operatorsetup.h"
#include "timeline.h"
#include "uitest.h"

#include <QSettings>

class TestOperatorSequences : public QObject {
    Q_OBJECT

private slots:
    void nothingByDefault()
    {
        TestEnvironment env;
        Timeline timeline;
        {
            ShownPanel panel;
            panel.click(QStringLiteral("m20"));
            panel.window().close();
        }
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
    }

    void sequencesAtFirstOpeningAndAtTheEnd()
    {
        TestEnvironment env;
        Timeline timeline;
        saveOperatorSetup({{}, QStringLiteral("PC010;MD3;"), QStringLiteral("PC100;")});
        {
            ShownPanel panel;
            QCOMPARE(timeline.events(), QStringList({"PC010;", "MD3;"}));
            // Sent before anything else, but not kept as sent: the link may
            // have opened for a command whose state is already kept.
            QVERIFY(!panel.state().mode);

            // Lent to another window and opened again: not sent again.
            {
                PortLease lease = panel.window().port().lend();
            }
            panel.window().Form_Activate();
            QVERIFY(panel.window().link().isOpen());
            panel.click(QStringLiteral("m20"));
            panel.window().close();
            QCOMPARE(timeline.events(), QStringList({"PC010;", "MD3;", "FR0;", "FA00014000000;",
                                                     "cue:20m.wav", "PC100;"}));
            QVERIFY(!panel.window().link().isOpen());
            // Closed twice (the end request after File > Exit): once only.
            panel.window().close();
        }
        QCOMPARE(timeline.events().count(QStringLiteral("PC100;")), 1);
    }

    // A sequence edited by hand into a query sends nothing, neither at start
    // nor at the end, and the operator is told where to mend it.
    void faultySequencesAreReported()
    {
        TestEnvironment env;
        Timeline timeline;
        {
            QSettings settings(env.settingsDir() + QStringLiteral("/quillard.conf"),
                               QSettings::IniFormat);
            settings.setValue(QStringLiteral("OperatorButtons/start"), QStringLiteral("FA;"));
            settings.setValue(QStringLiteral("OperatorButtons/exit"), QStringLiteral("pc100;"));
        }
        {
            ShownPanel panel;
            const QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.contains(QStringLiteral("The start sequence in ")) &&
                         shown[0].text.contains(QStringLiteral("\"FA;\" asks the radio")) &&
                         shown[0].text.contains(QStringLiteral("The exit sequence in ")) &&
                         shown[0].text.contains(QStringLiteral("\"pc100;\" is in lower case")),
                     qPrintable(shown[0].text));
            panel.window().close();
        }
        QCOMPARE(timeline.events(), QStringList());
    }
};

QUILLARD_TEST_MAIN(TestOperatorSequences)
#include "tst_operatorsequences.moc"
