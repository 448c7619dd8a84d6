#include "guides/form5.h"

#include "ui/look.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>

namespace {
struct StationRow {
    const char* station;
    GuideEntry entry;
};

// Top to bottom. Every entry tunes the frequency its caption shows.
constexpr std::array<StationRow, 108> stations = {{
    {"WWCR, Nashville, Tennessee", {"swl1", "03.215.00 am", 3215000}},
    {"Canada, CHU, Ottawa", {"swl2", "03.330.00 am", 3330000}},
    {"USA, WWV, Fort Collins, Colorado", {"swl3", "05.000.00 am", 5000000}},
    {"USA, WWCR, Nashville, Tennessee", {"swl4", "05.070.00 am", 5070000}},
    {"USA, WGTG, McCaysville, Georgia", {"swl5", "05.085.00 am", 5085000}},
    {"USA, VOA, Greenville, NC", {"swl6", "05.745.00 am", 5745000}},
    {"USA, WYFR-Family Radio, Okeechobee, Florida", {"swl7", "05.810.00 am", 5810000}},
    {"USA, WEWN, Birmingham, Alabama", {"swl8", "05.825.00 am", 5825000}},
    {"Bolivia, Radio Mineria, Oruro", {"swl9", "05.927.00 am", 5927000}},
    {"USA, WWCR, Nashville, Tennessee", {"swl10", "05.935.00 am", 5935000}},
    {"USA, WYFR-Family Radio, Okeechobee, Florida", {"swl11", "05.950.00 am", 5950000}},
    {"China, Yunnan People's BS, Kunming", {"swl12", "05.958.00 am", 5958000}},
    {"Canada, Canada Intl., Sackville, NB", {"swl13", "05.960.00 am", 5960000}},
    {"United Kingdom, BBC, Via Greenville, USA", {"swl14", "05.975.00 am", 5975000}},
    {"Peru, Radio Melodia, Arequipa", {"swl15", "05.995.00 am", 5995000}},
    {"Cuba, Radio Habana Cuba, Havana", {"swl16", "06.000.00 am", 6000000}},
    {"Unknown?", {"swl17", "06.020.00 am", 6020000}},
    {"Brazil, Radio Globo, Rio de Janeiro", {"swl18", "06.030.00 am", 6030000}},
    {"Canada, Canada Intl., Sackville, NB", {"swl19", "06.050.00 am", 6050000}},
    {"Unknown?", {"swl20", "06.055.00 am", 6055000}},
    {"Argentina, Radio Nacional, Buenos Aires", {"swl21", "06.060.00 am", 6060000}},
    {"Unknown?", {"swl22", "06.065.00 am", 6065000}},
    {"Germany, Deutsche Welle, Multiple Locations", {"swl23", "06.075.00 am", 6075000}},
    {"USA", {"swl24", "06.090.00 am", 6090000}},
    {"Germany, Duetsche Welle, Multiple Locations", {"swl25", "06.100.00 am", 6100000}},
    {"Holland, R. Nederland, Via Neth Antilles", {"swl26", "06.165.00 am", 6165000}},
    {"United Kingdom, BBS, Via Delano, USA", {"swl27", "06.175.00 am", 6175000}},
    {"Unknown?", {"swl28", "06.195.00 am", 6195000}},
    {"Costa Rica, Radio for Peace Intl., Ciudad Colon", {"swl29", "06.975.00 am", 6975000}},
    {"Italy, IRRS-Shortwave, Milan", {"swl30", "07.125.00 am", 7125000}},
    {"Russia, Voice of Russia, Novosibirsk", {"swl31", "07.155.00 am", 7155000}},
    {"Unknown?", {"swl32", "07.250.00 am", 7250000}},
    {"Unknown?", {"swl33", "07.255.00 am", 7255000}},
    {"Russia, Voice of Russia, Petropavlovsk-K", {"swl34", "07.270.00 am", 7270000}},
    {"Unknown?", {"swl35", "07.300.00 am", 7300000}},
    {"Unknown?", {"swl36", "07.305.00 am", 7305000}},
    {"Monaco, Trans World R, Via Cerrik, Albania", {"swl37", "07.315.00 am", 7315000}},
    {"Russia, Magadan Radio, Magadan", {"swl38", "07.320.00 am", 7320000}},
    {"Canada, CHU, Ottawa", {"swl39", "07.335.00 am", 7335000}},
    {"Unknown?", {"swl40", "07.345.00 am", 7345000}},
    {"Vatican State, Vatican Radio, Sta Maria di Galeria", {"swl41", "07.365.00 am", 7365000}},
    {"USA, Unknown?", {"swl42", "07.385.00 am", 7385000}},
    {"USA, Free Asia", {"swl43", "07.415.00 am", 7415000}},
    {"Bulgaria, Radio Bulgaria, Sofia", {"swl44", "07.425.00 am", 7425000}},
    {"USA, WWCR, Nashville, Tennessee", {"swl45", "07.435.00 am", 7435000}},
    {"Greece, Foni Tis Helladas, Athens", {"swl46", "07.450.00 am", 7450000}},
    {"USA, WJCR, Upton, Kentucky", {"swl47", "07.490.00 am", 7490000}},
    {"Unknown?", {"swl48", "07.510.00 am", 7510000}},
    {"Unknown?", {"swl49", "07.537.00 am", 7537000}},
    {"Moldova, Radio Moldova Intl, Via Romania", {"swl50", "09.400.00 am", 9400000}},
    {"United Kingdom, BBS, Multiple Locations", {"swl51", "09.410.00 am", 9410000}},
    {"Greece, Foni Tis Helladas, Athens", {"swl52", "09.420.00 am", 9420000}},
    {"Unknown", {"swl53", "09.430.00 am", 9430000}},
    {"Turkey, Voice of Turkey, Ankara-uakirlar", {"swl54", "09.445.00 am", 9445000}},
    {"USA, WWCR, Nashville, Tennessee", {"swl55", "09.475.00 am", 9475000}},
    {"Unknown?", {"swl56", "09.480.00 am", 9480000}},
    {"Unknown?", {"swl57", "09.495.00 am", 9495000}},
    {"USA, WYFR-Family Radio, Okeechobee, Florida", {"swl58", "09.505.00 am", 9505000}},
    {"Romania", {"swl59", "09.510.00 am", 9510000}},
    {"Unknown?", {"swl60", "09.540.00 am", 9540000}},
    {"Unknown?", {"swl61", "09.570.00 am", 9570000}},
    {"United Kingdom, BBS", {"swl62", "09.590.00 am", 9590000}},
    {"Unknown?", {"swl63", "09.605.00 am", 9605000}},
    {"Cuba, Radio Habana Cuba, Havana", {"swl64", "09.620.00 am", 9620000}},
    {"Austria, Austria Intl., Vienna", {"swl65", "09.655.00 am", 9655000}},
    {"Russia, Voice of Russia", {"swl66", "09.665.00 am", 9665000}},
    {"Brazil", {"swl67", "09.675.00 am", 9675000}},
    {"Canada", {"swl68", "09.680.00 am", 9680000}},
    {"Unknown?", {"swl69", "09.690.00 am", 9690000}},
    {"Canada", {"swl70", "09.715.00 am", 9715000}},
    {"Canada", {"swl71", "09.735.00 am", 9735000}},
    {"USA", {"swl72", "09.745.00 am", 9745000}},
    {"Canada", {"swl73", "09.755.00 am", 9755000}},
    {"Unknown?", {"swl74", "09.795.00 am", 9795000}},
    {"Unknown?", {"swl75", "09.820.00 am", 9820000}},
    {"USA, Herald Broadcasting", {"swl76", "09.845.00 am", 9845000}},
    {"Unknown?", {"swl77", "09.850.00 am", 9850000}},
    {"Austria", {"swl78", "09.870.00 am", 9870000}},
    {"Russia", {"swl79", "09.885.00 am", 9885000}},
    {"USA, Free Asia", {"swl80", "09.905.00 am", 9905000}},
    {"Belgium", {"swl81", "09.925.00 am", 9925000}},
    {"Unknown?", {"swl82", "09.965.00 am", 9965000}},
    {"Unknown?", {"swl83", "09.975.00 am", 9975000}},
    {"USA, WWV, Fort Collins, Colorado", {"swl84", "10.000.00 am", 10000000}},
    {"Israel", {"swl85", "11.585.00 am", 11585000}},
    {"France", {"swl86", "11.615.00 am", 11615000}},
    {"Monaco", {"swl87", "11.635.00 am", 11635000}},
    {"Greece", {"swl88", "11.645.00 am", 11645000}},
    {"Unknown?", {"swl89", "11.675.00 am", 11675000}},
    {"Unknown?", {"swl90", "11.700.00 am", 11700000}},
    {"Unknown?", {"swl91", "11.785.00 am", 11785000}},
    {"France", {"swl92", "11.800.00 am", 11800000}},
    {"Unknown?", {"swl93", "11.810.00 am", 11810000}},
    {"Unknown?", {"swl94", "11.845.00 am", 11845000}},
    {"Unknown?", {"swl95", "11.950.00 am", 11950000}},
    {"Unknown?", {"swl96", "11.985.00 am", 11985000}},
    {"Macedonia", {"swl97", "11.995.00 am", 11995000}},
    {"Egypt", {"swl98", "12.050.00 am", 12050000}},
    {"Malta", {"swl99", "12.060.00 am", 12060000}},
    {"United Kingdom, BBS", {"swl100", "12.095.00 am", 12095000}},
    {"Iran", {"swl101", "13.605.00 am", 13605000}},
    {"Unknown?", {"swl102", "13.675.00 am", 13675000}},
    {"Germany", {"swl103", "13.690.00 am", 13690000}},
    {"Austria", {"swl104", "13.730.00 am", 13730000}},
    {"Germany", {"swl105", "13.780.00 am", 13780000}},
    {"Denmark", {"swl106", "13.800.00 am", 13800000}},
    {"USA, WWV, Fort Collins, Colorado", {"swl107", "15.000.00 am", 15000000}},
    {"Unknown", {"swl108", "15.105.00 am", 15105000}},
}};

int pixels(int twips)
{
    return qRound(twips / double(Form5::twipsPerPixel));
}

QRect pixelRect(int x, int y, int width, int height)
{
    return QRect(pixels(x), pixels(y), pixels(width), pixels(height));
}

constexpr int rowTopTwips = 255;
constexpr int rowHeightTwips = 285;
constexpr int stationLeftTwips = 210;
constexpr int stationWidthTwips = 4335;
constexpr int frequencyLeftTwips = 4545;
constexpr int frequencyWidthTwips = 1590;
} // namespace

Form5::Form5(PortLease lease, QWidget* parent)
    : GuideWindow(std::move(lease), parent, "Form5", "Short Wave Radio Stations", QSize(449, 475),
                  Mode::AM)
{
    fillBackground(this, QColor(0, 128, 128));

    m_panel = new QGroupBox(QStringLiteral("Short Wave Radio"), this);
    m_panel->setObjectName(QStringLiteral("Frame1"));
    m_panel->setAccessibleName(m_panel->title());
    // Set once on the panel, inherited by all 216 boxes.
    QPalette panel = palette();
    panel.setColor(QPalette::WindowText, Qt::white);
    panel.setColor(QPalette::Base, QColor(192, 255, 192));
    panel.setColor(QPalette::Text, Qt::black);
    m_panel->setPalette(panel);
    m_panel->setAutoFillBackground(true);
    m_panel->setFont(designFont(8.25, true));
    m_panel->setGeometry(pixelRect(panelLeftTwips, 15, 6300, 31440));

    const QFont frequencyFont = designFont(9.75, true);
    QList<QWidget*> stationBoxes;
    QList<QWidget*> frequencyBoxes;
    int top = rowTopTwips;
    for (const StationRow& row : stations) {
        auto* station = new QLineEdit(QString::fromLatin1(row.station), m_panel);
        station->setObjectName(QStringLiteral("Text1"));
        station->setAccessibleName(station->text());
        station->setReadOnly(true);
        station->setGeometry(pixelRect(stationLeftTwips, top, stationWidthTwips, rowHeightTwips));
        stationBoxes.append(station);

        QLineEdit* frequency =
            addTextEntry(m_panel, row.entry,
                         pixelRect(frequencyLeftTwips, top, frequencyWidthTwips, rowHeightTwips));
        frequency->setFont(frequencyFont);
        frequencyBoxes.append(frequency);
        top += rowHeightTwips;
    }
    fitCaptions(stationBoxes);
    fitCaptions(frequencyBoxes);
    fitCaption(m_panel);

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("VScroll1"));
    m_scrollBar->setAccessibleName(QStringLiteral("Scroll the station list"));
    m_scrollBar->setGeometry(pixelRect(6405, 135, 225, 6930));
    m_scrollBar->setRange(0, 123);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(15);
    // A dragged scroll box moves the list only when it is let go.
    m_scrollBar->setTracking(false);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &Form5::VScroll1_Change);
}

void Form5::VScroll1_Change()
{
    m_panel->move(pixels(panelLeftTwips), pixels(-twipsPerScrollUnit * m_scrollBar->value()));
}
