#pragma once

// Where the panel's control units put their controls. The canvas is the main
// window's client area; the frames are drawn on it first, and each unit then
// creates its controls over them from its own table. The canvas joins
// selection buttons to the panel's one selection group and keeps every
// control it made, so the focus order can chain them.

#include "panel/panelframe.h"

#include <QHash>
#include <QStringList>

#include <array>
#include <functional>

class PanelFrame;
class QAbstractButton;
class SelectionGroup;

class PanelCanvas {
public:
    // Draws the frames on the canvas.
    PanelCanvas(QWidget* canvas, SelectionGroup& selection);

    QWidget* widget() const { return m_canvas; }
    PanelFrame* frame(Frame which) const { return m_frames[static_cast<std::size_t>(which)]; }

    // A right-column selection button: the index-th of its frame's stack, in
    // the frame's colours and bold 8.25 point "MS Sans Serif", drawn as a push
    // button that stays pressed while marked. act runs each time it acts.
    QAbstractButton* addColumnButton(Frame frame, int index, const char* name, const char* caption,
                                     std::function<void()> act);
    // A push button with the platform's look at place (in parent's
    // coordinates); act runs on every press.
    QAbstractButton* addPushButton(QWidget* parent, const QRect& place, const char* name,
                                   const char* caption, const char* toolTip,
                                   std::function<void()> act);
    // Joins a button that a unit made itself to the selection group.
    void addSelection(QAbstractButton* button, std::function<void()> act);
    // Keeps a control that a unit made itself, for the focus order.
    void keep(QWidget* control);

    // Chains the kept controls in the order of these names; returns the first.
    QWidget* chainFocus(const QStringList& names) const;

    // Once every unit has built its controls: fits the captions of the column
    // buttons (one font for all twenty), of each frame's push buttons (one
    // font a frame, the rows under the memory frame together) and of the
    // frames, each in the band its controls leave above them.
    void fitCaptions();

    // Tells screen readers which frame each control lies over (or in), and
    // makes the frame the group that holds it (panel/framedaccessible.h).
    void describeByFrame();

private:
    QWidget* m_canvas;
    SelectionGroup& m_selection;
    std::array<PanelFrame*, frameCount> m_frames{};
    QHash<QString, QWidget*> m_controls;
    QList<QAbstractButton*> m_columnButtons;
    QList<QAbstractButton*> m_pushButtons;
};
