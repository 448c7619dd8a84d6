#include "memory/entryinstruction.h"

#include <QAccessibleWidget>

namespace {
class InstructionAccessible : public QAccessibleWidget {
public:
    explicit InstructionAccessible(EntryInstruction* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<EntryInstruction*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    // Seen from the label, each box is labelled by it.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> result;
        if (!(match & QAccessible::Labelled))
            return result;
        for (QWidget* box : static_cast<EntryInstruction*>(widget())->explained()) {
            if (QAccessibleInterface* target = QAccessible::queryAccessibleInterface(box))
                result.append({target, QAccessible::Labelled});
        }
        return result;
    }
};

QAccessibleInterface* instructions(const QString&, QObject* object)
{
    if (auto* label = dynamic_cast<EntryInstruction*>(object))
        return new InstructionAccessible(label);
    return nullptr;
}
} // namespace

EntryInstruction::EntryInstruction(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(instructions);
        return true;
    }();
    Q_UNUSED(installed);
}

void EntryInstruction::setExplained(const QList<QWidget*>& boxes)
{
    m_explained.clear();
    for (QWidget* box : boxes)
        m_explained.append(box);
}

QList<QWidget*> EntryInstruction::explained() const
{
    QList<QWidget*> alive;
    for (const QPointer<QWidget>& box : m_explained) {
        if (box)
            alive.append(box);
    }
    return alive;
}
