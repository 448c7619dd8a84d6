// The About box: its texts, the keys that close it, and the system
// information launcher with and without a tool to start.
#include "about/frmabout.h"
#include "projectversion.h"
#include "uitest.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
QString labelText(const QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

// Points PATH at one folder for the lifetime of the object.
class PathOverride {
public:
    explicit PathOverride(const QString& folder) : m_old(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(folder));
    }
    ~PathOverride() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};
} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void showsTitleVersionAndDescription()
    {
        TestEnvironment env;
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Quillard"));
        QCOMPARE(labelText(about, "lblTitle"), QStringLiteral("Quillard"));
        QCOMPARE(labelText(about, "lblVersion"), QStringLiteral("Version ") + projectVersion());
        QCOMPARE(labelText(about, "lblDescription"),
                 QStringLiteral("Radio Control Program for the Kenwood TS-570 and Other Models."));
        QCOMPARE(labelText(about, "Label1"), QStringLiteral("WebSite:"));
        QCOMPARE(labelText(about, "Label3"), QStringLiteral("Email:"));
        QVERIFY(!labelText(about, "cmdGoto").isEmpty());
        QVERIFY(!labelText(about, "cmdGoto2").isEmpty());
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().isNull());
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("&System Info..."));
        QCOMPARE(about.size(), QSize(401, 350));
        QVERIFY(
            !(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void enterAndEscCloseIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void enterAndEscCloseIt()
    {
        QFETCH(int, key);
        TestEnvironment env;
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(&about, Qt::Key(key));
        QVERIFY(!about.isVisible());
    }

    void linksDoNothing()
    {
        TestEnvironment env;
        frmAbout about;
        about.show();
        QTest::mouseClick(about.findChild<QWidget*>(QStringLiteral("cmdGoto")), Qt::LeftButton);
        QTest::mouseClick(about.findChild<QWidget*>(QStringLiteral("cmdGoto2")), Qt::LeftButton);
        QVERIFY(about.isVisible());
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void withoutAToolItSaysSoAndStaysOpen()
    {
        TestEnvironment env;
        QTemporaryDir empty;
        PathOverride path(empty.path());
        frmAbout about;
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                          Qt::LeftButton);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(shown[0].title, QStringLiteral("Quillard"));
        QCOMPARE(shown[0].icon, QMessageBox::NoIcon);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(about.isVisible());
    }

    void startsTheFirstToolFoundWithoutWaiting()
    {
        TestEnvironment env;
        QTemporaryDir tools;
        const QString marker = tools.filePath(QStringLiteral("started"));
        QFile script(tools.filePath(QStringLiteral("gnome-system-monitor")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        const QByteArray sleep = QFile::encodeName(QStandardPaths::findExecutable("sleep"));
        script.write("#!/bin/sh\n" + sleep + " 1\n: > '" + QFile::encodeName(marker) + "'\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
        PathOverride path(tools.path());

        frmAbout about;
        about.show();
        QElapsedTimer clock;
        clock.start();
        about.cmdSysInfo_Click();
        QVERIFY(clock.elapsed() < 900); // detached: the tool still runs
        QVERIFY(MessageBox::takeShown().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);
        QVERIFY(about.isVisible());
    }
};

QUILLARD_TEST_MAIN(TestAbout)
#include "tst_about.moc"
