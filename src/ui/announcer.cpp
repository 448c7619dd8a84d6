#include "ui/announcer.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {
const QString boardName = QStringLiteral("Announcement");

// Invisible to the eye: one pixel in the corner, under every control, that
// takes neither focus nor mouse.
class AnnouncementBoard : public QWidget {
public:
    explicit AnnouncementBoard(QWidget* window) : QWidget(window)
    {
        setObjectName(boardName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        lower();
    }

    QString words;
};

class AnnouncementAccessible : public QAccessibleWidget {
public:
    explicit AnnouncementAccessible(AnnouncementBoard* board)
        : QAccessibleWidget(board, QAccessible::Notification)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<AnnouncementBoard*>(widget())->words;
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* boards(const QString&, QObject* object)
{
    if (object->objectName() == boardName) {
        if (auto* board = dynamic_cast<AnnouncementBoard*>(object))
            return new AnnouncementAccessible(board);
    }
    return nullptr;
}
} // namespace

void announce(QWidget* window, const QString& words)
{
    if (!window || words.isEmpty())
        return;
    auto* board = window->findChild<AnnouncementBoard*>(boardName, Qt::FindDirectChildrenOnly);
    if (!board) {
        static const bool installed = [] {
            QAccessible::installFactory(boards);
            return true;
        }();
        Q_UNUSED(installed);
        board = new AnnouncementBoard(window);
    }
    board->words = words;
    board->hide();
    QAccessibleEvent named(board, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    board->show();
}
