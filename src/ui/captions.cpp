#include "ui/captions.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <functional>
#include <optional>

namespace {
// The style option a control paints itself with (the widgets keep the
// filling-in protected; a pointer to the member reaches it lawfully).
template <typename Widget, typename Option> Option styleOptionOf(const Widget* widget)
{
    struct Access : Widget {
        using Widget::initStyleOption;
    };
    void (Widget::*init)(Option*) const = &Access::initStyleOption;
    Option option;
    (widget->*init)(&option);
    return option;
}

// A caption and the room its control's style leaves for it.
struct Caption {
    QString text;
    QSizeF room;
    int textFlags = 0;
};

// Mirrors how each kind of control lays out its text: the style's contents
// rectangle, less the margins the widget itself keeps.
std::optional<Caption> captionOf(QWidget* control, CaptionFlow flow, const QString& sample)
{
    control->ensurePolished();
    const int wrap = flow == CaptionFlow::Wrapped ? int(Qt::TextWordWrap) : 0;
    const QStyle* style = control->style();
    auto text = [&sample](const QString& own) { return sample.isEmpty() ? own : sample; };
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        const auto option = styleOptionOf<QPushButton, QStyleOptionButton>(button);
        const auto* own = dynamic_cast<const CaptionArea*>(button);
        const QRect room =
            own ? own->captionRect()
                : style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return Caption{text(button->text()), room.size(), Qt::TextShowMnemonic | wrap};
    }
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        const auto option = styleOptionOf<QRadioButton, QStyleOptionButton>(radio);
        const QRect room = style->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
        return Caption{text(radio->text()), room.size(), Qt::TextShowMnemonic | wrap};
    }
    if (auto* check = qobject_cast<QCheckBox*>(control)) {
        const auto option = styleOptionOf<QCheckBox, QStyleOptionButton>(check);
        const QRect room = style->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
        return Caption{text(check->text()), room.size(), Qt::TextShowMnemonic | wrap};
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (!label->pixmap().isNull())
            return std::nullopt;
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        return Caption{text(label->text()), room.size(),
                       label->wordWrap() ? int(Qt::TextWordWrap) : wrap};
    }
    if (auto* box = qobject_cast<QGroupBox*>(control)) {
        // The title, with the padding the style gives it, runs from its
        // indent to as far from the far edge, and sits above the box's first
        // control.
        const auto option = styleOptionOf<QGroupBox, QStyleOptionGroupBox>(box);
        const QRect title =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const QSize padding =
            title.size() - box->fontMetrics().size(Qt::TextShowMnemonic, box->title());
        int top = box->height();
        for (const QWidget* inside : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            top = std::min(top, inside->y());
        return Caption{text(box->title()),
                       QSizeF(box->width() - 2 * title.x() - padding.width(),
                              top - title.y() - padding.height()),
                       Qt::TextShowMnemonic};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        // A text box keeps 2 pixels each side of its text and one for the cursor.
        const auto option = styleOptionOf<QLineEdit, QStyleOptionFrame>(edit);
        const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .marginsRemoved(edit->textMargins());
        return Caption{text(edit->text()), QSizeF(room.width() - 5, room.height()), 0};
    }
    return std::nullopt;
}

bool fits(const QFont& font, const QString& text, QSizeF room, int textFlags, const QWidget* on)
{
    if (text.isEmpty())
        return true;
    // Whole pixels, as the controls themselves measure.
    const QFontMetrics metrics(font, on);
    const QSize needed =
        textFlags & Qt::TextWordWrap
            ? metrics.boundingRect(QRect(0, 0, int(room.width()), 1 << 20), textFlags, text).size()
            : metrics.size(textFlags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// The forms of a font to try, largest first: at each size a little condensed
// before a little smaller, and at the smallest size condensed further.
QList<QFont> smallerForms(const QFont& font)
{
    constexpr qreal smallestPoints = 5;
    constexpr qreal step = 0.25;
    constexpr int stretches[] = {100, 93, 87};
    constexpr int lastResort[] = {81, 75};
    QList<QFont> forms{font};
    const bool inPixels = font.pointSizeF() <= 0;
    const qreal start = inPixels ? font.pixelSize() : font.pointSizeF();
    const qreal floor = inPixels ? smallestPoints * 4 / 3 : smallestPoints;
    const qreal unit = inPixels ? 1 : step;
    auto form = [&](qreal size, int stretch) {
        QFont smaller = font;
        if (inPixels)
            smaller.setPixelSize(int(size));
        else
            smaller.setPointSizeF(size);
        smaller.setStretch(stretch);
        return smaller;
    };
    // Largest first, by how wide the text comes out (size times stretch); at
    // equal width the face's own proportions before a condensed one. So a
    // caption a little too wide is set a little smaller rather than condensed,
    // which would also take another face (a file and its glyphs) into memory.
    struct Candidate {
        qreal size;
        int stretch;
    };
    QList<Candidate> candidates;
    qreal size = start;
    for (; size >= floor; size -= unit) {
        for (int stretch : stretches) {
            if (size != start || stretch != 100)
                candidates.append({size, stretch});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) {
                         return a.size * a.stretch > b.size * b.stretch;
                     });
    for (const Candidate& candidate : candidates)
        forms.append(form(candidate.size, candidate.stretch));
    for (int stretch : lastResort)
        forms.append(form(size + unit, stretch));
    return forms;
}

} // namespace

QFont largestFitting(const QFont& font, const std::function<bool(const QFont&)>& fits)
{
    const QList<QFont> forms = smallerForms(font);
    for (const QFont& form : forms) {
        if (fits(form))
            return form;
    }
    return forms.last();
}

void fitCaptions(const QList<QWidget*>& controls, CaptionFlow flow, const QString& sample)
{
    // Controls that share a font end up sharing the fitted one.
    QList<std::pair<QFont, QList<std::pair<QWidget*, Caption>>>> byFont;
    for (QWidget* control : controls) {
        std::optional<Caption> caption = captionOf(control, flow, sample);
        if (!caption)
            continue;
        auto group = std::find_if(byFont.begin(), byFont.end(), [control](const auto& entry) {
            return entry.first == control->font();
        });
        if (group == byFont.end())
            group = byFont.insert(byFont.end(), {control->font(), {}});
        group->second.append({control, *caption});
    }
    for (const auto& group : byFont) {
        // Named apart from a structured binding, which a lambda of clang 14 cannot capture.
        const QFont& font = group.first;
        const auto& captions = group.second;
        const QFont chosen = largestFitting(font, [&captions](const QFont& form) {
            return std::all_of(captions.begin(), captions.end(), [&form](const auto& entry) {
                const Caption& caption = entry.second;
                return fits(form, caption.text, caption.room, caption.textFlags, entry.first);
            });
        });
        // A font that fits as it is stays untouched, so it keeps following the desktop's.
        if (chosen == font)
            continue;
        for (const auto& entry : captions)
            entry.first->setFont(chosen);
    }
}

void fitCaption(QWidget* control, CaptionFlow flow)
{
    fitCaptions({control}, flow);
}
