#include "guides/onairwindow.h"

#include "clock/clock.h"
#include "guides/schedulefiledialog.h"
#include "guides/schedulemodel.h"
#include "radio/radiomodel.h"
#include "schedule/schedulefile.h"
#include "schedule/schedulefilter.h"
#include "session/portroute.h"
#include "session/programsettings.h"
#include "session/settings.h"
#include "ui/announcer.h"
#include "ui/messagebox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSet>
#include <QSettings>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr QSize clientSize(720, 480);

const QString scheduleKey = QStringLiteral("Schedule/file");

// What the radio on the port receives, as its comN.conf names it
// (session/portroute.h): 500 kHz to 30 MHz for a TS-570D, to 60 MHz for a
// TS-570S. Asked at each showing, so a model changed meanwhile counts.
ReceiveRange rangeOfTheRadio()
{
    const SettingsRead read = readSettingsFile();
    const RadioModel model =
        read.ok() && read.choice.port > 0 ? portModel(read.choice.port) : RadioModel::TS570D;
    const TuningRange range = tuningRange(model);
    return ReceiveRange{qint64(range.lowest), qint64(range.highest)};
}

const QString advice = QStringLiteral(
    " Choose the season's EiBi schedule (sked-A25.csv, for example) with File > Open Schedule...");

Mode modeFor(Reception reception)
{
    switch (reception) {
    case Reception::UpperSideband:
        return Mode::USB;
    case Reception::LowerSideband:
        return Mode::LSB;
    case Reception::AM:
        break;
    }
    return Mode::AM;
}

QString modeName(Mode mode)
{
    return mode == Mode::USB   ? QStringLiteral("USB")
           : mode == Mode::LSB ? QStringLiteral("LSB")
                               : QStringLiteral("AM");
}

// "9.610 MHz", "11.7805 MHz": three decimals at least, more when the
// frequency has them.
QString megahertzText(qint64 hertz)
{
    QString decimals = QStringLiteral("%1").arg(hertz % 1'000'000, 6, 10, QLatin1Char('0'));
    while (decimals.size() > 3 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return QStringLiteral("%1.%2 MHz").arg(hertz / 1'000'000).arg(decimals);
}

QString entriesText(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(count);
}

// The list: a click, Space or Enter on a row tunes to it; the arrows only
// move through the rows.
class ScheduleTable : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

signals:
    void tuneRequested(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
                if (currentIndex().isValid())
                    emit tuneRequested(currentIndex().row());
                event->accept();
                return;
            }
            break;
        default:
            break;
        }
        QTableView::keyPressEvent(event);
    }
};
} // namespace

// The schedule shown and what the filters let through at the last refresh.
struct OnAirWindow::Shown {
    Schedule schedule;
    QString path;
    ScheduleModel model;
    FilteredSchedule filtered;
    int entriesInSchedule = 0; // all but the inactive ones
    QDateTime at;
    bool onAirOnly = true;
    std::unique_ptr<Clock::Alarm> nextMinute;
};

OnAirWindow::OnAirWindow(PortLease lease, QWidget* parent)
    : GuideWindow(std::move(lease), parent, "OnAirWindow", "On the Air Now", clientSize, Mode::AM),
      m_shown(std::make_unique<Shown>())
{
    buildControls();
    refresh();
}

OnAirWindow::~OnAirWindow()
{
    m_table->setModel(nullptr);
}

void OnAirWindow::buildControls()
{
    // One piece that fills the window, so a screen smaller than the window
    // can put it in a scroll area as it does any guide's controls.
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("ScheduleContent"));
    content->setGeometry(QRect(QPoint(0, 0), clientSize));
    auto* layout = new QVBoxLayout(content);

    auto* menuBar = new QMenuBar(content);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("ScheduleFile"));
    QAction* open = file->addAction(QStringLiteral("Open Schedule..."));
    open->setObjectName(QStringLiteral("OpenSchedule"));
    open->setShortcut(QKeySequence::Open);
    open->setShortcutContext(Qt::WindowShortcut);
    addAction(open);
    connect(open, &QAction::triggered, this, &OnAirWindow::openSchedule);
    layout->setMenuBar(menuBar);

    auto* filters = new QGridLayout;
    const auto labelled = [&](const QString& caption, QWidget* control, const QString& name,
                              int row, int column, int span = 1) {
        auto* label = new QLabel(caption, content);
        label->setBuddy(control);
        control->setObjectName(name);
        filters->addWidget(label, row, column);
        filters->addWidget(control, row, column + 1, 1, span);
    };
    m_band = new QComboBox(content);
    m_band->setAccessibleName(QStringLiteral("Band"));
    m_band->addItem(QStringLiteral("All bands"));
    for (const BroadcastBand& band : broadcastBands)
        m_band->addItem(band.caption());
    labelled(QStringLiteral("&Band:"), m_band, QStringLiteral("BandFilter"), 0, 0);
    m_language = new QComboBox(content);
    m_language->setAccessibleName(QStringLiteral("Language"));
    labelled(QStringLiteral("&Language:"), m_language, QStringLiteral("LanguageFilter"), 0, 2);
    m_target = new QComboBox(content);
    m_target->setAccessibleName(QStringLiteral("Target area"));
    labelled(QStringLiteral("&Target:"), m_target, QStringLiteral("TargetFilter"), 0, 4);
    m_search = new QLineEdit(content);
    m_search->setAccessibleName(QStringLiteral("Search station and site"));
    m_search->setPlaceholderText(QStringLiteral("station or site"));
    m_search->setClearButtonEnabled(true);
    labelled(QStringLiteral("&Search:"), m_search, QStringLiteral("SearchFilter"), 1, 0, 3);
    m_onAirOnly = new QRadioButton(QStringLiteral("On the air &now"), content);
    m_onAirOnly->setObjectName(QStringLiteral("OnAirOnly"));
    m_onAirOnly->setAccessibleName(QStringLiteral("On the air now"));
    m_onAirOnly->setChecked(true);
    m_allEntries = new QRadioButton(QStringLiteral("&All entries"), content);
    m_allEntries->setObjectName(QStringLiteral("AllEntries"));
    m_allEntries->setAccessibleName(QStringLiteral("All entries"));
    auto* showing = new QButtonGroup(this);
    showing->addButton(m_onAirOnly);
    showing->addButton(m_allEntries);
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_onAirOnly);
    choice->addWidget(m_allEntries);
    filters->addLayout(choice, 1, 4, 1, 2);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);
    filters->setColumnStretch(5, 1);
    layout->addLayout(filters);

    auto* table = new ScheduleTable(content);
    m_table = table;
    m_table->setObjectName(QStringLiteral("ScheduleTable"));
    m_table->setAccessibleName(QStringLiteral("Schedule"));
    m_table->setModel(&m_shown->model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    // Fixed sizes: a schedule of ten thousand rows is never measured row by row.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    QHeaderView* columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    const int widths[] = {70, 230, 70, 60, 90, 60};
    for (int column = 0; column < int(std::size(widths)); ++column)
        columns->resizeSection(column, widths[column]);
    columns->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    m_status = new QLabel(content);
    m_status->setObjectName(QStringLiteral("ScheduleStatus"));
    // Its name is what it says; a screen reader finds it by what it is.
    m_status->setAccessibleDescription(QStringLiteral("Status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);

    connect(table, &ScheduleTable::tuneRequested, this, &OnAirWindow::tuneRow);
    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex& index) { tuneRow(index.row()); });
    for (QComboBox* box : {m_band, m_language, m_target})
        connect(box, &QComboBox::currentIndexChanged, this, &OnAirWindow::refresh);
    connect(m_search, &QLineEdit::textChanged, this, &OnAirWindow::refresh);
    connect(m_onAirOnly, &QRadioButton::toggled, this, &OnAirWindow::refresh);

    setTabOrder(m_band, m_language);
    setTabOrder(m_language, m_target);
    setTabOrder(m_target, m_search);
    setTabOrder(m_search, m_onAirOnly);
    setTabOrder(m_onAirOnly, m_allEntries);
    setTabOrder(m_allEntries, m_table);
    fillChoices();
}

void OnAirWindow::showEvent(QShowEvent* event)
{
    GuideWindow::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    m_table->setFocus(Qt::OtherFocusReason);
    // Once the window is up, so that a file dialog or a message comes over it.
    QMetaObject::invokeMethod(this, &OnAirWindow::loadAtOpening, Qt::QueuedConnection);
}

void OnAirWindow::done(int result)
{
    // Closed means still: no minute passes for a window nobody sees.
    m_shown->nextMinute.reset();
    GuideWindow::done(result);
}

void OnAirWindow::loadAtOpening()
{
    // Closed before its opening came round: nothing to show, nothing to ask.
    if (!isVisible())
        return;
    const QString remembered = programSettings().value(scheduleKey).toString();
    if (remembered.isEmpty())
        openSchedule();
    else
        showSchedule(remembered);
}

void OnAirWindow::openSchedule()
{
    const QString last =
        m_shown->path.isEmpty() ? programSettings().value(scheduleKey).toString() : m_shown->path;
    const QString path = ScheduleFileDialog::choose(this, last);
    if (path.isEmpty() || !showSchedule(path))
        return;
    QSettings settings = programSettings();
    settings.setValue(scheduleKey, path);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        MessageBox::warn(this, QStringLiteral("The schedule is shown, but Quillard could not note "
                                              "it in %1, so the next opening will ask for it "
                                              "again. Check that you may write there.")
                                   .arg(QDir::toNativeSeparators(settings.fileName())));
}

bool OnAirWindow::showSchedule(const QString& path)
{
    ScheduleFileRead read = readScheduleFile(path);
    if (!read.ok()) {
        MessageBox::warn(this, read.problem + advice);
        return false;
    }
    // The rows point into the schedule they came from.
    m_shown->model.setRows(nullptr, {});
    m_shown->schedule = std::move(read.schedule);
    m_shown->path = path;
    m_shown->entriesInSchedule =
        int(std::count_if(m_shown->schedule.entries.cbegin(), m_shown->schedule.entries.cend(),
                          [](const ScheduleEntry& entry) { return !entry.isInactive(); }));
    fillChoices();
    refresh();
    return true;
}

void OnAirWindow::fillChoices()
{
    const Schedule& schedule = m_shown->schedule;
    QSet<TextId> languageFields;
    QSet<TextId> targetFields;
    for (const ScheduleEntry& entry : schedule.entries) {
        if (entry.isInactive())
            continue;
        languageFields.insert(entry.language);
        targetFields.insert(entry.target);
    }
    QSet<QString> languages;
    for (TextId field : languageFields)
        for (const QString& language :
             schedule.text(field).split(QLatin1Char(','), Qt::SkipEmptyParts))
            languages.insert(language.trimmed());
    QSet<QString> targets;
    for (TextId field : targetFields)
        if (!schedule.text(field).isEmpty())
            targets.insert(schedule.text(field));
    const auto fill = [](QComboBox* box, const QString& all, const QSet<QString>& codes) {
        const QSignalBlocker quiet(box);
        QStringList sorted(codes.cbegin(), codes.cend());
        sorted.sort(Qt::CaseInsensitive);
        box->clear();
        box->addItem(all);
        for (const QString& code : sorted)
            box->addItem(code, code);
    };
    fill(m_language, QStringLiteral("All languages"), languages);
    fill(m_target, QStringLiteral("All targets"), targets);
}

void OnAirWindow::refresh()
{
    Shown& shown = *m_shown;
    shown.at = Clock::current().utcNow();
    ScheduleFilter filter;
    if (const int band = m_band->currentIndex(); band > 0)
        filter.band = &broadcastBands[band - 1];
    filter.language = m_language->currentData().toString();
    filter.target = m_target->currentData().toString();
    filter.text = m_search->text().trimmed();
    filter.onAirOnly = shown.onAirOnly = m_onAirOnly->isChecked();
    filter.range = rangeOfTheRadio();

    // The row the operator is on stays current while it is shown.
    const ScheduleEntry* current = shown.model.entryAt(m_table->currentIndex().row());
    shown.filtered = filterSchedule(shown.schedule, filter, shown.at);
    shown.model.setRows(&shown.schedule, shown.filtered.shown);
    if (shown.model.rowCount() > 0) {
        const int row = std::max(0, shown.model.rowOf(current));
        m_table->setCurrentIndex(shown.model.index(row, 0));
    }
    m_status->setText(statusText());

    // The next minute's rows, once it has begun.
    const QTime time = shown.at.time();
    const int untilNextMinute = 60'000 - (time.second() * 1000 + time.msec());
    shown.nextMinute =
        Clock::current().alarmAfter(std::chrono::milliseconds(untilNextMinute), this, [this] {
            // Not from inside the ring: refresh() replaces the alarm that rings.
            QMetaObject::invokeMethod(this, &OnAirWindow::refresh, Qt::QueuedConnection);
        });
}

QString OnAirWindow::statusText() const
{
    const Shown& shown = *m_shown;
    if (shown.path.isEmpty())
        return QStringLiteral("No schedule is open.") + advice;
    const QString file = QFileInfo(shown.path).fileName();
    const qsizetype count = shown.filtered.shown.size();
    QString text;
    if (shown.onAirOnly) {
        const QLocale english(QLocale::English);
        text =
            QStringLiteral("%1 on the air at %2 UTC (%3) in %4.")
                .arg(entriesText(count), english.toString(shown.at.time(), QStringLiteral("HH:mm")),
                     english.toString(shown.at.date(), QStringLiteral("dddd d MMMM yyyy")), file);
    } else if (count == shown.entriesInSchedule) {
        text = QStringLiteral("%1 in %2.").arg(entriesText(count), file);
    } else {
        text = QStringLiteral("%1 of %2 in %3.")
                   .arg(QString::number(count), entriesText(shown.entriesInSchedule), file);
    }
    if (const int outside = shown.filtered.outsideRange)
        text += QStringLiteral(" %1 outside the radio's range (%2) left out.")
                    .arg(QString::number(outside), rangeOfTheRadio().text());
    if (!shown.schedule.unreadLines.isEmpty())
        text += QLatin1Char(' ') + shown.schedule.unreadLinesText() + QLatin1Char('.');
    return text;
}

void OnAirWindow::tuneRow(int row)
{
    const ScheduleEntry* entry = m_shown->model.entryAt(row);
    if (!entry)
        return;
    const Mode mode = modeFor(entry->reception);
    const GuideEntry tuning{nullptr, nullptr, quint64(entry->hertz)};
    bool sent = true;
    for (const CatCommand& command : commandsFor(tuning, mode))
        sent = link().sendCommand(command) && sent;
    QStringList words;
    if (const QString& station = m_shown->schedule.text(entry->station); !station.isEmpty())
        words << station;
    words << megahertzText(entry->hertz) << modeName(mode);
    // A command the link refused has told its own message; the words do not claim it.
    announce(this, words.join(QStringLiteral(", ")) +
                       (sent ? QStringLiteral(", tuned") : QStringLiteral(": not sent")));
}

#include "onairwindow.moc"
