// Real message boxes, shown as the operator sees them: whatever a box quotes
// (a damaged settings file's line of thousands of characters, with or
// without spaces, or hundreds of lines), it stays within the screen's
// available area with its OK button on the screen, and the whole text can
// still be read; a short text is shown as it is.
#include "ui/messagebox.h"
#include "ui/placement.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>

namespace {
struct Seen {
    QRect box;
    QRect okButton;
    QRect screen;
    QString text;
    QString detailedText;
};

// Shows a real warning box with the text and reports what it looked like.
Seen showWarning(const QString& text)
{
    Seen seen;
    onNextModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            QTest::qFail("the modal window is no message box", __FILE__, __LINE__);
            modal->close();
            return;
        }
        if (!QTest::qWaitForWindowExposed(box))
            QTest::qFail("the box was not shown", __FILE__, __LINE__);
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen.box = box->frameGeometry();
        seen.okButton = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        seen.screen = availableScreenArea(box);
        seen.text = box->text();
        seen.detailedText = box->detailedText();
        ok->click();
    });
    MessageBox::warn(nullptr, text);
    return seen;
}

QString sentenceQuoting(const QString& quoted)
{
    return QStringLiteral("The settings file qd.cfg cannot be used: its first line is \"") +
           quoted + QStringLiteral("\", which is no port number.");
}
} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void everyBoxFitsTheScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("3,000 characters without a space")
            << sentenceQuoting(QString(3000, QLatin1Char('7')));
        QString words;
        for (int i = 0; i < 500; ++i)
            words += QStringLiteral("garbage ");
        QTest::newRow("3,000 characters of words") << sentenceQuoting(words.left(3000));
        QStringList lines;
        for (int i = 0; i < 300; ++i)
            lines << QStringLiteral("line %1 of a file that is no settings file").arg(i);
        QTest::newRow("300 lines") << lines.join(QLatin1Char('\n'));
        QTest::newRow("binary bytes")
            << sentenceQuoting(QString::fromLatin1(QByteArray(3000, '\xfe')));
    }

    void everyBoxFitsTheScreen()
    {
        QFETCH(QString, text);
        TestEnvironment env;
        MessageBox::setScripted(false);
        const Seen seen = showWarning(text);
        QVERIFY(seen.screen.isValid());
        QVERIFY2(seen.screen.contains(seen.box),
                 qPrintable(QStringLiteral("box %1,%2 %3x%4 on a screen of %5x%6")
                                .arg(seen.box.x())
                                .arg(seen.box.y())
                                .arg(seen.box.width())
                                .arg(seen.box.height())
                                .arg(seen.screen.width())
                                .arg(seen.screen.height())));
        QVERIFY(seen.screen.contains(seen.okButton));
        // Shortened where it is shown, whole under the details.
        QCOMPARE(seen.detailedText, text);
        QVERIFY(seen.text.size() < text.size());
        QVERIFY(seen.text.startsWith(text.left(20)));
    }

    void aShortTextIsShownAsItIs()
    {
        TestEnvironment env;
        MessageBox::setScripted(false);
        const QString text = QStringLiteral("You must choose a Baud Rate!");
        const Seen seen = showWarning(text);
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.detailedText, QString());
        QVERIFY(seen.screen.contains(seen.box));
    }

    // The same on a laptop's screen at 150%, about 910 by 480.
    void aSmallScreenToo()
    {
        TestEnvironment env;
        MessageBox::setScripted(false);
        const QRect small(0, 0, 910, 480);
        setAvailableScreenAreaForTests(small);
        const QString text = sentenceQuoting(QString(3000, QLatin1Char('x')));
        const Seen seen = showWarning(text);
        setAvailableScreenAreaForTests(std::nullopt);
        QVERIFY(seen.box.height() <= small.height());
        QVERIFY(seen.box.width() <= small.width());
        QCOMPARE(seen.detailedText, text);
    }

    // A question closed without an answer (the program ending under it, as on
    // logout) is never taken as its default Yes: that Yes may start a program
    // or reset the radio.
    void aQuestionClosedUnansweredIsNo()
    {
        TestEnvironment env;
        MessageBox::setScripted(false);
        onNextModal([](QWidget* modal) { modal->close(); });
        QCOMPARE(MessageBox::ask(nullptr, MessageBox::programTitle(),
                                 QStringLiteral("Start rigctld now with this command?"),
                                 QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes),
                 QMessageBox::No);
        onNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->done(0); });
        QCOMPARE(MessageBox::ask(nullptr, MessageBox::programTitle(),
                                 QStringLiteral("Do you want to reset?"), QMessageBox::Question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes),
                 QMessageBox::No);
    }
};

QUILLARD_TEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
