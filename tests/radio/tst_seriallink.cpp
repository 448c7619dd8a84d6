#include "radio/seriallink.h"

#include "app/cues.h"
#include "timeline.h"
#include "uitest.h"

#include <QSignalSpy>

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void commandsArriveByteExactBeforeTheCue()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QVERIFY(link.openLink(readSettingsFile().settings));
        QVERIFY(link.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        QVERIFY(link.sendCommand(CatCommand::frequency(Vfo::A, 14000000)));
        PlayCue(QStringLiteral("20m.wav"));
        QCOMPARE(timeline.events(),
                 QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
        QCOMPARE(timeline.rawBytes(), QByteArray("FR0;\rFA00014000000;\r"));
    }
};

QUILLARD_TEST_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
