// The order in which a view shows the boots of a BootsModel: sorted by a column, and only the
// boots whose name holds a filter text. The table itself never changes order. Holds one row
// number per boot each way and compares the stored boots directly, so that a million boots sort
// in well under a second.
#pragma once

#include <QAbstractProxyModel>
#include <vector>

class BootsModel;

class BootsOrder : public QAbstractProxyModel {
    Q_OBJECT
public:
    BootsOrder(BootsModel* source, QObject* parent = nullptr);

    // Shows only the boots whose name holds `text`, case aside (Polish letters included); all
    // boots for an empty text.
    void setNameFilter(const QString& text);

    // Sorts by `column` (-1: the table's own order). Names sort as a Polish reader expects: case
    // aside, ą after a, ł after l and so on. Equal values keep the table's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    QModelIndex mapToSource(const QModelIndex& proxy) const override;
    QModelIndex mapFromSource(const QModelIndex& source) const override;
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

private:
    // Every boot the filter lets through, sorted; then the positions looked up again.
    void rebuild();
    void sortShown();
    void indexShown();
    bool accepts(int row) const;
    void forwardChange(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles);

    BootsModel* model;
    QString nameFilter;
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    std::vector<int> shown;     // view row -> table row
    std::vector<int> positions; // table row -> view row, -1 when filtered out
};
