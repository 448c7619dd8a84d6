// The operator's own buttons on the offscreen platform: the section shows
// the buttons kept in quillard.conf and sends each one's commands exactly as
// typed; the table editor refuses to save or export what does not check,
// keeping everything typed, and imports a file only when it reads whole.

#include "controls/operatorbuttonseditor.h"
#include "controls/section.h"
#include "controls/stationcontext.h"
#include "uitest.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

extern const Section operatorButtonSection;

namespace {
class RecordingLink : public RadioLink {
public:
    bool isOpen() const override { return true; }
    bool open() override { return true; }
    bool sendCommand(const CatCommand& command) override
    {
        if (!command.isValid())
            return false;
        sent << QString::fromLatin1(command.framed());
        return true;
    }
    void drainInput() override {}
    qint64 inBufferCount() const override { return 0; }
    void closeLink() override {}
    void flush() override {}
    QString portDescription() const override { return QStringLiteral("test link"); }
    QStringList sent;
};

struct Fixture {
    RecordingLink link;
    QWidget window;
    StationContext context{link, &window};
    QStringList told;
    QGroupBox* box = nullptr;
    Fixture()
    {
        context.told = [this](const QString& words, const SentRecord&, QWidget*) { told << words; };
        box = new QGroupBox(&window);
        operatorButtonSection.build(box, context);
        window.show();
    }
    QPushButton* button(int number)
    {
        return window.findChild<QPushButton*>(QStringLiteral("cmdOperator%1").arg(number));
    }
};

void setCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->setItem(row, column, new QTableWidgetItem(text));
}
} // namespace

class TestOperatorButtons : public QObject {
    Q_OBJECT

private slots:
    // By default there are none, and nothing is sent.
    void noButtonsByDefault()
    {
        TestEnvironment env;
        Fixture f;
        QVERIFY(f.window.findChild<QLabel*>("lblNoOperatorButtons")->isVisible());
        QVERIFY(!f.button(1)->isVisible());
        QVERIFY(f.link.sent.isEmpty());
    }

    // Each button sends its commands as typed, in order, and says so; one
    // edited by hand into a query sends nothing and says why.
    void buttonsSendTheirCommands()
    {
        TestEnvironment env;
        saveOperatorSetup({{{QStringLiteral("QRP CW"), QStringLiteral("PC005;MD3;")},
                            {QStringLiteral("Ask"), QStringLiteral("FA;")},
                            {QStringLiteral("Memory 5"), QStringLiteral("MC 05;")}},
                           {},
                           {}});
        Fixture f;
        QVERIFY(!f.window.findChild<QLabel*>("lblNoOperatorButtons")->isVisible());
        QCOMPARE(f.button(1)->text(), QStringLiteral("QRP CW"));
        QCOMPARE(f.button(1)->accessibleName(), QStringLiteral("QRP CW"));
        QVERIFY(f.button(3)->isVisible());
        QVERIFY(!f.button(4)->isVisible());

        QTest::mouseClick(f.button(1), Qt::LeftButton);
        QTest::mouseClick(f.button(3), Qt::LeftButton);
        QCOMPARE(f.link.sent, (QStringList{"PC005;\r", "MD3;\r", "MC 05;\r"}));
        QCOMPARE(f.told, (QStringList{"QRP CW: Sent PC005; MD3;", "Memory 5: Sent MC 05;"}));

        QTest::mouseClick(f.button(2), Qt::LeftButton);
        QCOMPARE(f.link.sent.size(), 3);
        auto* problem = f.window.findChild<QLabel*>("lblOperatorProblem");
        QVERIFY(problem->isVisible());
        QVERIFY2(problem->text().startsWith("Ask was not sent: \"FA;\" asks the radio for a value"),
                 qPrintable(problem->text()));
        QCOMPARE(f.told.last(), problem->text());
    }

    // Save checks first: a fault is shown, its row selected, nothing saved
    // and nothing typed lost; empty rows are left out.
    void editorChecksBeforeSaving()
    {
        TestEnvironment env;
        OperatorButtonsEditor editor(nullptr);
        auto* table = editor.findChild<QTableWidget*>("tblButtons");
        QCOMPARE(table->rowCount(), 24);
        setCell(table, 0, 0, QStringLiteral("QRP"));
        setCell(table, 0, 1, QStringLiteral("PC005;"));
        setCell(table, 3, 0, QStringLiteral("Low"));
        setCell(table, 3, 1, QStringLiteral("pc010;"));
        editor.findChild<QLineEdit*>("txtStartSequence")->setText(QStringLiteral("PC010;"));
        editor.accept();
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith("Button 2 (Low): \"pc010;\" is in lower case"),
                 qPrintable(shown[0].text));
        QCOMPARE(table->currentRow(), 1); // gathered up: the second row
        QCOMPARE(loadOperatorSetup(), OperatorSetup());
        QCOMPARE(editor.setup().buttons.size(), 2);
        QCOMPARE(editor.result(), 0);

        setCell(table, 1, 1, QStringLiteral("PC010;"));
        editor.accept();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const OperatorSetup saved = loadOperatorSetup();
        QCOMPARE(saved.buttons.size(), 2);
        QCOMPARE(saved.buttons[1].commands, QStringLiteral("PC010;"));
        QCOMPARE(saved.startSequence, QStringLiteral("PC010;"));
    }

    // Export writes the table; import reads it back into the table (saved
    // only with Save); a bad file changes nothing and names its line.
    void exportAndImport()
    {
        TestEnvironment env;
        const QString path = env.settingsDir() + QStringLiteral("/buttons.txt");
        OperatorButtonsEditor::setFileChooser([&path](bool) { return path; });
        OperatorButtonsEditor editor(nullptr);
        const OperatorSetup setup{{{QStringLiteral("QRP"), QStringLiteral("PC005;MD3;")}},
                                  QStringLiteral("PC010;"),
                                  QStringLiteral("PC100;")};
        editor.fill(setup);
        QTest::mouseClick(editor.findChild<QPushButton*>("cmdExport"), Qt::LeftButton);
        QVERIFY(MessageBox::takeShown().isEmpty());

        OperatorButtonsEditor other(nullptr);
        QTest::mouseClick(other.findChild<QPushButton*>("cmdImport"), Qt::LeftButton);
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(other.setup(), setup);
        QCOMPARE(loadOperatorSetup(), OperatorSetup());

        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("button=Ask\ncommands=IF;\n");
        file.close();
        other.fill({});
        QTest::mouseClick(other.findChild<QPushButton*>("cmdImport"), Qt::LeftButton);
        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("buttons.txt, line 7: \"IF;\" asks"),
                 qPrintable(shown[0].text));
        QCOMPARE(other.setup(), OperatorSetup());
        OperatorButtonsEditor::setFileChooser({});
    }
};

QUILLARD_TEST_MAIN(TestOperatorButtons)
#include "tst_operatorbuttons.moc"
