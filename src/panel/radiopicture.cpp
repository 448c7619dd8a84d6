#include "panel/radiopicture.h"

#include "ui/pictures.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {
class RadioPictureAccessible : public QAccessibleWidget {
public:
    explicit RadioPictureAccessible(RadioPicture* picture) : QAccessibleWidget(picture) {}

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        const QString brief = static_cast<RadioPicture*>(widget())->lastSentBrief();
        if (t != QAccessible::Name || brief.isEmpty())
            return own;
        return own + QStringLiteral(", ") + brief;
    }
};

QAccessibleInterface* radioPictures(const QString&, QObject* object)
{
    if (auto* picture = qobject_cast<RadioPicture*>(object))
        return new RadioPictureAccessible(picture);
    return nullptr;
}
} // namespace

RadioPicture::RadioPicture(QWidget* parent)
    : QWidget(parent), m_picture(loadPicture(QStringLiteral(":/pictures/radio-front.png")))
{
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(QStringLiteral("Radio front panel"));
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(175, 4, 251, 116);
    static const bool installed = [] {
        QAccessible::installFactory(radioPictures);
        return true;
    }();
    Q_UNUSED(installed);
    // An interface made while the widget was being created took it for a plain widget.
    if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(this))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
}

void RadioPicture::showLastSent(const QString& brief, const QString& summary)
{
    m_brief = brief;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    setAccessibleDescription(summary);
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void RadioPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_picture);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void RadioPicture::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void RadioPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
