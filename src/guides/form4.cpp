#include "guides/form4.h"

#include "ui/captions.h"
#include "ui/colours.h"
#include "ui/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {
constexpr int leftColumn = 9;
constexpr int rightColumn = 176;
constexpr int columnWidth = 168;
constexpr std::array<int, 5> rowTops = {83, 105, 127, 149, 171}; // 80, 40, 20, 15, 10 m
// What a screen reader says after each cell's frequency: its column and row.
constexpr std::array<const char*, 2> columnWords = {"IARU Region 1 (Europe/Africa)",
                                                    "U.S.A./Canada"};
constexpr std::array<const char*, 5> rowWords = {"80 metres", "40 metres", "20 metres", "15 metres",
                                                 "10 metres"};

// Column by column, top to bottom. The U.S.A. 80 m calling frequency selects
// VFO A before the mode.
constexpr std::array<GuideEntry, 10> sstvEntries = {{
    {"Text8", "3730~3740", 3730000},
    {"Text9", "7035~7045", 7035000},
    {"Text10", "14225~14235", 14225000},
    {"Text11", "21335~21345", 21335000},
    {"Text12", "28675~28685", 28675000},
    {"Text2", "3845", 3845000, CommandOrder::ReceiverFirst},
    {"Text3", "7171", 7171000},
    {"Text4", "14230", 14230000},
    {"Text5", "21340", 21340000},
    {"Text6", "28680", 28680000},
}};

struct Heading {
    const char* name;
    const char* text;
    int x;
};

constexpr std::array<Heading, 2> headings = {{
    {"Text7", "IARU Region1\n(Europe/Africa)\nFrequency (kHz)", leftColumn},
    {"Text1", "U.S.A./Canada\nFrequency (kHz)", rightColumn},
}};
} // namespace

namespace {
// Each kind of label has a class of its own, so that every opening of the
// window shares one palette per kind (see useClassColours).
class SstvTitle : public QLabel {
    Q_OBJECT

public:
    SstvTitle(const QString& text, QWidget* parent) : QLabel(text, parent)
    {
        useClassColours(this, {{QPalette::WindowText, Qt::white}});
    }
};

class SstvHeading : public QLabel {
    Q_OBJECT

public:
    SstvHeading(const QString& text, QWidget* parent) : QLabel(text, parent)
    {
        useClassColours(
            this, {{QPalette::Window, QColor(192, 192, 192)}, {QPalette::WindowText, Qt::black}});
        setAutoFillBackground(true);
    }
};
} // namespace

Form4::Form4(PortLease lease, QWidget* parent)
    : GuideWindow(std::move(lease), parent, "Form4", "SSTV", QSize(353, 203), Mode::USB)
{
    // The frequency cells are the window's text boxes: green on pale yellow.
    useClassColours(this, {{QPalette::Window, QColor(0, 0, 128)},
                           {QPalette::Base, QColor(255, 255, 192)},
                           {QPalette::Text, QColor(0, 128, 0)}});
    setAutoFillBackground(true);

    auto* title = new SstvTitle(QStringLiteral("SSTV FREQUENCIES"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setAccessibleName(title->text());
    title->setFont(designFont(12, true));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setGeometry(93, 6, 191, 34);
    fitCaption(title);

    for (const Heading& heading : headings) {
        auto* box = new SstvHeading(QString::fromLatin1(heading.text), this);
        box->setObjectName(QString::fromLatin1(heading.name));
        box->setAccessibleName(box->text());
        box->setFont(designFont(9.75, true));
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box->setLineWidth(1);
        box->setContentsMargins(1, 0, 0, 0);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setGeometry(heading.x, 36, columnWidth, 47);
    }
    fitCaptions(findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Text"))));

    const QFont cellFont = designFont(9.75, true);
    for (size_t i = 0; i < sstvEntries.size(); ++i) {
        const int x = i < rowTops.size() ? leftColumn : rightColumn;
        QLineEdit* box = addTextEntry(this, sstvEntries[i],
                                      QRect(x, rowTops[i % rowTops.size()], columnWidth, 24));
        box->setFont(cellFont);
        box->setAccessibleDescription(
            QStringLiteral("%1, %2").arg(QLatin1String(columnWords[i / rowTops.size()]),
                                         QLatin1String(rowWords[i % rowTops.size()])));
    }
    fitCaptions(findChildren<QLineEdit*>());
}

#include "form4.moc"
