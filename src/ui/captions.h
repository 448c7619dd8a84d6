#pragma once

// Captions fitted to the font a machine really has.
//
// Data flow: a window sets its controls' places and design fonts, then hands
// the controls to fitCaptions(), which measures each caption in the font the
// control really gets (the desktop's, or a stand-in, at the screen's DPI)
// against the room its style leaves, and sets a condensed or smaller font
// where the caption would otherwise be cut.

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

// A button that paints its caption itself tells the caption fitting where.
class CaptionArea {
public:
    virtual ~CaptionArea() = default;
    virtual QRect captionRect() const = 0;
};

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
