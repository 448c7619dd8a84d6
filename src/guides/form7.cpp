#include "guides/form7.h"

#include "ui/look.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr QSize clientSize(376, 246);
constexpr int dividerX = 185;
constexpr int dividerY = 59;

struct SarexButton {
    GuideEntry entry;
    QRect geometry;
    const char* station; // both stations share two frequencies: a screen reader says whose
};

constexpr const char* wa3nan = "WA3NAN, Goddard Amateur Radio Club";
constexpr const char* w5rrr = "W5RRR, Johnson Space Center ARC";

// WA3NAN in the left half, W5RRR in the right.
const std::array<SarexButton, 9> sarexButtons = {{
    {{"Command1", "3860 kHz", 3860000}, QRect(50, 72, 92, 29), wa3nan},
    {{"Command2", "7185 kHz", 7185000}, QRect(50, 105, 92, 29), wa3nan},
    {{"Command3", "14295 kHz", 14295000}, QRect(50, 139, 92, 29), wa3nan},
    {{"Command4", "21395 kHz", 21395000}, QRect(50, 173, 92, 29), wa3nan},
    {{"Command5", "28650 kHz", 28650000}, QRect(50, 207, 92, 29), wa3nan},
    {{"Command6", "7225 kHz", 7225000}, QRect(239, 77, 92, 33), w5rrr},
    {{"Command7", "14280 kHz", 14280000}, QRect(239, 116, 92, 33), w5rrr},
    {{"Command8", "21395 kHz", 21395000}, QRect(239, 155, 92, 33), w5rrr},
    {{"Command9", "28650 kHz", 28650000}, QRect(239, 195, 92, 33), w5rrr},
}};

const std::array<GuideText, 2> descriptions = {{
    {"Text1", "WA3NAN\nGoddard Amateur Radio Club\nShuttle Audio and SAREZ\nBulletins",
     QRect(3, 4, 173, 53)},
    {"Text2", "W5RRR\nJohnson Space Center ARC\nHouston, Texas\nSAREX Bulletins",
     QRect(192, 3, 181, 54)},
}};
} // namespace

Form7::Form7(PortLease lease, QWidget* parent)
    : GuideWindow(std::move(lease), parent, "Form7", "SAREX", clientSize, Mode::USB)
{
    fillBackground(this, QColor(192, 255, 192));

    for (const GuideText& description : descriptions) {
        auto* box = new QLabel(QString::fromLatin1(description.text), this);
        box->setObjectName(QString::fromLatin1(description.name));
        box->setAccessibleName(box->text());
        box->setFont(designFont(8.25, true));
        box->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setGeometry(description.geometry);
        fitCaption(box);
    }
    QList<QWidget*> buttons;
    for (const SarexButton& button : sarexButtons) {
        QPushButton* entry = addButtonEntry(this, button.entry, button.geometry);
        entry->setAccessibleDescription(QString::fromLatin1(button.station));
        buttons.append(entry);
    }
    fitCaptions(buttons);
}

void Form7::paintEvent(QPaintEvent* event)
{
    GuideWindow::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawLine(dividerX, 0, dividerX, height());
    painter.drawLine(0, dividerY, width(), dividerY);
}
