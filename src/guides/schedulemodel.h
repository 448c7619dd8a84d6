#pragma once

// The rows of the "On the Air Now" window: the schedule's entries that the
// filters let through, one row each, in seven columns (frequency, station,
// language, target, time, days, site), as the schedule writes them.

#include "schedule/scheduleentry.h"

#include <QAbstractTableModel>

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Frequency, Station, Language, Target, Time, Days, Site, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // The schedule outlives the rows: they are indices into its entries.
    void setRows(const Schedule* schedule, QList<int> rows);
    const ScheduleEntry* entryAt(int row) const;
    // The row showing this entry, or -1.
    int rowOf(const ScheduleEntry* entry) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Schedule* m_schedule = nullptr;
    QList<int> m_rows;
};
