#pragma once

// Every message box of the program goes through this wrapper. Boxes without a
// title of their own carry the program's title "Quillard".
//
// Tests switch on scripted mode: boxes are then recorded instead of shown, and
// each answers with the next scripted answer, or with its default button.

#include <QList>
#include <QMessageBox>
#include <QString>

class MessageBox {
public:
    static QString programTitle() { return QStringLiteral("Quillard"); }

    // An OK box without icon.
    static void inform(QWidget* parent, const QString& text, const QString& title = programTitle());

    // A box for something that went wrong outside the program (files, ports):
    // an OK box with the warning icon.
    static void warn(QWidget* parent, const QString& text, const QString& title = programTitle());

    static QMessageBox::StandardButton ask(QWidget* parent, const QString& title,
                                           const QString& text, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);

    // What a box looked like, for tests.
    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton answer = QMessageBox::NoButton;
    };

    static void setScripted(bool scripted);
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static QList<Shown> takeShown();
};
