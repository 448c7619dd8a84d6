#pragma once

// The frames of the panel as groups a screen reader enters. On screen the
// frames only lie behind their controls (most controls are children of the
// canvas, so that every selection button can be placed freely), but to
// assistive technology each frame is a grouping named by its caption that
// holds the controls lying over it, and each of those controls has the frame
// as its parent: entering a group is announced once, by the group's name.
//
// The canvas lists the frames and the controls that lie over no frame.

#include <QAccessibleWidget>

class QAbstractButton;
class QWidget;

// Puts the control into the frame's group (the frame is a PanelFrame).
void groupInFrame(QWidget* control, QWidget* frame);

// The accessible interface of a control of the panel: its parent is its
// frame when it has one. Buttons are pressable and, where checkable,
// say whether they are checked.
class FramedAccessible : public QAccessibleWidget {
public:
    FramedAccessible(QWidget* control, QAccessible::Role role);

    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    QAbstractButton* button() const;
};
