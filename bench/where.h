#pragma once

// Where a control of the main window (or of the memory sheet or Station
// Controls it opens) lies,
// in that window's own coordinates,
// as the xcb platform lays it out (the same code as the program's): a
// benchmark that clicks the real program runs itself as a child with
// "--where NAME" on its X server, and this prints "x y" there. Asking the
// program's own layout keeps the benchmarks free of copied coordinates.

#include "controls/stationcontrols.h"
#include "memory/form1.h"
#include "panel/form2.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <cstdio>
#include <memory>

// name: a control of the main window, "Form1/NAME" for one of the sheet,
// "StationControls/NAME" for one of Station Controls.
inline int printWhere(int argc, char** argv, const char* name)
{
    QApplication app(argc, argv);
    Form2 window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
    QWidget* shown = &window;
    std::unique_ptr<Form1> sheet;
    QString control = QString::fromLatin1(name);
    if (control.startsWith(QLatin1String("Form1/"))) {
        sheet = std::make_unique<Form1>(window.port().lend());
        sheet->setAttribute(Qt::WA_DontShowOnScreen);
        sheet->show();
        QCoreApplication::processEvents();
        shown = sheet.get();
        control = control.mid(6);
    }
    std::unique_ptr<StationControls> controls;
    if (control.startsWith(QLatin1String("StationControls/"))) {
        controls = std::make_unique<StationControls>(window.context(), nullptr);
        controls->setAttribute(Qt::WA_DontShowOnScreen);
        controls->show();
        QCoreApplication::processEvents();
        shown = controls.get();
        control = control.mid(16);
    }
    auto* widget = shown->findChild<QWidget*>(control);
    if (!widget)
        return 1;
    const QPoint centre = widget->mapTo(shown, widget->rect().center());
    std::printf("%d %d\n", centre.x(), centre.y());
    return 0;
}
