#include "panel/selectiongroup.h"

#include "app/selectonfocus.h"
#include "panel/panelframe.h"

#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

SelectionGroup::SelectionGroup(QObject* parent) : QObject(parent), m_group(this)
{
    m_group.setExclusive(true);
}

void SelectionGroup::add(QAbstractButton* button, std::function<void()> act)
{
    button->setCheckable(true);
    m_group.addButton(button);
    selectOnFocus(button);
    connect(button, &QAbstractButton::pressed, this,
            [this, button] { m_pressedWhileMarked = button->isChecked() ? button : nullptr; });
    connect(button, &QAbstractButton::toggled, this, [act](bool marked) {
        if (marked)
            act();
    });
    connect(button, &QAbstractButton::clicked, this, [this, button, act] {
        if (m_pressedWhileMarked != button)
            return;
        m_pressedWhileMarked = nullptr;
        act();
    });
}

namespace {
// A push button whose caption wraps onto a second line when it is wider than
// the button, as "Speech Processor" must in a 73-pixel button.
class WrappingPushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect textArea =
            style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
    }
};
} // namespace

QAbstractButton* makeColumnSelectionButton(QWidget* canvas, const char* name, const char* caption,
                                           const FrameSpec& frame, const QRect& geometry)
{
    auto* button = new SelectionButton<QPushButton>(QString::fromLatin1(caption), canvas);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    button->setFont(sansSerifBold());
    QPalette colours = button->palette();
    colours.setColor(QPalette::Button, QColor::fromRgb(frame.background));
    colours.setColor(QPalette::ButtonText, QColor::fromRgb(frame.text));
    button->setPalette(colours);
    // The marked button must stand out at a glance: pressed in and darker.
    const QColor face = QColor::fromRgb(frame.background);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: 2px outset %3; }"
                       "QPushButton:checked { background-color: %4; border: 2px inset %3; }"
                       "QPushButton:focus { border-color: %5; }")
            .arg(face.name(), QColor::fromRgb(frame.text).name(), face.lighter(160).name(),
                 face.darker(170).name(), face.lighter(220).name()));
    return button;
}

QAbstractButton* makePushButton(QWidget* parent, const char* name, const char* caption,
                                const QRect& geometry, const char* toolTip)
{
    auto* button = new WrappingPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    if (toolTip)
        button->setToolTip(QString::fromLatin1(toolTip));
    return button;
}
