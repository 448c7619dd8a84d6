#include "guides/schedulemodel.h"

#include <array>

namespace {
constexpr std::array<const char*, ScheduleModel::ColumnCount> headers = {
    "kHz", "Station", "Language", "Target", "Time (UTC)", "Days", "Site"};
} // namespace

void ScheduleModel::setRows(const Schedule* schedule, QList<int> rows)
{
    beginResetModel();
    m_schedule = schedule;
    m_rows = schedule ? std::move(rows) : QList<int>();
    endResetModel();
}

const ScheduleEntry* ScheduleModel::entryAt(int row) const
{
    if (!m_schedule || row < 0 || row >= m_rows.size())
        return nullptr;
    return &m_schedule->entries[m_rows[row]];
}

int ScheduleModel::rowOf(const ScheduleEntry* entry) const
{
    if (!m_schedule || !entry)
        return -1;
    const qsizetype index = entry - m_schedule->entries.constData();
    return int(m_rows.indexOf(int(index)));
}

int ScheduleModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const
{
    const ScheduleEntry* entry = entryAt(index.row());
    if (!entry)
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == Frequency)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto text = [this](TextId id) { return m_schedule->text(id); };
    switch (index.column()) {
    case Frequency:
        return entry->kilohertzText();
    case Station:
        return text(entry->station);
    case Language:
        return text(entry->language);
    case Target:
        return text(entry->target);
    case Time:
        return text(entry->time);
    case Days:
        return text(entry->days);
    case Site:
        return text(entry->site);
    default:
        return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return QString::fromLatin1(headers[section]);
    return {};
}
