// The front panel as an operator reads it: what each command leaves on its
// labels, found by name.

#include "../app/frontpanel.h"
#include "../pty/radiosession.h"
#include "../pty/virtualport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace vradio;

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void offsetsAndSplit();
    void levelsAsLastSet();
    void textBeingKeyed();

private:
    QString text(const QString& name) const;
    void send(QByteArrayView commands);

    QElapsedTimer m_clock;
    VirtualPort* m_port = nullptr;
    RadioSession* m_session = nullptr;
    FrontPanel* m_panel = nullptr;
    int m_client = -1;
};

void TestPanel::init()
{
    m_clock.start();
    m_port = new VirtualPort;
    QString error;
    QVERIFY2(m_port->open(&error), qPrintable(error));
    m_session = new RadioSession(m_port, m_clock, nullptr);
    m_panel = new FrontPanel(m_session, QStringLiteral("com1"));
    m_client = ::open(QFile::encodeName(m_port->slavePath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(m_client >= 0);
}

void TestPanel::cleanup()
{
    if (m_client >= 0)
        ::close(m_client);
    delete m_panel;
    delete m_session;
    delete m_port;
}

QString TestPanel::text(const QString& name) const
{
    const auto* label = m_panel->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

void TestPanel::send(QByteArrayView commands)
{
    QCOMPARE(::write(m_client, commands.data(), size_t(commands.size())), commands.size());
}

void TestPanel::offsetsAndSplit()
{
    send("FR0;\rFT1;\rRT1;\rRU;\rRU;\r");
    QTRY_COMPARE(text(QStringLiteral("indicator RIT")), QStringLiteral("RIT +20"));
    QVERIFY(m_panel->findChild<QLabel*>(QStringLiteral("indicator SPLIT"))
                ->styleSheet()
                .contains(QStringLiteral("background")));
    send("XT1;\rRD;\rRD;\rRD;\r");
    QTRY_COMPARE(text(QStringLiteral("indicator XIT")), QStringLiteral("XIT -10"));
    QCOMPARE(text(QStringLiteral("indicator RIT")), QStringLiteral("RIT -10"));
    send("FR0;\r");
    QTRY_VERIFY(!m_panel->findChild<QLabel*>(QStringLiteral("indicator SPLIT"))
                     ->styleSheet()
                     .contains(QStringLiteral("background")));
}

void TestPanel::levelsAsLastSet()
{
    send("PC050;\rAG128;\rRG200;\rMG050;\rKS015;\rSQ050;\rIS-0300;\rMD3;\rFW0450;\r");
    QTRY_COMPARE(text(QStringLiteral("level WIDTH")), QStringLiteral("WIDTH 400 Hz"));
    QCOMPARE(text(QStringLiteral("level PWR")), QStringLiteral("PWR 50 W"));
    QCOMPARE(text(QStringLiteral("level AF")), QStringLiteral("AF 128"));
    QCOMPARE(text(QStringLiteral("level RF")), QStringLiteral("RF 200"));
    QCOMPARE(text(QStringLiteral("level SQL")), QStringLiteral("SQL 50"));
    QCOMPARE(text(QStringLiteral("level MIC")), QStringLiteral("MIC 50"));
    QCOMPARE(text(QStringLiteral("level SHIFT")), QStringLiteral("SHIFT -300 Hz"));
    QCOMPARE(text(QStringLiteral("level KEY")), QStringLiteral("KEY 15 wpm"));

    // A refused value leaves the last one; AM caps the carrier; SSB's filter
    // is narrow or wide.
    send("PC004;\rMD5;\r");
    QTRY_COMPARE(text(QStringLiteral("level PWR")), QStringLiteral("PWR 50 W (AM 25)"));
    send("MD2;\rFW0000;\r");
    QTRY_COMPARE(text(QStringLiteral("level WIDTH")), QStringLiteral("WIDTH NARROW"));
    send("PS0;\r");
    QTRY_COMPARE(text(QStringLiteral("level PWR")), QString());
}

void TestPanel::textBeingKeyed()
{
    QCOMPARE(text(QStringLiteral("keying")), QStringLiteral("KY  -"));
    // At 10 wpm "TEST" takes 2.88 s: it shortens as it goes out.
    send("KS010;\rMD3;\rKY TEST                    ;\r");
    QTRY_COMPARE(text(QStringLiteral("keying")), QStringLiteral("KY  TEST"));
    const QStringList underway{QStringLiteral("KY  EST"), QStringLiteral("KY  ST"),
                               QStringLiteral("KY  T")};
    QTRY_VERIFY2(underway.contains(text(QStringLiteral("keying"))),
                 qPrintable(text(QStringLiteral("keying"))));
    QTRY_COMPARE(text(QStringLiteral("keying")), QStringLiteral("KY  -"));
    send("MD2;\rKY E                       ;\r");
    QTRY_COMPARE(text(QStringLiteral("keying")), QStringLiteral("KY  E   (not CW)"));
}

QTEST_MAIN(TestPanel)
#include "tst_vradio_panel.moc"
