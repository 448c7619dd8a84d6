#include "app/messagebox.h"

#include "app/focusreturn.h"

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
    box.setDefaultButton(defaultButton);
    // Enter answers the default; with Yes/No, Esc answers No.
    if (buttons.testFlag(QMessageBox::No))
        box.setEscapeButton(QMessageBox::No);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return clicked == QMessageBox::NoButton ? defaultButton : clicked;
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
