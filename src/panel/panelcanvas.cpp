#include "panel/panelcanvas.h"

#include "panel/columnbutton.h"
#include "panel/framedaccessible.h"
#include "panel/safenavigation.h"
#include "panel/selectiongroup.h"
#include "ui/captions.h"
#include "ui/colours.h"

#include <QMap>
#include <QStyle>

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <optional>

namespace {
// A push button whose caption wraps onto a second line when it is wider than
// the button, as "Speech Processor" must in a 73-pixel button.
class WrappingPushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    // Under safe keyboard navigation Return presses it, as it does a
    // selection button; otherwise only Space does, as always.
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool plainReturn =
            (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            !(event->modifiers() & ~Qt::KeypadModifier);
        if (plainReturn && SafeNavigation::instance().active()) {
            click();
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }

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

constexpr QSize columnButtonSize(61, 17);

// The column buttons of each frame are a class of their own, so that their
// colours are one palette made once per frame (see useClassColours): kept
// there for anyone who asks what they are, though they paint themselves.
class BandButton : public ColumnButton {
    Q_OBJECT
    using ColumnButton::ColumnButton;
};
class ModeButton : public ColumnButton {
    Q_OBJECT
    using ColumnButton::ColumnButton;
};
class FunctionButton : public ColumnButton {
    Q_OBJECT
    using ColumnButton::ColumnButton;
};
class PowerButton : public ColumnButton {
    Q_OBJECT
    using ColumnButton::ColumnButton;
};

template <typename Kind>
ColumnButton* columnButton(const FrameSpec& spec, const QString& caption, QWidget* parent)
{
    const QColor face = QColor::fromRgb(spec.background);
    const QColor text = QColor::fromRgb(spec.text);
    auto* button = new Kind(caption, face, text, parent);
    useClassColours(button, {{QPalette::Button, face}, {QPalette::ButtonText, text}});
    return button;
}

ColumnButton* columnButtonIn(const FrameSpec& spec, const QString& caption, QWidget* parent)
{
    switch (spec.frame) {
    case Frame::Bands:
        return columnButton<BandButton>(spec, caption, parent);
    case Frame::Modes:
        return columnButton<ModeButton>(spec, caption, parent);
    case Frame::Functions:
        return columnButton<FunctionButton>(spec, caption, parent);
    case Frame::Power:
        return columnButton<PowerButton>(spec, caption, parent);
    default:
        // No other frame has a column. A button there paints itself all the
        // same; a class palette for it would need a class of its own first,
        // or it would colour every push button.
        return new ColumnButton(caption, QColor::fromRgb(spec.background),
                                QColor::fromRgb(spec.text), parent);
    }
}

// The frame a control lies over (or in), by where it is on the canvas.
std::optional<Frame> frameUnder(const QWidget* control, const QWidget* canvas)
{
    const QRect place(control->mapTo(canvas, QPoint(0, 0)), control->size());
    for (const FrameSpec& spec : panelFrames) {
        if (spec.geometry.contains(place))
            return spec.frame;
    }
    return std::nullopt;
}

// The highest row of pixels a control paints, on the canvas. Push buttons
// paint their whole face; a radio button only its dot and the letters of its
// caption, both centred in its height, so a frame's caption may reach into
// its top.
int paintedTop(const QWidget* control, const QWidget* canvas)
{
    const int top = control->mapTo(canvas, QPoint(0, 0)).y();
    const auto* radio = qobject_cast<const QRadioButton*>(control);
    if (!radio)
        return top;
    const int dot =
        radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, radio);
    const QFontMetrics metrics = radio->fontMetrics();
    const int line = (radio->height() - metrics.height()) / 2;
    const int letters = line + metrics.ascent() + metrics.tightBoundingRect(radio->text()).top();
    return top + std::min((radio->height() - dot) / 2, letters);
}
} // namespace

PanelCanvas::PanelCanvas(QWidget* canvas, SelectionGroup& selection)
    : m_canvas(canvas), m_selection(selection)
{
    // Frames first, so that the controls created afterwards lie over them.
    for (const FrameSpec& spec : panelFrames)
        m_frames[static_cast<std::size_t>(spec.frame)] = PanelFrame::create(spec, canvas);
}

QAbstractButton* PanelCanvas::addColumnButton(Frame frame, int index, const char* name,
                                              const char* caption, std::function<void()> act)
{
    const FrameSpec& spec = frameSpec(frame);
    ColumnButton* button = columnButtonIn(spec, QString::fromLatin1(caption), m_canvas);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text());
    button->setGeometry(stackedInFrame(spec, index, columnButtonSize, Qt::Vertical));
    button->setFont(sansSerifBold());
    addSelection(button, std::move(act));
    m_columnButtons.append(button);
    return button;
}

QAbstractButton* PanelCanvas::addPushButton(QWidget* parent, const QRect& place, const char* name,
                                            const char* caption, const char* toolTip,
                                            std::function<void()> act)
{
    auto* button = new WrappingPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text());
    button->setGeometry(place);
    button->setAutoDefault(false);
    if (toolTip)
        button->setToolTip(QString::fromLatin1(toolTip));
    QObject::connect(button, &QAbstractButton::clicked, button, std::move(act));
    keep(button);
    m_pushButtons.append(button);
    return button;
}

void PanelCanvas::addSelection(QAbstractButton* button, std::function<void()> act)
{
    m_selection.add(button, std::move(act));
    keep(button);
}

void PanelCanvas::keep(QWidget* control)
{
    m_controls.insert(control->objectName(), control);
}

QWidget* PanelCanvas::chainFocus(const QStringList& names) const
{
    QWidget* first = nullptr;
    QWidget* previous = nullptr;
    for (const QString& name : names) {
        QWidget* control = m_controls.value(name);
        Q_ASSERT_X(control, "PanelCanvas::chainFocus", "a control in the focus order is missing");
        if (!control)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        else
            first = control;
        previous = control;
    }
    return first;
}

void PanelCanvas::describeByFrame()
{
    for (QWidget* control : m_canvas->findChildren<QWidget*>()) {
        if (dynamic_cast<PanelFrame*>(control))
            continue;
        if (const std::optional<Frame> frame = frameUnder(control, m_canvas)) {
            control->setAccessibleDescription(QString::fromLatin1(frameSpec(*frame).caption));
            groupInFrame(control, this->frame(*frame));
        }
    }
}

void PanelCanvas::fitCaptions()
{
    ::fitCaptions(m_columnButtons);

    QMap<Frame, QList<QAbstractButton*>> pushButtonsByFrame;
    for (QAbstractButton* button : m_pushButtons) {
        const Frame frame = frameUnder(button, m_canvas).value_or(Frame::Settings);
        pushButtonsByFrame[frame == Frame::Wwv ? Frame::Transmission : frame].append(button);
    }
    for (const QList<QAbstractButton*>& row : pushButtonsByFrame)
        ::fitCaptions(row, CaptionFlow::Wrapped);

    // Every control of the canvas is a child of it or of a frame.
    QList<QWidget*> controls = m_canvas->findChildren<QWidget*>();
    for (PanelFrame* frame : m_frames) {
        const QRect area = frame->geometry();
        int band = area.height();
        for (const QWidget* control : controls) {
            if (control != frame && !dynamic_cast<const PanelFrame*>(control) &&
                frameUnder(control, m_canvas) == frame->which())
                band = std::min(band, paintedTop(control, m_canvas) - area.top());
        }
        frame->fitCaption(band);
    }
}

#include "panelcanvas.moc"
