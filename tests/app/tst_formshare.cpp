// The window that says how a port reaches the radio: what it reads from and
// writes to comN.conf, what it refuses, and "Test the connection" against a
// real rigctld and against none (with the offer to start one).

#include "app/formshare.h"

#include "radio/daemonprocess.h"
#include "radio/ts570standin.h"
#include "session/portroute.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

class TestFormShare : public QObject {
    Q_OBJECT

    static QAbstractButton* button(QWidget* window, const char* name)
    {
        auto* found = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }
    static QLineEdit* field(QWidget* window, const char* name)
    {
        return window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static void write(const QString& path, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

private slots:
    // What the file says is what the window shows; what the operator chooses
    // is what Save writes, port following the daemon chosen.
    void readsAndSavesThePortsFile()
    {
        TestEnvironment env;
        write(portRoutePath(2), "via=flrig\nhost=10.0.0.9\n");
        auto* window = new FormShare(2, QStringLiteral("9600"));
        window->show();
        QVERIFY(button(window, "optFlrig")->isChecked());
        QCOMPARE(field(window, "txtHost")->text(), QStringLiteral("10.0.0.9"));
        QCOMPARE(field(window, "txtPort")->text(), QStringLiteral("12345"));

        button(window, "optRigctld")->click();
        QCOMPARE(field(window, "txtPort")->text(), QStringLiteral("4532"));
        field(window, "txtHost")->setText(QStringLiteral("localhost"));
        button(window, "cmdSave")->click();
        QTRY_VERIFY(!window->isVisible());
        const PortRoute saved = readPortRoute(portRoutePath(2));
        QCOMPARE(saved.via, PortRoute::Via::Rigctld);
        QCOMPARE(saved.host, QStringLiteral("localhost"));
        QCOMPARE(saved.tcpPort, 4532);

        auto* again = new FormShare(2, QStringLiteral("9600"));
        again->show();
        button(again, "optSerial")->click();
        QVERIFY(!field(again, "txtHost")->isEnabled());
        button(again, "chkHandshake")->click();
        button(again, "cmdSave")->click();
        const PortRoute serial = readPortRoute(portRoutePath(2));
        QCOMPARE(serial.via, PortRoute::Via::Serial);
        QCOMPARE(serial.hardwareHandshake, false);
        QCOMPARE(serial.model, RadioModel::TS570D);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // The radio's model: D when the file does not say, S kept through a
    // change of the route, and a value that is neither named with its file.
    void radioModel()
    {
        TestEnvironment env;
        auto* window = new FormShare(3, QStringLiteral("9600"));
        window->show();
        auto* model = window->findChild<QComboBox*>(QStringLiteral("cboModel"));
        QVERIFY(model);
        QCOMPARE(model->currentText(), QStringLiteral("TS-570D"));
        QVERIFY(!model->accessibleName().isEmpty());
        model->setCurrentIndex(model->findText(QStringLiteral("TS-570S")));
        button(window, "cmdSave")->click();
        QCOMPARE(readPortRoute(portRoutePath(3)).model, RadioModel::TS570S);
        QCOMPARE(portModel(3), RadioModel::TS570S);

        auto* again = new FormShare(3, QStringLiteral("9600"));
        again->show();
        auto* shown = again->findChild<QComboBox*>(QStringLiteral("cboModel"));
        QCOMPARE(shown->currentText(), QStringLiteral("TS-570S"));
        button(again, "optRigctld")->click();
        button(again, "cmdSave")->click();
        const PortRoute daemon = readPortRoute(portRoutePath(3));
        QCOMPARE(daemon.via, PortRoute::Via::Rigctld);
        QCOMPARE(daemon.model, RadioModel::TS570S);

        write(portRoutePath(4), "model=570S\n");
        const PortRoute wrong = readPortRoute(portRoutePath(4));
        QVERIFY2(wrong.problem.contains(portRoutePath(4)) &&
                     wrong.problem.contains(QStringLiteral("model=570S")),
                 qPrintable(wrong.problem));
        QCOMPARE(portModel(4), RadioModel::TS570D);
        FormShare named(4, QStringLiteral("9600"));
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(named.findChild<QComboBox*>(QStringLiteral("cboModel"))->currentText(),
                 QStringLiteral("TS-570D"));
    }

    // A port that is not a number is named and nothing is written; a damaged
    // file is named when the window opens and left as it is until Save.
    void badInputIsNamedAndNothingIsLost()
    {
        TestEnvironment env;
        write(portRoutePath(1), "via=rigctl\n");
        FormShare window(1, QStringLiteral("9600"));
        QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().text.contains(QStringLiteral("via=rigctl is not usable")),
                 qPrintable(shown.first().text));
        button(&window, "optRigctld")->click();
        field(&window, "txtPort")->setText(QStringLiteral("45x32"));
        button(&window, "cmdSave")->click();
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text,
                 QStringLiteral("The TCP port \"45x32\" is not a port number: type a number from "
                                "1 to 65535 (4532 for rigctld, 12345 for flrig)."));
        QFile file(portRoutePath(1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("via=rigctl\n"));
    }

    // Testing asks rigctld and shows what answered; with none there, the
    // operator is offered the exact command that starts one (declined here).
    void testTheConnection()
    {
        TestEnvironment env;
        Ts570StandIn radio;
        DaemonProcess rigctld;
        QVERIFY(rigctld.startRigctld(radio.devicePath()));
        FormShare window(2, QStringLiteral("4800"));
        button(&window, "optRigctld")->click();
        field(&window, "txtPort")->setText(QString::number(rigctld.port()));
        button(&window, "cmdTest")->click();
        auto* result = window.findChild<QLabel*>(QStringLiteral("lblResult"));
        QTRY_COMPARE(result->text(),
                     QStringLiteral("rigctld answers at 127.0.0.1:%1 and serves a Kenwood "
                                    "TS-570S.")
                         .arg(rigctld.port()));

        rigctld.kill();
        MessageBox::setNextAnswer(QMessageBox::No);
        button(&window, "cmdTest")->click();
        QTRY_VERIFY(result->text().startsWith(QStringLiteral("Nothing answers at")));
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().text.endsWith(
                     QStringLiteral("rigctld -m 2016 -r /dev/ttyS1 -s 4800 -C "
                                    "serial_handshake=Hardware -T 127.0.0.1 -t %1")
                         .arg(rigctld.port())),
                 qPrintable(shown.first().text));
        QCOMPARE(shown.first().answer, QMessageBox::No);
    }
};

QTEST_MAIN(TestFormShare)
#include "tst_formshare.moc"
