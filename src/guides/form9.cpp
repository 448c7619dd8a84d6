#include "guides/form9.h"

#include "ui/look.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr QSize clientSize(454, 472);

// Every button selects VFO A before the mode.
constexpr std::array<GuideEntry, 7> codeEntries = {{
    {"Command1", "1.818", 1818000, CommandOrder::ReceiverFirst},
    {"Command2", "3.5815", 3581500, CommandOrder::ReceiverFirst},
    {"Command3", "7.0475", 7047500, CommandOrder::ReceiverFirst},
    {"Command4", "14.0475", 14047500, CommandOrder::ReceiverFirst},
    {"Command5", "18.0975", 18097500, CommandOrder::ReceiverFirst},
    {"Command6", "21.0675", 21067500, CommandOrder::ReceiverFirst},
    {"Command7", "28.0675", 28067500, CommandOrder::ReceiverFirst},
}};

// The schedule grid. Four time-zone columns then seven day columns; each row
// lists its day cells left to right, skipping columns that a taller cell
// from a row above already covers. A cell without a span covers one column.
struct DayCell {
    const char* text = nullptr; // nullptr ends the row
    int columns = 1;
    int rows = 1;
    bool large = false;
};

struct ScheduleRow {
    std::array<const char*, 4> times;
    std::array<DayCell, 7> days;
};

constexpr std::array<ScheduleRow, 19> schedule = {{
    {{"Pacific", "Mtn", "Cent", "East"},
     {{{"Sun"}, {"Mon"}, {"Tue"}, {"Wed"}, {"Thu"}, {"Fri"}, {"Sat"}}}},
    {{"6am", "7am", "8am", "9am"}, {{{"", 4}, {"FC"}, {"SC"}, {""}}}},
    {{"7am", "8am", "9am", "10am"}, {{{"", 4}, {"Code Bull.", 2}, {""}}}},
    {{"8am", "9am", "10am", "11am"}, {{{"", 4}, {"Tele Bull", 2}, {""}}}},
    {{"9am", "10am", "11am", "noon"}, {{{"", 7}}}},
    {{"10am", "11am", "noon", "1pm"}, {{{""}, {"VISITING OPERATOR TIME", 6, 3, true}}}},
    {{"11am", "noon", "1pm", "2pm"}, {{{""}}}},
    {{"noon", "1pm", "2pm", "3pm"}, {{{""}}}},
    {{"1pm", "2pm", "3pm", "4pm"}, {{{"SC"}, {"FC"}, {"SC"}, {"FC"}, {"SC"}, {"FC"}, {"SC"}}}},
    {{"2pm", "3pm", "4pm", "5pm"}, {{{"Code Bulletin", 7}}}},
    {{"3pm", "4pm", "5pm", "6pm"}, {{{"Teleprinter Bulletin", 7}}}},
    {{"4pm", "5pm", "6pm", "7pm"}, {{{"FC"}, {"SC"}, {"FC"}, {"SC"}, {"FC"}, {"SC"}, {"FC"}}}},
    {{"5pm", "6pm", "7pm", "8pm"}, {{{"Code Bulletin", 7}}}},
    {{"6pm", "7pm", "8pm", "9pm"}, {{{"Teleprinter Bulletin", 7}}}},
    {{"6:45pm", "7:45pm", "8:45pm", "9:45pm"}, {{{"Voice Bulletin", 7}}}},
    {{"7pm", "8pm", "9pm", "10pm"}, {{{"SC"}, {"FC"}, {"SC"}, {"FC"}, {"SC"}, {"FC"}, {"SC"}}}},
    {{"8pm", "9pm", "10pm", "11pm"}, {{{"Code Bulletin", 7}}}},
    {{"9pm", "10pm", "11pm", "Mdnte"}, {{{"Teleprinter Bulletin", 7}}}},
    {{"9:45pm", "10:45pm", "11:45pm", "12:45am"}, {{{"Voice Bulletin", 7}}}},
}};

constexpr int gridTop = 10;
constexpr int rowPitch = 20;
constexpr int cellHeight = 21;
constexpr std::array<int, 4> timeColumns = {20, 70, 120, 170};
constexpr int timeWidth = 51;
constexpr int firstDayColumn = 220;
constexpr int dayPitch = 30;
constexpr int dayWidth = 31;

const std::array<GuideText, 2> notes = {{
    {"Label_SlowCode", "Slow Code = Practice sent at 5, 7.5, 10, 13, and 15 WPM.",
     QRect(82, 430, 290, 17)},
    {"Label_FastCode", "Fast Code = Practice sent at 35, 30, 25, 20, 15, 13 and 10 WPM",
     QRect(70, 450, 314, 17)},
}};
} // namespace

Form9::Form9(PortLease lease, QWidget* parent)
    : GuideWindow(std::move(lease), parent, "Form9", "Radio Frequencies for Code Reception",
                  clientSize, Mode::CW)
{
    fillBackground(this, QColor(255, 224, 192));

    buildSchedule();

    QList<QWidget*> buttons;
    for (size_t i = 0; i < codeEntries.size(); ++i) {
        QPushButton* button =
            addButtonEntry(this, codeEntries[i], QRect(20 + 60 * static_cast<int>(i), 400, 51, 21));
        if (i == 0)
            button->setFocus(); // so the keyboard acts on 1.818 at once
        buttons.append(button);
    }
    fitCaptions(buttons);

    for (const GuideText& note : notes) {
        auto* label = new QLabel(QString::fromLatin1(note.text), this);
        label->setObjectName(QString::fromLatin1(note.name));
        label->setAccessibleName(label->text());
        label->setAlignment(Qt::AlignCenter);
        // Centred where designed, and widened when the face at hand is wider.
        QRect geometry = note.geometry;
        const int needed = label->sizeHint().width();
        if (needed > geometry.width()) {
            geometry.setWidth(std::min(needed, clientSize.width()));
            geometry.moveCenter(QPoint(std::clamp(note.geometry.center().x(), geometry.width() / 2,
                                                  clientSize.width() - geometry.width() / 2),
                                       note.geometry.center().y()));
        }
        label->setGeometry(geometry);
        fitCaption(label);
    }
}

namespace {
// A cell of the schedule grid: a class of its own, so that all cells of all
// openings share one palette (see useClassColours).
class ScheduleCell : public QLabel {
    Q_OBJECT

public:
    ScheduleCell(const QString& text, QWidget* parent) : QLabel(text, parent)
    {
        const QPalette standard = QApplication::palette();
        useClassColours(this, {{QPalette::Window, standard.color(QPalette::Base)},
                               {QPalette::WindowText, standard.color(QPalette::Text)}});
    }
};
} // namespace

void Form9::buildSchedule()
{
    auto addCell = [&](const QString& text, const QRect& geometry, int row, int column) {
        auto* cell = new ScheduleCell(text, this);
        cell->setObjectName(QStringLiteral("Schedule_%1_%2").arg(row).arg(column));
        cell->setAccessibleName(text);
        cell->setFrameStyle(QFrame::Box | QFrame::Plain);
        cell->setAlignment(Qt::AlignCenter);
        cell->setAutoFillBackground(true);
        cell->setGeometry(geometry);
        return cell;
    };

    QList<QWidget*> cells;
    // Day columns still covered by a taller cell, counted in rows.
    std::array<int, 7> coveredRows{};
    for (size_t row = 0; row < schedule.size(); ++row) {
        const int y = gridTop + rowPitch * static_cast<int>(row);
        for (size_t zone = 0; zone < timeColumns.size(); ++zone)
            cells.append(addCell(QString::fromLatin1(schedule[row].times[zone]),
                                 QRect(timeColumns[zone], y, timeWidth, cellHeight), int(row),
                                 int(zone)));

        size_t column = 0;
        for (const DayCell& day : schedule[row].days) {
            if (!day.text)
                break;
            while (column < coveredRows.size() && coveredRows[column] > 0)
                ++column;
            if (column + day.columns > coveredRows.size())
                break;
            const int x = firstDayColumn + dayPitch * static_cast<int>(column);
            const QRect geometry(x, y, dayPitch * (day.columns - 1) + dayWidth,
                                 rowPitch * (day.rows - 1) + cellHeight);
            QLabel* cell = addCell(QString::fromLatin1(day.text), geometry, int(row),
                                   int(timeColumns.size() + column));
            if (day.large) {
                cell->setFont(designFont(13.5, true));
                cell->setWordWrap(true);
                fitCaption(cell);
            } else {
                cells.append(cell);
            }
            for (int i = 0; i < day.columns; ++i)
                coveredRows[column + i] = day.rows;
            column += day.columns;
        }
        for (int& left : coveredRows)
            left = std::max(0, left - 1);
    }
    // The grid reads in one font.
    fitCaptions(cells);
}

#include "form9.moc"
