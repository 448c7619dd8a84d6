// Every caption of every window fits its control whatever fonts the machine
// has: measured in the font each control really uses, against the room its
// style leaves for text, on machines that offer only DejaVu, at a font DPI of
// 120 (scaled as Qt scales it, and unscaled), with a large desktop font, and
// with Cantarell as GNOME's desktop font where it is installed.
//
// Fonts are chosen once per process, before the application object exists,
// so the program runs itself once per font set-up; each run measures all the
// windows and must pass.

#include "about/frmabout.h"
#include "app/form3.h"
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form9.h"
#include "memory/form1.h"
#include "panel/form2.h"
#include "panel/panelframe.h"
#include "timeline.h"
#include "uitest.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTemporaryDir>

#include <memory>

namespace {
const char* const setUpVariable = "QUILLARD_CAPTIONS_SETUP";
const char* const desktopFontVariable = "QUILLARD_CAPTIONS_DESKTOP_FONT";
const char* const dejaVuFolder = "/usr/share/fonts/truetype/dejavu";
const char* const cantarellFolder = "/usr/share/fonts/opentype/cantarell";

// The style option a widget paints with; its filling-in is protected.
template <typename Widget, typename Option> Option optionOf(const Widget* widget)
{
    struct Open : Widget {
        using Widget::initStyleOption;
    };
    void (Widget::*init)(Option*) const = &Open::initStyleOption;
    Option option;
    (widget->*init)(&option);
    return option;
}

QString describe(const QWidget* control, const QFont& font, const QString& text, QSize needed,
                 QRect room)
{
    return QStringLiteral("%1 %2 \"%3\" in %4 %5pt: needs %6x%7, has %8x%9")
        .arg(control->window()->objectName(), control->objectName(), text, QFontInfo(font).family())
        .arg(font.pointSizeF())
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

// What did not fit in one window, one line per control; and how many
// captions were measured.
struct Findings {
    QStringList cut;
    int measured = 0;

    void check(const QWidget* control, const QString& text, QSize needed, QRect room)
    {
        check(control, control->font(), text, needed, room);
    }
    void check(const QWidget* control, const QFont& font, const QString& text, QSize needed,
               QRect room)
    {
        ++measured;
        if (needed.width() > room.width() || needed.height() > room.height())
            cut << describe(control, font, text, needed, room);
    }
};

bool isPanelPushButton(const QPushButton* button)
{
    // The panel's push buttons wrap long captions onto a second line.
    return button->window()->objectName() == QLatin1String("Form2") && !button->isCheckable();
}

// A frame of the panel: its caption, from x = 6 with 2 pixels either side,
// must stay clear of the frame's right border (its last 3 pixels), and its
// letters clear of everything painted over the frame.
void checkPanelFrame(Findings& findings, PanelFrame* frame)
{
    const QString caption = frame->accessibleName();
    const QFontMetrics metrics(frame->captionFont(), frame);
    const int lettersEnd = metrics.ascent() + metrics.tightBoundingRect(caption).bottom() + 1;
    const QSize needed(6 + metrics.horizontalAdvance(caption) + 4, lettersEnd);
    QWidget* canvas = frame->parentWidget();
    int clear = frame->height();
    for (QWidget* control : canvas->findChildren<QWidget*>()) {
        if (dynamic_cast<PanelFrame*>(control))
            continue;
        const QRect place(control->mapTo(canvas, QPoint(0, 0)), control->size());
        if (!frame->geometry().contains(place))
            continue;
        int top = place.top();
        if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            // Only the dot and the caption's letters are painted, centred.
            const auto option = optionOf<QRadioButton, QStyleOptionButton>(radio);
            const QRect dot =
                radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
            const QRect contents =
                radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            const QFontMetrics own = radio->fontMetrics();
            const int line = contents.top() + (contents.height() - own.height()) / 2;
            top += std::min(dot.top(),
                            line + own.ascent() + own.tightBoundingRect(radio->text()).top());
        }
        clear = std::min(clear, top - frame->y());
    }
    findings.check(frame, frame->captionFont(), caption, needed,
                   QRect(0, 0, frame->width() - 3, clear));
}

void checkWindow(Findings& findings, QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window))
            continue;
        const QStyle* style = control->style();
        const QFontMetrics metrics(control->font(), control);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            const auto option = optionOf<QPushButton, QStyleOptionButton>(button);
            const QRect room =
                style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QSize needed =
                isPanelPushButton(button)
                    ? metrics
                          .boundingRect(QRect(0, 0, room.width(), 1000),
                                        Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                                        button->text())
                          .size()
                    : metrics.size(Qt::TextShowMnemonic, button->text());
            findings.check(button, button->text(), needed, room);
        } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            const auto option = optionOf<QRadioButton, QStyleOptionButton>(radio);
            const QRect room =
                style->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            findings.check(radio, radio->text(), metrics.size(Qt::TextShowMnemonic, radio->text()),
                           room);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            if (label->text().isEmpty())
                continue;
            const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                              -label->margin(), -label->margin());
            const QSize needed = label->wordWrap()
                                     ? metrics
                                           .boundingRect(QRect(0, 0, room.width(), 1000),
                                                         Qt::TextWordWrap, label->text())
                                           .size()
                                     : metrics.size(0, label->text());
            findings.check(label, label->text(), needed, room);
        } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
            const auto option = optionOf<QGroupBox, QStyleOptionGroupBox>(box);
            const QRect title =
                style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
            int firstControl = box->height();
            for (QWidget* inside : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                firstControl = std::min(firstControl, inside->y());
            // The style's title rectangle holds the text and its padding; it
            // must end as far from the box's far edge as it starts from the near one.
            const QSize needed(title.right() + 1, title.bottom() + 1);
            findings.check(box, box->title(), needed,
                           QRect(0, 0, box->width() - title.left(), firstControl));
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            // The boxes the operator fills must show a whole entry: seven
            // digits for a frequency, a mode word.
            QString text = edit->text();
            if (!edit->isReadOnly())
                text = edit->objectName().startsWith(QLatin1String("freq"))
                           ? QStringLiteral("2840000")
                           : QStringLiteral("USB");
            const auto option = optionOf<QLineEdit, QStyleOptionFrame>(edit);
            const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins());
            // The text box keeps 2 pixels each side and one for the cursor.
            findings.check(edit, text, QSize(metrics.horizontalAdvance(text) + 5, metrics.height()),
                           room);
        } else if (auto* frame = dynamic_cast<PanelFrame*>(control)) {
            checkPanelFrame(findings, frame);
        }
    }
}

// Shows the window, measures it, and reports what was cut.
void measure(QWidget* window, int atLeast)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    Findings findings;
    checkWindow(findings, window);
    QVERIFY2(findings.measured >= atLeast,
             qPrintable(QStringLiteral("%1: only %2 captions measured")
                            .arg(window->objectName())
                            .arg(findings.measured)));
    QVERIFY2(findings.cut.isEmpty(), qPrintable(findings.cut.join(QLatin1Char('\n'))));
}
} // namespace

// One font set-up, in this process.
class TestCaptionsFit : public QObject {
    Q_OBJECT

    SparePort m_port;

private slots:
    void initTestCase()
    {
        // The fonts really in use are the ones this set-up offers.
        const QString expected = qEnvironmentVariable("QUILLARD_CAPTIONS_FAMILY");
        if (!expected.isEmpty()) {
            Form2 window;
            auto* memory = window.findChild<QRadioButton*>(QStringLiteral("Option9"));
            QVERIFY(memory);
            const QString standIn = QFontInfo(memory->font()).family();
            QVERIFY2(standIn.startsWith(QLatin1String("DejaVu")) || standIn.startsWith(expected),
                     qPrintable(standIn));
            QVERIFY2(QFontInfo(QApplication::font()).family().startsWith(expected),
                     qPrintable(QFontInfo(QApplication::font()).family()));
        }
    }

    void mainWindow()
    {
        TestEnvironment env;
        Timeline timeline;
        Form2 window;
        // 100 memory buttons, 20 column buttons, 19 push buttons, 8 frames and a label.
        measure(&window, 148);
    }

    void memoryWindow()
    {
        TestEnvironment env;
        Timeline timeline;
        Form1 window(m_port.lend());
        // 12 headers, 100 channel labels, 200 boxes, the instruction, 4 buttons.
        measure(&window, 317);
    }

    void settingsWindow()
    {
        TestEnvironment env;
        auto* window = new Form3; // deletes itself when closed
        measure(window, 15);
        window->handOver();
    }

    void guides()
    {
        TestEnvironment env;
        Timeline timeline;
        {
            Form4 sstv(m_port.lend());
            measure(&sstv, 13);
        }
        {
            Form5 shortWave(m_port.lend());
            measure(&shortWave, 217);
        }
        {
            Form7 sarex(m_port.lend());
            measure(&sarex, 11);
        }
        {
            Form9 code(m_port.lend());
            measure(&code, 100);
        }
    }

    void aboutBox()
    {
        TestEnvironment env;
        frmAbout about;
        measure(&about, 9);
    }
};

// Runs the measuring once per font set-up, each in a process of its own.
class TestCaptionsUnderFonts : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A font configuration whose only font folders are these.
    QString fontConfig(const QString& name, const QStringList& folders, const QString& prefer = {})
    {
        QString text = QStringLiteral("<?xml version=\"1.0\"?>\n"
                                      "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n");
        for (const QString& folder : folders)
            text += QStringLiteral("  <dir>%1</dir>\n").arg(folder);
        text += QStringLiteral("  <cachedir>%1/cache-%2</cachedir>\n").arg(m_dir.path(), name);
        // The system's rules of which face stands in for which; they add no folders.
        text += QStringLiteral("  <include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n");
        if (!prefer.isEmpty())
            text += QStringLiteral("  <alias><family>sans-serif</family><prefer><family>%1"
                                   "</family></prefer></alias>\n")
                        .arg(prefer);
        text += QStringLiteral("</fontconfig>\n");
        const QString path = m_dir.filePath(name + QStringLiteral(".conf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void captionsFit_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("needsFolder");
        const QString dejaVu = QString::fromLatin1(dejaVuFolder);
        const QString onlyDejaVu =
            QStringLiteral("FONTCONFIG_FILE=") + fontConfig(QStringLiteral("dejavu"), {dejaVu});
        const QString family = QStringLiteral("QUILLARD_CAPTIONS_FAMILY=DejaVu");
        QTest::newRow("only DejaVu") << QStringList{onlyDejaVu, family} << dejaVu;
        QTest::newRow("only DejaVu, font DPI 120")
            << QStringList{onlyDejaVu, family, QStringLiteral("QT_FONT_DPI=120")} << dejaVu;
        QTest::newRow("only DejaVu, font DPI 120 without scaling")
            << QStringList{onlyDejaVu, family, QStringLiteral("QT_FONT_DPI=120"),
                           QStringLiteral("QT_ENABLE_HIGHDPI_SCALING=0")}
            << dejaVu;
        QTest::newRow("only DejaVu, desktop font 11 pt")
            << QStringList{onlyDejaVu, family,
                           QString::fromLatin1(desktopFontVariable) +
                               QStringLiteral("=DejaVu Sans,11")}
            << dejaVu;
        const QString cantarell = QString::fromLatin1(cantarellFolder);
        QTest::newRow("GNOME: Cantarell 11 as the desktop font")
            << QStringList{QStringLiteral("FONTCONFIG_FILE=") +
                               fontConfig(QStringLiteral("cantarell"), {dejaVu, cantarell},
                                          QStringLiteral("Cantarell")),
                           QStringLiteral("QUILLARD_CAPTIONS_FAMILY=Cantarell"),
                           QString::fromLatin1(desktopFontVariable) +
                               QStringLiteral("=Cantarell,11")}
            << cantarell;
        QTest::newRow("this machine's fonts") << QStringList{} << QString();
    }

    void captionsFit()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, needsFolder);
        if (!needsFolder.isEmpty() && !QDir(needsFolder).exists())
            QSKIP(qPrintable(needsFolder + QStringLiteral(" is not installed")));
        QProcess run;
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert(QString::fromLatin1(setUpVariable), QStringLiteral("1"));
        for (const QString& assignment : environment)
            variables.insert(assignment.section(QLatin1Char('='), 0, 0),
                             assignment.section(QLatin1Char('='), 1));
        run.setProcessEnvironment(variables);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(run.waitForFinished(240000));
        const QString output = QString::fromLocal8Bit(run.readAll());
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                 qPrintable(output));
        QVERIFY2(output.contains(QLatin1String(" 0 failed")), qPrintable(output));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (qEnvironmentVariableIsEmpty(setUpVariable)) {
        TestCaptionsUnderFonts test;
        return QTest::qExec(&test, argc, argv);
    }
    // A desktop font, as GNOME's platform theme would give it to every control.
    const QString desktop = qEnvironmentVariable(desktopFontVariable);
    if (!desktop.isEmpty())
        QApplication::setFont(QFont(desktop.section(QLatin1Char(','), 0, 0),
                                    desktop.section(QLatin1Char(','), 1).toInt()));
    TestCaptionsFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_captions.moc"
