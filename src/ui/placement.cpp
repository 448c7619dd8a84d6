#include "ui/placement.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <optional>

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
