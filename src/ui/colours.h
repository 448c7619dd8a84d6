#pragma once

// How windows are coloured: palettes made once per class.

#include <QColor>
#include <QPalette>

#include <initializer_list>

class QWidget;

// Colours for every widget of this one's class (a window class, or a small
// class of its own for a kind of cell), set once for the class so that every
// opening of a window shares one palette. This is the one way Quillard
// colours its windows: no style sheets, no palettes set on single widgets.
// The class must have Q_OBJECT (a class without it names its Qt base, whose
// widgets would all take the colours), and a constructor calling this sees
// its own class, not a subclass's.
struct ClassColour {
    QPalette::ColorRole role;
    QColor colour;
};
void useClassColours(QWidget* widget, std::initializer_list<ClassColour> colours);

// A window filled with one colour behind its controls (a class colour).
void fillBackground(QWidget* widget, const QColor& colour);
