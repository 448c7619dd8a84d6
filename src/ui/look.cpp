#include "ui/look.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>

namespace {
QFont withStandIns(const QString& family, qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

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

void makeFixedDialog(QDialog* dialog, QSize clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientSize);
    dialog->setModal(true);
    centreOnScreen(dialog);
    scrollWhenLargerThanScreen(dialog);
}

void centreOnScreen(QWidget* window)
{
    const QRect area = availableScreenArea(window);
    if (area.isValid())
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

namespace {
std::optional<QRect>& fakedScreenArea()
{
    static std::optional<QRect> area;
    return area;
}

// What the window manager adds around a window: a title bar and borders.
QSize decorations(const QWidget* window)
{
    const QStyle* style = window->style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {2 * border, title + 2 * border};
}

void moveIntoScrollArea(QWidget* window, QSize room)
{
    const QSize design = window->size();
    QList<QPointer<QWidget>> focusOrder;
    for (QWidget* next = window->nextInFocusChain(); next && next != window;
         next = next->nextInFocusChain())
        focusOrder.append(next);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrolledContent"));
    content->setFixedSize(design);
    content->setPalette(window->palette());
    content->setAutoFillBackground(window->autoFillBackground());
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow())
            continue;
        const QRect place = control->geometry();
        const bool shown = !control->isHidden();
        control->setParent(content);
        control->setGeometry(place);
        control->setVisible(shown);
    }
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("ScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    // Focus moves the view along, so Tab reaches every control as before.
    for (qsizetype i = 1; i < focusOrder.size(); ++i) {
        if (focusOrder[i - 1] && focusOrder[i])
            QWidget::setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    // Room for the scroll bars too, where the screen has it.
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    QSize size = design;
    if (design.height() > room.height())
        size.rwidth() += bar;
    if (design.width() > room.width())
        size.rheight() += bar;
    window->setFixedSize(size.boundedTo(room));
}

class ScrollWhenTooLarge : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto* window = static_cast<QWidget*>(watched);
        window->removeEventFilter(this);
        deleteLater();
        const QRect area = availableScreenArea(window);
        const QSize room = area.size() - decorations(window);
        if (area.isValid() &&
            (window->width() > room.width() || window->height() > room.height())) {
            moveIntoScrollArea(window, room);
            centreOnScreen(window);
        }
        return false;
    }
};
} // namespace

QRect availableScreenArea(const QWidget* window)
{
    if (fakedScreenArea())
        return *fakedScreenArea();
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void setAvailableScreenAreaForTests(std::optional<QRect> area)
{
    fakedScreenArea() = area;
}

void scrollWhenLargerThanScreen(QWidget* window)
{
    window->installEventFilter(new ScrollWhenTooLarge(window));
}

QFont designFont(qreal pointSize, bool bold)
{
    return withStandIns(QStringLiteral("MS Sans Serif"), pointSize, bold);
}

QFont tahomaFont(qreal pointSize)
{
    return withStandIns(QStringLiteral("Tahoma"), pointSize, false);
}

void useClassColours(QWidget* widget, std::initializer_list<ClassColour> colours)
{
    // One palette for every widget of the class, made once. A palette made
    // afresh at each opening of a window has a new cache key each time, so the
    // images the style caches for its buttons would never be found again and
    // would pile up in Qt's pixmap cache, opening after opening.
    static QHash<QByteArray, QList<QRgb>> shared;
    const QByteArray className = widget->metaObject()->className();
    QList<QRgb> wanted;
    for (const ClassColour& colour : colours)
        wanted << QRgb(colour.role) << colour.colour.rgba();
    if (shared.value(className) == wanted)
        return;
    QPalette palette = QApplication::palette();
    for (const ClassColour& colour : colours)
        palette.setColor(colour.role, colour.colour);
    // As if it were the application's own: the widget and its children then
    // take this very palette, rather than copies resolved against it.
    palette.setResolveMask(0);
    QApplication::setPalette(palette, className.constData());
    shared.insert(className, wanted);
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    useClassColours(widget, {{QPalette::Window, colour}});
    widget->setAutoFillBackground(true);
}

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
