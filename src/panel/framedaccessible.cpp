#include "panel/framedaccessible.h"

#include "panel/panelframe.h"

#include <QAbstractButton>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace {
// The frame of each grouped control, and the controls of each frame in the
// order they were grouped.
QHash<const QWidget*, QPointer<QWidget>>& frameOf()
{
    static QHash<const QWidget*, QPointer<QWidget>> frames;
    return frames;
}

QHash<const QWidget*, QList<QPointer<QWidget>>>& membersOf()
{
    static QHash<const QWidget*, QList<QPointer<QWidget>>> members;
    return members;
}

// In reading order: column by column, each top to bottom (the memories'
// seven columns; one column or one row in the other frames).
QList<QWidget*> members(const QWidget* frame)
{
    QList<QWidget*> alive;
    for (const QPointer<QWidget>& member : membersOf().value(frame)) {
        if (member)
            alive.append(member);
    }
    const QWidget* canvas = frame->parentWidget();
    std::stable_sort(alive.begin(), alive.end(), [canvas](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(canvas, QPoint(0, 0));
        const QPoint pb = b->mapTo(canvas, QPoint(0, 0));
        return std::pair(pa.x(), pa.y()) < std::pair(pb.x(), pb.y());
    });
    return alive;
}

class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    int childCount() const override { return int(members(widget()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> controls = members(widget());
        if (index < 0 || index >= controls.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(controls.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        return int(members(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
    }
};

// The canvas: the frames and the controls that lie over none.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(QWidget* canvas) : QAccessibleWidget(canvas, QAccessible::Client) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> list = children();
        if (index < 0 || index >= list.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(list.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        return int(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> list;
        for (QWidget* control : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isWindow() && !frameOf().contains(control))
                list.append(control);
        }
        return list;
    }
};

QAccessibleInterface* framedControls(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (dynamic_cast<PanelFrame*>(widget))
        return new FrameAccessible(widget);
    if (widget->objectName() == QLatin1String("Canvas") && membersOf().size() > 0) {
        for (const QWidget* frame : membersOf().keys()) {
            if (frame->parentWidget() == widget)
                return new CanvasAccessible(widget);
        }
    }
    if (!frameOf().contains(widget))
        return nullptr;
    // Selection push buttons and switches have interfaces of their own.
    if (auto* push = qobject_cast<QPushButton*>(widget);
        push &&
        ((push->isCheckable() && push->group()) || push->property("quillardSwitchOn").isValid()))
        return nullptr;
    if (qobject_cast<QRadioButton*>(widget))
        return new FramedAccessible(widget, QAccessible::RadioButton);
    if (qobject_cast<QAbstractButton*>(widget))
        return new FramedAccessible(widget, QAccessible::Button);
    if (qobject_cast<QLabel*>(widget))
        return new FramedAccessible(widget, QAccessible::StaticText);
    return nullptr;
}
} // namespace

void groupInFrame(QWidget* control, QWidget* frame)
{
    static const bool installed = [] {
        QAccessible::installFactory(framedControls);
        return true;
    }();
    Q_UNUSED(installed);
    frameOf().insert(control, frame);
    membersOf()[frame].append(control);
    QObject::connect(control, &QObject::destroyed, frame, [control] { frameOf().remove(control); });
    QObject::connect(frame, &QObject::destroyed, frame, [frame] { membersOf().remove(frame); });
    // Interfaces made before the grouping knew other parents.
    for (QObject* changed : {static_cast<QObject*>(control), static_cast<QObject*>(frame),
                             static_cast<QObject*>(frame->parentWidget())}) {
        if (!changed)
            continue;
        if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(changed))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
    }
}

FramedAccessible::FramedAccessible(QWidget* control, QAccessible::Role role)
    : QAccessibleWidget(control, role)
{
    if (qobject_cast<QAbstractButton*>(control))
        addControllingSignal(QStringLiteral("clicked(bool)"));
}

QAbstractButton* FramedAccessible::button() const
{
    return qobject_cast<QAbstractButton*>(widget());
}

QAccessibleInterface* FramedAccessible::parent() const
{
    if (QWidget* frame = frameOf().value(widget()))
        return QAccessible::queryAccessibleInterface(frame);
    return QAccessibleWidget::parent();
}

QString FramedAccessible::text(QAccessible::Text t) const
{
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty()) {
        if (QAbstractButton* pressable = button())
            text = pressable->text();
        else if (auto* label = qobject_cast<QLabel*>(widget()))
            text = label->text();
    }
    return text;
}

QAccessible::State FramedAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (QAbstractButton* pressable = button(); pressable && pressable->isCheckable()) {
        state.checkable = true;
        state.checked = pressable->isChecked();
    }
    if (qobject_cast<QLabel*>(widget()))
        state.readOnly = true;
    return state;
}

QStringList FramedAccessible::actionNames() const
{
    if (button() && widget()->isEnabled())
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    return QAccessibleWidget::actionNames();
}

void FramedAccessible::doAction(const QString& action)
{
    if (action == pressAction() && button())
        button()->click();
    else
        QAccessibleWidget::doAction(action);
}
