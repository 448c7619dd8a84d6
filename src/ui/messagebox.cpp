#include "ui/messagebox.h"

#include "ui/focusreturn.h"
#include "ui/placement.h"

#include <QFontMetrics>
#include <QQueue>

namespace {
struct Script {
    bool scripted = false;
    QQueue<QMessageBox::StandardButton> answers;
    QList<MessageBox::Shown> shown;
};

Script& script()
{
    static Script instance;
    return instance;
}

// A box must fit the screen with its buttons on it, whatever it quotes (a
// damaged file's line can be thousands of characters without a space). When
// the text would not fit, the box shows it shortened: each run of characters
// too wide to wrap is cut in its middle, and only as many lines as half the
// screen holds are kept; the whole text is under "Show Details...".
void fitOnScreen(QMessageBox& box, const QString& text, QWidget* parent)
{
    const QRect area = availableScreenArea(parent);
    if (!area.isValid())
        return;
    const QFontMetrics metrics = box.fontMetrics();
    const int widest = std::min(500, area.width() / 2);
    const int lines = std::max(3, area.height() / 2 / metrics.lineSpacing());
    QStringList shown;
    bool shortened = false;
    int linesLeft = lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (linesLeft <= 0) {
            shown.append(QStringLiteral("..."));
            shortened = true;
            break;
        }
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words) {
            if (metrics.horizontalAdvance(word) > widest) {
                word = metrics.elidedText(word, Qt::ElideMiddle, widest);
                shortened = true;
            }
        }
        QString kept = words.join(QLatin1Char(' '));
        // A line that wraps takes as many lines as its width asks for.
        const int needs = 1 + metrics.horizontalAdvance(kept) / widest;
        if (needs > linesLeft) {
            kept = metrics.elidedText(kept, Qt::ElideRight, widest * linesLeft);
            shortened = true;
            linesLeft = 0;
        } else {
            linesLeft -= needs;
        }
        shown.append(kept);
    }
    if (!shortened)
        return;
    box.setText(shown.join(QLatin1Char('\n')));
    box.setDetailedText(text);
}
} // namespace

void MessageBox::inform(QWidget* parent, const QString& text, const QString& title)
{
    ask(parent, title, text, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBox::warn(QWidget* parent, const QString& text, const QString& title)
{
    ask(parent, title, text, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::ask(QWidget* parent, const QString& title,
                                            const QString& text, QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    Shown shown{title, text, icon, buttons, defaultButton, defaultButton};
    if (script().scripted) {
        if (!script().answers.isEmpty())
            shown.answer = script().answers.dequeue();
        script().shown.append(shown);
        return shown.answer;
    }
    const FocusReturn back(parent);
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    fitOnScreen(box, text, parent);
    box.setDefaultButton(defaultButton);
    // Enter answers the default; with Yes/No, Esc answers No.
    if (buttons.testFlag(QMessageBox::No))
        box.setEscapeButton(QMessageBox::No);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    if (clicked != QMessageBox::NoButton)
        return clicked;
    // Closed without an answer (Quillard was asked to end meanwhile, or its
    // window went): that is never a Yes to a question.
    if (buttons.testFlag(QMessageBox::No))
        return QMessageBox::No;
    if (buttons.testFlag(QMessageBox::Cancel))
        return QMessageBox::Cancel;
    return defaultButton;
}

void MessageBox::setScripted(bool scripted)
{
    script() = Script{};
    script().scripted = scripted;
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    script().answers.enqueue(answer);
}

QList<MessageBox::Shown> MessageBox::takeShown()
{
    return std::exchange(script().shown, {});
}
