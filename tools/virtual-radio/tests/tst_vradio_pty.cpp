// Runs the built program and talks to it the way Quillard does: through the
// link, over a real pseudo-terminal.

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int Timeout = 5000;

// The program under test, with its stdout read line by line.
class Radio {
public:
    explicit Radio(const QStringList& arguments,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral(VRADIO_BINARY), arguments);
    }

    ~Radio()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(Timeout);
        }
    }

    QProcess& process() { return m_process; }

    QByteArray readLine()
    {
        QDeadlineTimer deadline(Timeout);
        while (!m_buffer.contains('\n')) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return {};
            m_process.waitForReadyRead(int(deadline.remainingTime()));
            m_buffer += m_process.readAllStandardOutput();
        }
        const qsizetype end = m_buffer.indexOf('\n');
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        return line;
    }

    // CPU seconds (user + system) the process has used so far.
    double cpuSeconds() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(m_process.processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray text = stat.readAll();
        // Fields after the command name, which is in parentheses: state is
        // field 3, utime 14 and stime 15.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13)
            return -1;
        return double(fields[11].toLongLong() + fields[12].toLongLong()) / sysconf(_SC_CLK_TCK);
    }

    bool stop(int signalNumber)
    {
        ::kill(pid_t(m_process.processId()), signalNumber);
        return m_process.waitForFinished(Timeout);
    }

private:
    QProcess m_process;
    QByteArray m_buffer;
};

int openClient(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return fd;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

bool send(int fd, QByteArrayView bytes)
{
    return ::write(fd, bytes.data(), size_t(bytes.size())) == bytes.size();
}

// Reads from the client until `want` bytes came or the time is up.
QByteArray receive(int fd, qsizetype want)
{
    QByteArray got;
    QDeadlineTimer deadline(Timeout);
    while (got.size() < want && !deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    return got;
}

QString symlinkTarget(const QString& path)
{
    return QFileInfo(path).symLinkTarget();
}

bool pathTaken(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

const QRegularExpression readyLine(QStringLiteral("^READY (/dev/pts/\\d+) (.+)$"));
const QRegularExpression rxLine(
    QStringLiteral("^RX \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z \\d+\\.\\d{3} (.*)$"));
const QRegularExpression overflowLine(QStringLiteral(
    "^OVERFLOW \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z \\d+\\.\\d{3} (.*)$"));
const QRegularExpression cwLine(QStringLiteral(
    "^CW \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z (\\d+\\.\\d{3}) (.*)$"));
const QRegularExpression ansLine(
    QStringLiteral("^ANS \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z \\d+\\.\\d{3} (.*)$"));

QString rxText(const QByteArray& line)
{
    const auto match = rxLine.match(QString::fromLatin1(line));
    return match.hasMatch() ? match.captured(1) : QStringLiteral("<no RX line: %1>").arg(line);
}

} // namespace

class TestPty : public QObject {
    Q_OBJECT
private slots:
    void clientSessions();
    void answersAndReportsOnTheLine();
    void replyDelay();
    void keyerRunsInRealTime();
    void takenLinkIsLeftAlone_data();
    void takenLinkIsLeftAlone();
    void staleLinkIsReplaced();
    void defaultLinkUnderConfigHome();
    void commandLine();
};

void TestPty::clientSessions()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("com1"));
    Radio radio({QStringLiteral("--no-window"), QStringLiteral("--link"), link});

    const auto ready = readyLine.match(QString::fromLocal8Bit(radio.readLine()));
    QVERIFY(ready.hasMatch());
    QCOMPARE(ready.captured(2), QFileInfo(link).absoluteFilePath());
    QCOMPARE(symlinkTarget(link), ready.captured(1));

    int client = openClient(link);
    QVERIFY(client >= 0);
    QVERIFY(send(client, "FA00007000000;\r"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("FA00007000000;"));

    QVERIFY(send(client, "ZZ;\r"));
    QCOMPARE(receive(client, 2), QByteArray("?;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("? ZZ;"));
    QCOMPARE(ansLine.match(QString::fromLatin1(radio.readLine())).captured(1),
             QStringLiteral("?;"));

    // The blank of the memory commands arrives as sent, and a command split
    // over two writes is still one command.
    QVERIFY(send(client, "MW0 070002748500020001 ;\rMC"));
    QTest::qWait(50);
    QVERIFY(send(client, " 07;\r"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("MW0 070002748500020001 ;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("MC 07;"));
    ::close(client);

    // Nobody has the port open now: the radio must sit idle, not spin.
    const double before = radio.cpuSeconds();
    QTest::qWait(1000);
    const double used = radio.cpuSeconds() - before;
    QVERIFY(before >= 0);
    QVERIFY2(used < 0.2, qPrintable(QStringLiteral("%1 s CPU in 1 s idle").arg(used)));

    // A new session finds the radio as the last one left it.
    client = openClient(link);
    QVERIFY(client >= 0);
    QVERIFY(send(client, "FA;\r"));
    QCOMPARE(receive(client, 14), QByteArray("FA00007000000;"));
    QVERIFY(send(client, "MC;\r"));
    QCOMPARE(receive(client, 6), QByteArray("MC 07;"));
    ::close(client);

    QVERIFY(radio.stop(SIGTERM));
    QCOMPARE(radio.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(radio.process().exitCode(), 0);
    QVERIFY(!pathTaken(link));
}

void TestPty::answersAndReportsOnTheLine()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    Radio radio({QStringLiteral("--no-window"), QStringLiteral("--link"), link,
                 QStringLiteral("--model"), QStringLiteral("D")});
    QVERIFY(readyLine.match(QString::fromLocal8Bit(radio.readLine())).hasMatch());
    const int client = openClient(link);
    QVERIFY(client >= 0);

    // Several commands in one write, lower case, a read among sets.
    QVERIFY(send(client, "id;fa00007074000;IF;\r"));
    QCOMPARE(receive(client, 6 + 38), QByteArray("ID017;IF00007074000     +00000000002000001 ;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("id;"));
    QCOMPARE(ansLine.match(QString::fromLatin1(radio.readLine())).captured(1),
             QStringLiteral("ID017;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("fa00007074000;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("IF;"));
    radio.readLine();

    // With auto-information on, a change comes back unasked and is logged
    // as an answer.
    QVERIFY(send(client, "AI1;\rNB1;\r"));
    QCOMPARE(receive(client, 4), QByteArray("NB1;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("AI1;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("NB1;"));
    QCOMPARE(ansLine.match(QString::fromLatin1(radio.readLine())).captured(1),
             QStringLiteral("NB1;"));
    ::close(client);
}

void TestPty::replyDelay()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    Radio radio({QStringLiteral("--no-window"), QStringLiteral("--link"), link,
                 QStringLiteral("--reply-delay"), QStringLiteral("400")});
    QVERIFY(readyLine.match(QString::fromLocal8Bit(radio.readLine())).hasMatch());
    const int client = openClient(link);
    QVERIFY(client >= 0);

    QElapsedTimer timer;
    timer.start();
    QVERIFY(send(client, "FA;PS;\r"));
    // The commands are taken (and logged) at once; only the answers wait, in
    // order.
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("FA;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("PS;"));
    QCOMPARE(receive(client, 18), QByteArray("FA00014000000;PS1;"));
    QVERIFY2(timer.elapsed() >= 400, qPrintable(QString::number(timer.elapsed())));
    ::close(client);
}

void TestPty::keyerRunsInRealTime()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    Radio radio({QStringLiteral("--no-window"), QStringLiteral("--link"), link});
    QVERIFY(readyLine.match(QString::fromLocal8Bit(radio.readLine())).hasMatch());
    const int client = openClient(link);
    QVERIFY(client >= 0);

    // At 60 wpm a dot is 20 ms: "EE" is 8 units (160 ms), "T" 6 (120 ms).
    QVERIFY(send(client, "KS060;\r"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("KS060;"));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(send(client, "KY EE                      ;\rKY T                       ;\r"
                         "KY T                       ;\r"));
    const QByteArray first = radio.readLine();
    const double sent = first.split(' ').value(2).toDouble(); // RX <utc> <ms> ...
    QCOMPARE(rxText(first), QStringLiteral("KY EE                      ;"));
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("KY T                       ;"));
    // The third text finds two in the buffer: refused, loudly.
    QCOMPARE(rxText(radio.readLine()), QStringLiteral("? KY T                       ;"));
    QCOMPARE(overflowLine.match(QString::fromLatin1(radio.readLine())).captured(1),
             QStringLiteral("KY buffer full, 3 characters waiting; refused: T"));
    QCOMPARE(ansLine.match(QString::fromLatin1(radio.readLine())).captured(1),
             QStringLiteral("?;"));
    QCOMPARE(receive(client, 2), QByteArray("?;"));

    // The run is logged once keyed, stamped with its last character's end.
    const auto keyed = cwLine.match(QString::fromLatin1(radio.readLine()));
    QVERIFY(keyed.hasMatch());
    QVERIFY2(timer.elapsed() >= 270, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(keyed.captured(2), QStringLiteral("EET"));
    QCOMPARE(qRound((keyed.captured(1).toDouble() - sent) * 1000), 280'000);

    QVERIFY(send(client, "KY;\r"));
    QCOMPARE(receive(client, 4), QByteArray("KY0;"));
    ::close(client);
}

void TestPty::takenLinkIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("regular file") << QStringLiteral("file");
    QTest::newRow("link to a device") << QStringLiteral("device");
    QTest::newRow("link to a live pseudo-terminal") << QStringLiteral("live");
    QTest::newRow("dangling link outside /dev/pts") << QStringLiteral("dangling");
}

void TestPty::takenLinkIsLeftAlone()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));

    int master = -1;
    QString target;
    if (kind == u"file") {
        QFile file(link);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("settings");
    } else {
        if (kind == u"device") {
            target = QStringLiteral("/dev/null");
        } else if (kind == u"live") {
            master = posix_openpt(O_RDWR | O_NOCTTY);
            QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
            target = QString::fromLocal8Bit(ptsname(master));
        } else {
            target = dir.filePath(QStringLiteral("gone"));
        }
        QVERIFY(QFile::link(target, link));
    }

    Radio radio({QStringLiteral("--no-window"), QStringLiteral("--link"), link});
    QVERIFY(radio.process().waitForFinished(Timeout));
    if (master >= 0)
        ::close(master);
    QCOMPARE(radio.process().exitCode(), 2);
    QVERIFY(radio.process().readAllStandardOutput().isEmpty());
    QVERIFY(radio.process().readAllStandardError().contains(QFile::encodeName(link)));
    if (kind == u"file") {
        QFile file(link);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("settings"));
    } else {
        QCOMPARE(symlinkTarget(link), target);
    }
}

void TestPty::staleLinkIsReplaced()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    QVERIFY(QFile::link(QStringLiteral("/dev/pts/987654"), link));

    Radio radio({QStringLiteral("--headless"), QStringLiteral("--link"), link});
    const auto ready = readyLine.match(QString::fromLocal8Bit(radio.readLine()));
    QVERIFY(ready.hasMatch());
    QCOMPARE(symlinkTarget(link), ready.captured(1));

    QVERIFY(radio.stop(SIGINT));
    QCOMPARE(radio.process().exitCode(), 0);
    QVERIFY(!pathTaken(link));
}

void TestPty::defaultLinkUnderConfigHome()
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);

    Radio radio({QStringLiteral("--no-window"), QStringLiteral("--port"), QStringLiteral("3")},
                env);
    const auto ready = readyLine.match(QString::fromLocal8Bit(radio.readLine()));
    QVERIFY(ready.hasMatch());
    const QString expected = config + QStringLiteral("/quillard/com3");
    QCOMPARE(ready.captured(2), expected);
    QCOMPARE(symlinkTarget(expected), ready.captured(1));

    QVERIFY(radio.stop(SIGTERM));
    QVERIFY(!pathTaken(expected));
    // The settings directory is Quillard's too: only the link goes.
    QVERIFY(QFileInfo(config + QStringLiteral("/quillard")).isDir());
}

void TestPty::commandLine()
{
    Radio help({QStringLiteral("--help")});
    QVERIFY(help.process().waitForFinished(Timeout));
    QCOMPARE(help.process().exitCode(), 0);
    const QByteArray text = help.process().readAllStandardOutput();
    QVERIFY(text.contains("--port") && text.contains("--link") && text.contains("--no-window"));

    Radio wrong({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--no-window")});
    QVERIFY(wrong.process().waitForFinished(Timeout));
    QCOMPARE(wrong.process().exitCode(), 1);
    QVERIFY(!wrong.process().readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestPty)
#include "tst_vradio_pty.moc"
