// Cue playback heard through ALSA: the test gives ALSA a configuration of its
// own (ALSA_CONFIG_PATH) whose "default" device is the file plugin, so what
// Quillard played can be read back from a file. A JACK dummy server behind it,
// when jackd is installed, keeps real time to show that playback blocks.

#include "pipewatch.h"
#include "session/cues.h"
#include "uitest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>

namespace {
QByteArray toneSamples(int frames)
{
    QByteArray samples;
    for (int i = 0; i < frames; ++i) {
        const qint16 value = static_cast<qint16>(8000 * std::sin(i * 0.125));
        samples.append(reinterpret_cast<const char*>(&value), 2); // little-endian host
    }
    return samples;
}

QByteArray wavFile(const QByteArray& samples, int rate)
{
    auto u32 = [](quint32 v) {
        v = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [](quint16 v) {
        v = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char*>(&v), 2);
    };
    return "RIFF" + u32(36 + samples.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
           u32(rate * 2) + u16(2) + u16(16) + "data" + u32(samples.size()) + samples;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
} // namespace

class TestPlayCue : public QObject {
    Q_OBJECT

    QTemporaryDir m_alsa;
    QTemporaryDir m_data; // the XDG data folders: no installed cues unless a test puts some
    QString m_output;
    int m_configs = 0;

    static QString jackPlugin()
    {
        return qEnvironmentVariable("QUILLARD_ALSA_PLUGINS") +
               QStringLiteral("/libasound_module_pcm_jack.so");
    }

    // ALSA reads its configuration again when the list of files changes, so
    // each configuration goes into a file of its own.
    void useConfiguration(const QByteArray& config)
    {
        const QString path = m_alsa.filePath(QStringLiteral("asound-%1.conf").arg(++m_configs));
        writeFile(path, config);
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(path));
    }

    void useDefaultDevice(const QByteArray& slave)
    {
        QFile::remove(m_output);
        useConfiguration("pcm_type.jack { lib \"" + QFile::encodeName(jackPlugin()) +
                         "\" }\n"
                         "pcm.!default { type file slave.pcm " +
                         slave + " file \"" + QFile::encodeName(m_output) +
                         "\" format \"raw\" }\n");
    }

    QByteArray played() const
    {
        QFile file(m_output);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // About a quarter of a second of sound, not silence.
    void verifyAlertPlayed() const
    {
        const QByteArray out = played();
        QVERIFY2(out.size() >= 22050 / 5 * 2, qPrintable(QString::number(out.size())));
        QVERIFY(out.count('\0') < out.size() / 2);
    }

private slots:
    void initTestCase()
    {
        m_output = m_alsa.filePath("played.raw");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.filePath("home")));
        qputenv("XDG_DATA_DIRS",
                QFile::encodeName(m_data.filePath("local") + ":" + m_data.filePath("system")));
    }

    // The operator's recording first, then the shipped cue of the first data
    // folder that has it, then the source tree of a build-tree program.
    void cuesAreLookedUpOwnThenShippedThenSources()
    {
        TestEnvironment env;
        QTemporaryDir sources;
        const QString own = env.settingsDir() + "/vfob.wav";
        const QString local = m_data.filePath("local/quillard/cues/vfob.wav");
        const QString system = m_data.filePath("system/quillard/cues/vfob.wav");
        const QString inSources = sources.filePath("vfob.wav");
        for (const QString& path : {local, system})
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        setBuildTreeCueFolder(sources.path());

        QCOMPARE(cueFile("vfob.wav"), own); // nowhere: the alert plays for it
        writeFile(inSources, "x");
        QCOMPARE(cueFile("vfob.wav"), inSources);
        writeFile(system, "x");
        QCOMPARE(cueFile("vfob.wav"), system);
        writeFile(local, "x");
        QCOMPARE(cueFile("vfob.wav"), local);
        writeFile(own, "x");
        QCOMPARE(cueFile("vfob.wav"), own);
        // Even a link to nothing is the operator's: it is not passed over.
        QFile::remove(own);
        QVERIFY(QFile::link(env.settingsDir() + "/gone.wav", own));
        QCOMPARE(cueFile("vfob.wav"), own);
        setBuildTreeCueFolder({});
        for (const QString& path : {local, system})
            QFile::remove(path);
    }

    void shippedCuePlaysWhenTheOperatorHasNone()
    {
        TestEnvironment env;
        useDefaultDevice("{ type null }");
        const QByteArray samples = toneSamples(2205);
        const QString shipped = m_data.filePath("system/quillard/cues/mem.wav");
        QVERIFY(QDir().mkpath(QFileInfo(shipped).absolutePath()));
        writeFile(shipped, wavFile(samples, 22050));
        PlayCue("mem.wav");
        QCOMPARE(played().left(samples.size()), samples);
        QFile::remove(shipped);
    }

    // Quillard ships assets/cues: every cue the program asks for must be
    // there, under its exact name.
    void everyCueHasItsSound()
    {
        const QDir cues(qEnvironmentVariable("QUILLARD_ASSETS") + "/cues");
        QStringList expected;
        for (const char* name : Cue::All)
            expected << QString::fromLatin1(name);
        expected.sort();
        QCOMPARE(cues.entryList({"*.wav"}, QDir::Files, QDir::Name), expected);
    }

    void playsTheNamedFileAndOnlyThat()
    {
        TestEnvironment env;
        useDefaultDevice("{ type null }");
        const QByteArray samples = toneSamples(4410);
        writeFile(env.settingsDir() + "/20m.wav", wavFile(samples, 22050));
        PlayCue("20m.wav");
        const QByteArray out = played();
        QVERIFY(out.size() >= samples.size());
        QCOMPARE(out.left(samples.size()), samples);
        // What follows is only the device's padding of its last period.
        QVERIFY(out.mid(samples.size()).count('\0') == out.size() - samples.size());
    }

    void missingOrBrokenFilePlaysTheAlert_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a sound") << QByteArray("this is not a wave file");
    }

    void missingOrBrokenFilePlaysTheAlert()
    {
        QFETCH(QByteArray, content);
        TestEnvironment env;
        useDefaultDevice("{ type null }");
        if (!content.isEmpty())
            writeFile(env.settingsDir() + "/ant1.wav", content);
        PlayCue("ant1.wav");
        verifyAlertPlayed();
    }

    // A cue that is a named pipe would hold the opening until some other
    // program writes into it, freezing every window: it plays the alert
    // without being opened.
    void namedPipeCuePlaysTheAlertWithoutWaiting()
    {
        TestEnvironment env;
        useDefaultDevice("{ type null }");
        PipeWatch pipe(env.settingsDir() + "/20m.wav");
        PlayCue("20m.wav");
        QVERIFY2(!pipe.readerWaited(), "playing the cue waited in the opening of a named pipe");
        verifyAlertPlayed();
    }

    // The sound libraries are in memory only while a cue plays.
    void soundLibrariesGoWhenTheCueHasPlayed()
    {
        TestEnvironment env;
        useDefaultDevice("{ type null }");
        writeFile(env.settingsDir() + "/tickles.wav", wavFile(toneSamples(441), 22050));
        const auto mapped = [] {
            QFile maps("/proc/self/maps");
            if (!maps.open(QIODevice::ReadOnly))
                return QStringList{"<no /proc/self/maps>"};
            QStringList found;
            const QByteArray all = maps.readAll();
            for (const char* library : {"libsndfile.so", "libasound.so"}) {
                if (all.contains(library))
                    found << QString::fromLatin1(library);
            }
            return found;
        };
        QCOMPARE(mapped(), QStringList());
        PlayCue("tickles.wav");
        QVERIFY(!played().isEmpty());
        QCOMPARE(mapped(), QStringList());
    }

    void noAudioDeviceMeansSilenceAtOnce()
    {
        TestEnvironment env;
        useConfiguration("pcm.!default { type hw card 31 }\n");
        writeFile(env.settingsDir() + "/pon.wav", wavFile(toneSamples(22050), 22050));
        QElapsedTimer clock;
        clock.start();
        PlayCue("pon.wav");
        PlayCue("missing.wav");
        // Playing would take the second of the sound and the alert after it.
        QVERIFY(clock.elapsed() < 1000);
    }

    void blocksForTheLengthOfTheSound()
    {
        const QString jackd = QStandardPaths::findExecutable("jackd");
        if (jackd.isEmpty() || !QFile::exists(jackPlugin()))
            QSKIP("jackd and the ALSA jack plugin are needed to keep real time");
        // Quillard lets go of ALSA and its plugins after each cue. The JACK
        // client library keeps a few bytes for the life of any process that
        // loads it; kept loaded here, as in a program that uses JACK itself,
        // they stay in reach instead of showing as leaks of an unloaded library.
        QLibrary jackClient(QStringLiteral("libjack.so.0"));
        jackClient.load();
        const QByteArray server =
            "quillard-test-" + QByteArray::number(QCoreApplication::applicationPid());
        qputenv("JACK_DEFAULT_SERVER", server);
        QProcess jack;
        jack.start(jackd,
                   {"--no-realtime", "-n", server, "-d", "dummy", "-r", "22050", "-p", "512"});
        QVERIFY(jack.waitForStarted());
        QTest::qWait(1500);
        if (jack.state() != QProcess::Running)
            QSKIP("the JACK dummy server did not start");

        TestEnvironment env;
        useDefaultDevice(
            "{ type plug slave.pcm { type jack playback_ports { 0 system:playback_1 } } }");
        const QByteArray samples = toneSamples(11025); // half a second
        writeFile(env.settingsDir() + "/reset.wav", wavFile(samples, 22050));
        QElapsedTimer clock;
        clock.start();
        PlayCue("reset.wav");
        const qint64 ms = clock.elapsed();
        jack.terminate();
        jack.waitForFinished(3000);
        // Real time on purpose: the half second of sound, not a drop faster.
        QVERIFY2(ms >= 450 && ms < 2500, qPrintable(QString::number(ms)));
        QCOMPARE(played().left(samples.size()), samples);
    }
};

QUILLARD_TEST_MAIN(TestPlayCue)
#include "tst_playcue.moc"
