#pragma once

// How Quillard's windows look, in one place: the fixed dialogs opened from
// the menus, centring on the screen, the design's fonts with the faces that
// stand in where they are missing, and plain window backgrounds. Every window
// takes its look from here rather than making its own.

#include <QColor>
#include <QFont>
#include <QSize>

class QDialog;
class QLabel;
class QWidget;

// Fixed size, modal, centred, title and close button only.
void makeFixedDialog(QDialog* dialog, QSize clientSize);

// Puts a top-level window in the middle of the screen's available area.
void centreOnScreen(QWidget* window);

// The design faces at a fractional point size. Where "MS Sans Serif" or
// "Tahoma" is missing, faces of the same width stand in, so captions still
// fit their controls.
QFont designFont(qreal pointSize, bool bold);
QFont tahomaFont(qreal pointSize);

// A window or frame filled with one colour behind its controls.
void fillBackground(QWidget* widget, const QColor& colour);

// Makes a label's lines fit its box where the face standing in for the design
// font is taller than the design's.
void shrinkToFit(QLabel* label);
