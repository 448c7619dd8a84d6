#pragma once

// What the Station Controls tests share: the window opened with its shortcut
// over a shown main window, its controls found by name, a field typed into.

#include "controls/stationcontrols.h"
#include "panelfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

// The window's control of that name; a test without it cannot go on.
template <typename Control> Control* in(QWidget* window, const char* name)
{
    auto* found = window->findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no %s", qPrintable(window->objectName()), name);
    return found;
}

// Opens Station Controls with its shortcut, as the operator does; null when
// it does not come up.
inline StationControls* openStationControls(ShownPanel& panel)
{
    QApplication::setActiveWindow(&panel.window());
    QTest::keyClick(&panel.window(), Qt::Key_S, Qt::ControlModifier);
    auto* window = panel.window().findChild<StationControls*>();
    if (window && !QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window;
}

// Replaces the field's text by typing, as the operator does.
inline void typeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}
