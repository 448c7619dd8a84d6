#pragma once

// Where a control of the main window lies, in the window's own coordinates,
// as the xcb platform lays it out (the same code as the program's): a
// benchmark that clicks the real program runs itself as a child with
// "--where NAME" on its X server, and this prints "x y" there. Asking the
// program's own layout keeps the benchmarks free of copied coordinates.

#include "panel/form2.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <cstdio>

inline int printWhere(int argc, char** argv, const char* name)
{
    QApplication app(argc, argv);
    Form2 window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
    auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (!control)
        return 1;
    const QPoint centre = control->mapTo(&window, control->rect().center());
    std::printf("%d %d\n", centre.x(), centre.y());
    return 0;
}
