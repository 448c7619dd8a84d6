// The exchange with Hamlib's rigmem, end to end: the memory window writes its
// sheet into the virtual radio, a real "rigmem save" reads the radio back into
// a CSV file that the window imports, and the window's export, put into a
// fresh virtual radio by a real "rigmem load", comes back out of "rigmem save"
// unchanged. Every comparison is channel by channel, over all hundred.
//
// Needs rigmem (Debian: libhamlib-utils) and the virtual radio of this build.

#include "clock/testclock.h"
#include "memory/form1.h"
#include "memory/memoryfiledialog.h"
#include "session/cues.h"
#include "uitest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
// A virtual radio on its own pseudo-terminal, linked where the window looks
// for Com 1, for as long as this lives.
class VirtualRadio {
public:
    static QString program()
    {
        return qEnvironmentVariable("QUILLARD_BINARY_DIR") +
               QStringLiteral("/tools/virtual-radio/quillard-virtual-radio");
    }

    explicit VirtualRadio(const QString& link)
    {
        m_process.start(program(), {QStringLiteral("--link"), link, QStringLiteral("--no-window")});
        QElapsedTimer waited;
        waited.start();
        while (!m_log.contains("READY") && waited.elapsed() < 10000 &&
               m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(200);
            m_log += m_process.readAllStandardOutput();
        }
    }
    ~VirtualRadio()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool ready() const { return m_log.contains("READY"); }
    // Waits until the radio has received this many memory writes of channels.
    bool waitForMemoryWrites(int count)
    {
        QElapsedTimer waited;
        waited.start();
        while (m_log.count(" MW0 ") < count && waited.elapsed() < 10000) {
            m_process.waitForReadyRead(200);
            m_log += m_process.readAllStandardOutput();
        }
        return m_log.count(" MW0 ") >= count;
    }
    QByteArray refused()
    {
        m_log += m_process.readAllStandardOutput();
        QByteArray lines;
        for (const QByteArray& line : m_log.split('\n'))
            if (line.contains(" ? "))
                lines += line + '\n';
        return lines;
    }

private:
    QProcess m_process;
    QByteArray m_log;
};

// rigmem for a TS-570S on the radio's link; its output when it fails. Hamlib
// rests 30 ms after every command it sends a TS-570, some 3.5 s for each
// hundred channels; the virtual radio needs no rest, and what goes over the
// line is the same without it.
QString rigmem(const QString& link, const QString& verb, const QString& file)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("rigmem"),
                  {"-m", "2016", "-r", link, "-s", "9600", "-C", "post_write_delay=0", verb, file});
    if (!process.waitForFinished(120000))
        process.kill();
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return QStringLiteral("rigmem %1 failed (%2): %3")
        .arg(verb)
        .arg(process.exitCode())
        .arg(QString::fromLocal8Bit(process.readAll()));
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList sheetTexts(const Form1& form)
{
    QStringList texts;
    for (int channel = 0; channel < Form1::Channels; ++channel)
        texts << QStringLiteral("%1 %2 %3")
                     .arg(channel, 2, 10, QLatin1Char('0'))
                     .arg(form.freqBox(channel)->text(), form.modeBox(channel)->text());
    return texts;
}

void click(Form1& form, const char* name)
{
    form.findChild<QPushButton*>(QString::fromLatin1(name))->click();
}
} // namespace

class TestRigmemExchange : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("rigmem")).isEmpty())
            QSKIP("rigmem is not installed (Debian: libhamlib-utils)");
        if (!QFileInfo::exists(VirtualRadio::program()))
            QSKIP("the virtual radio is not built (QUILLARD_VIRTUAL_RADIO=OFF)");
    }

    void sheetToRadioToRigmemAndBack()
    {
        TestEnvironment env;
        env.writeSettings("1\r\n9600\r\n");
        TestClock clock; // the write's pauses pass at once; the radio reads at its pace
        setCuePlayer([](const QString&) {});
        QTemporaryDir dir;
        QStringList answers;
        MemoryFileDialog::setScript(
            [&answers](const MemoryFileDialogRequest&) { return answers.takeFirst(); });
        const QString link = env.settingsDir() + QStringLiteral("/com1");

        // The sheet, written into the radio by the window itself.
        QStringList typed;
        {
            VirtualRadio radio(link);
            QVERIFY(radio.ready());
            {
                SparePort port;
                Form1 form(port.lend());
                const QList<std::array<const char*, 3>> channels = {
                    {"00", "1420000", "usb"}, {"09", "0703000", "cw"}, {"10", "0365000", "LSB"},
                    {"45", "0703000", "CW"},  {"46", "2960000", "fm"}, {"77", "1408000", "fsk"},
                    {"90", "5010000", "USB"}, {"99", "0500000", "am"}};
                for (const auto& [channel, frequency, mode] : channels) {
                    form.freqBox(QString::fromLatin1(channel).toInt())->setText(frequency);
                    form.modeBox(QString::fromLatin1(channel).toInt())->setText(mode);
                }
                typed = sheetTexts(form);
                click(form, "Command2");
                QVERIFY(clock.advanceUntil([&form] { return !form.writing(); }));
                QVERIFY(radio.waitForMemoryWrites(8));
                click(form, "Command1");
            }
            const QString saved = dir.filePath("radio.csv");
            const QString failed = rigmem(link, "save", saved);
            QVERIFY2(failed.isEmpty(), qPrintable(failed));
            QCOMPARE(fileBytes(saved),
                     QByteArray("num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,\n"
                                "0,14200000,USB,0,,off,0,\n"
                                "9,7030000,CW,0,,off,0,\n"
                                "10,3650000,LSB,0,,off,0,\n"
                                "45,7030000,CW,0,,off,0,\n"
                                "46,29600000,FM,0,,off,0,\n"
                                "77,14080000,RTTY,0,,off,0,\n"
                                "90,50100000,USB,0,,off,0,\n"
                                "99,5000000,AM,0,,off,0,\n"));
            QCOMPARE(radio.refused(), QByteArray());

            // What rigmem saved from the radio, imported into a fresh sheet,
            // is the sheet that was written, channel by channel.
            SparePort port;
            Form1 form(port.lend());
            answers = {saved};
            click(form, "ImportCsv");
            QStringList expected = typed;
            for (QString& text : expected)
                text = text.toUpper();
            QCOMPARE(sheetTexts(form), expected);
            QCOMPARE(MessageBox::takeShown().size(), 0);
            click(form, "Command1");
        }

        // A sheet exported, loaded into a fresh radio by rigmem and saved back
        // by rigmem, comes back as it went, channel by channel.
        VirtualRadio fresh(link);
        QVERIFY(fresh.ready());
        const QString exported = dir.filePath("sheet.csv");
        QStringList sheet;
        {
            SparePort port;
            Form1 form(port.lend());
            for (int channel = 0; channel < Form1::Channels; ++channel) {
                // Every channel, 0.5 to 50.49 MHz, all six modes.
                form.freqBox(channel)->setText(QStringLiteral("%1").arg(
                    50000 + channel * 500001 % 4999000, 7, 10, QLatin1Char('0')));
                form.modeBox(channel)->setText(
                    QStringList{"lsb", "usb", "cw", "fm", "am", "fsk"}[channel % 6]);
            }
            sheet = sheetTexts(form);
            answers = {exported};
            click(form, "ExportCsv");
            QCOMPARE(MessageBox::takeShown().size(), 0);
            click(form, "Command1");
        }
        QString failed = rigmem(link, "load", exported);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        const QString back = dir.filePath("back.csv");
        failed = rigmem(link, "save", back);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QCOMPARE(fileBytes(back), fileBytes(exported));
        QCOMPARE(fresh.refused(), QByteArray());

        SparePort port;
        Form1 form(port.lend());
        answers = {back};
        click(form, "ImportCsv");
        QStringList expected = sheet;
        for (QString& text : expected)
            text = text.toUpper();
        QCOMPARE(sheetTexts(form), expected);
        QCOMPARE(MessageBox::takeShown().size(), 0);
        click(form, "Command1");
        MemoryFileDialog::setScript({});
        setCuePlayer({});
    }
};

QUILLARD_TEST_MAIN(TestRigmemExchange)
#include "tst_rigmemexchange.moc"
