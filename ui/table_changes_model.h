// What an import changes, as rows of a table: every changed field, then every boot added, then
// every boot removed. Columns: the boot's position and ID, the CSV column, the value before and
// the value after.
#pragma once

#include "boots/table_diff.h"

#include <QAbstractTableModel>

class TableChangesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Position, Id, Field, Before, After, ColumnCount };

    // The rows of `changes`; a name is shown in full within „ and ”, control characters as marks,
    // an added or removed boot by its name on the side that holds it.
    explicit TableChangesModel(boots::TableChanges changes, QObject* parent = nullptr);

    // The changes the rows show.
    const boots::TableChanges& changes() const { return tableChanges; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    boots::TableChanges tableChanges;
};
