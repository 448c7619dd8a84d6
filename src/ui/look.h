#pragma once

// How Quillard's windows look, in one place: the fixed dialogs opened from
// the menus, centring on the screen, the design's fonts with the faces that
// stand in where they are missing, captions fitted to the font a machine
// really has, and plain window backgrounds. Every window takes its look from
// here rather than making its own.
//
// Data flow: a window sets its controls' places and design fonts, then hands
// the controls to fitCaptions(), which measures each caption in the font the
// control really gets (the desktop's, or a stand-in, at the screen's DPI)
// against the room its style leaves, and sets a condensed or smaller font
// where the caption would otherwise be cut.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QSize>

#include <initializer_list>

#include <functional>
#include <optional>

class QDialog;
class QLabel;
class QWidget;

// Fixed size, modal, centred, title and close button only.
void makeFixedDialog(QDialog* dialog, QSize clientSize);

// Puts a top-level window in the middle of the screen's available area.
void centreOnScreen(QWidget* window);

// The part of the window's screen that windows may use (less panels and
// docks). Tests put a smaller screen in its place, or nullopt to end that.
QRect availableScreenArea(const QWidget* window);
void setAvailableScreenAreaForTests(std::optional<QRect> area);

// A fixed window that, with its title bar and borders, would not fit the
// screen's available area when it is shown scrolls instead: its controls
// move, as designed and with their names and focus order, into a scroll area
// as large as the screen allows, so every one of them can be reached.
void scrollWhenLargerThanScreen(QWidget* window);

// The design faces at a fractional point size. Where "MS Sans Serif" or
// "Tahoma" is missing, faces of the same width stand in, so captions still
// fit their controls.
QFont designFont(qreal pointSize, bool bold);
QFont tahomaFont(qreal pointSize);

// A button that paints its caption itself tells the caption fitting where.
class CaptionArea {
public:
    virtual ~CaptionArea() = default;
    virtual QRect captionRect() const = 0;
};

// Colours for every widget of this one's class (a window class, or a small
// class of its own for a kind of cell), set once for the class so that every
// opening of a window shares one palette.
struct ClassColour {
    QPalette::ColorRole role;
    QColor colour;
};
void useClassColours(QWidget* widget, std::initializer_list<ClassColour> colours);

// A window filled with one colour behind its controls (a class colour).
void fillBackground(QWidget* widget, const QColor& colour);

// How a caption may run in its control.
enum class CaptionFlow {
    OneLine, // as written (a caption's own line breaks included)
    Wrapped, // broken between words to the control's width
};

// Fits the captions of controls to the room their style leaves for text;
// controls that share a font get one common fitted font, so that a row or
// column of them reads alike: the font they have when it fits, else the largest condensed or
// smaller form of it in which every caption fits. Knows push buttons, radio
// buttons and check boxes, labels, group box titles and text boxes. sample,
// when given, stands for the widest text the controls are meant to show (for
// text boxes the operator fills); otherwise each control's own text counts.
void fitCaptions(const QList<QWidget*>& controls, CaptionFlow flow = CaptionFlow::OneLine,
                 const QString& sample = {});
void fitCaption(QWidget* control, CaptionFlow flow = CaptionFlow::OneLine);
template <typename Control>
void fitCaptions(const QList<Control*>& controls, CaptionFlow flow = CaptionFlow::OneLine,
                 const QString& sample = {})
{
    fitCaptions(QList<QWidget*>(controls.begin(), controls.end()), flow, sample);
}

// For controls that paint their own caption: the largest form of font,
// condensed and then smaller, for which fits holds (the font itself when it
// fits already, the smallest form when none does).
QFont largestFitting(const QFont& font, const std::function<bool(const QFont&)>& fits);
