#pragma once

#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStringList>
#include <QTreeView>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "layout/layout.h"
#include "view/cell_order.h"

namespace zm::ui {

// The order a table shows its rows in: by the cells of the column the user sorted by, in
// cell_order's order, rows that sort alike in the order the program set them.
class TableOrder : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// A list with columns (layout Kind::Table): a header the user clicks to sort by a column (a
// second click reverses), whole rows chosen one at a time, nothing edited. Rows are addressed by
// their index in the rows the program set, whatever the sort. Reports chosenByUser when the user
// chooses another row (not when the program does), entered on Enter or a double click on a row.
class TableView : public QTreeView {
    Q_OBJECT
public:
    TableView(std::span<const layout::Column> columns, QWidget* parent);

    void setRows(const std::vector<std::vector<std::string>>& rows);
    std::optional<std::size_t> chosenRow() const;
    void chooseRow(std::optional<std::size_t> row);
    // As a click on the column's header.
    void sortByHeader(int column);

    QStringList headers() const;
    // The rows' cells in the order shown.
    std::vector<QStringList> shownRows() const;
    // The index of the row shown at `shown` among the rows set.
    std::optional<std::size_t> rowShownAt(int shown) const;

signals:
    void chosenByUser();
    void entered();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStandardItemModel* m_rows;
    TableOrder* m_order;
    std::vector<layout::Align> m_aligns;
    cell_order::SortState m_sorted;
    bool m_programChoosing = false;
};

}  // namespace zm::ui
