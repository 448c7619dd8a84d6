#include "guides/form8.h"

#include "ui/look.h"

#include <QLabel>
#include <QPainter>

#include <array>
#include <optional>

namespace {
struct Segment {
    double fromMHz;
    double toMHz;
};

struct Band {
    const char* name;
    std::optional<Segment> morse; // "CW/FSK", red
    std::optional<Segment> voice; // "Voice/CW/SSTV/FAX", blue
};

const std::array<Band, 9> bands = {{
    {"10M", Segment{28.100, 28.300}, Segment{28.300, 29.700}},
    {"12M", Segment{24.890, 24.930}, Segment{24.930, 24.990}},
    {"15M", Segment{21.025, 21.200}, Segment{21.300, 21.450}},
    {"17M", Segment{18.068, 18.110}, Segment{18.110, 18.168}},
    {"20M", Segment{14.025, 14.150}, Segment{14.225, 14.350}},
    {"30M", Segment{10.100, 10.150}, std::nullopt},
    {"40M", Segment{7.025, 7.150}, Segment{7.225, 7.300}},
    {"80M", Segment{3.525, 3.750}, Segment{3.850, 4.000}},
    {"160M", std::nullopt, Segment{1.800, 2.000}},
}};

constexpr QSize chartSize(421, 416);
constexpr int barsLeft = 58;
constexpr int barsRight = 410;
constexpr int barHeight = 18;
constexpr int gap = 24; // between two segments that do not meet
constexpr int shadow = 3;
const QColor chartGrey(127, 127, 127);
const QColor morseRed(255, 0, 0);
const QColor voiceBlue(0, 0, 255);

QString megahertz(double value)
{
    return QString::number(value, 'f', 3);
}

void drawBar(QPainter& painter, const QRect& bar, const QColor& colour, const QString& label)
{
    painter.fillRect(bar.translated(shadow, shadow), Qt::black);
    painter.fillRect(bar, colour);
    painter.setPen(Qt::white);
    painter.drawText(bar, Qt::AlignCenter, label);
}

// An edge label above a bar's end, kept inside the bars' extent.
void drawEdge(QPainter& painter, int x, int barTop, double value, Qt::Alignment side)
{
    const QString text = megahertz(value);
    const int width = painter.fontMetrics().horizontalAdvance(text) + 2;
    int left = x - width / 2;
    if (side == Qt::AlignLeft)
        left = x;
    else if (side == Qt::AlignRight)
        left = x - width;
    painter.drawText(QRect(left, barTop - 16, width, 14), Qt::AlignCenter, text);
}
} // namespace

QImage Form8::drawChart()
{
    QImage chart(chartSize, QImage::Format_RGB888);
    chart.fill(chartGrey);
    QPainter painter(&chart);
    QFont font = designFont(8.25, true);
    painter.setFont(font);

    const int rowHeight = chartSize.height() / int(bands.size());
    for (size_t i = 0; i < bands.size(); ++i) {
        const Band& band = bands[i];
        const int rowTop = rowHeight * int(i);
        const int barTop = rowTop + 20;
        painter.setPen(Qt::white);
        painter.drawText(QRect(6, barTop, barsLeft - 8, barHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(band.name));

        // One bar alone fills the extent; two share it, with a gap between
        // them unless they meet.
        int morseRight = barsRight;
        int voiceLeft = barsLeft;
        if (band.morse && band.voice) {
            const bool meet = band.morse->toMHz == band.voice->fromMHz;
            const int middle = (barsLeft + barsRight) / 2;
            morseRight = meet ? middle : middle - gap / 2;
            voiceLeft = meet ? middle : middle + gap / 2;
        }
        if (band.morse) {
            drawBar(painter, QRect(barsLeft, barTop, morseRight - barsLeft, barHeight), morseRed,
                    QStringLiteral("CW/FSK"));
            drawEdge(painter, barsLeft, barTop, band.morse->fromMHz, Qt::AlignLeft);
            const bool shared = band.voice && voiceLeft == morseRight;
            if (!shared)
                drawEdge(painter, morseRight, barTop, band.morse->toMHz, Qt::AlignRight);
        }
        if (band.voice) {
            drawBar(painter, QRect(voiceLeft, barTop, barsRight - voiceLeft, barHeight), voiceBlue,
                    QStringLiteral("Voice/CW/SSTV/FAX"));
            const bool shared = band.morse && voiceLeft == morseRight;
            drawEdge(painter, voiceLeft, barTop, band.voice->fromMHz,
                     shared ? Qt::AlignHCenter : Qt::AlignLeft);
            drawEdge(painter, barsRight, barTop, band.voice->toMHz, Qt::AlignRight);
        }
    }
    return chart;
}

Form8::Form8(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Band Plan"));
    makeFixedDialog(this, QSize(423, 422));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setAccessibleName(QStringLiteral("Band plan chart"));
    picture->setGeometry(0, 0, 421, 421);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap::fromImage(drawChart()));
}
