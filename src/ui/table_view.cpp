#include "ui/table_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStandardItem>

#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {}  // namespace

bool TableOrder::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // Ascending, the proxy shows `left` first when this is true; descending, it asks with the
    // pair turned round and shows `right` first when it is true. Either way the answer is
    // whether the first of the pair asked about the other is shown first.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    const QModelIndex& first = ascending ? left : right;
    const QModelIndex& second = ascending ? right : left;
    const QByteArray a = first.data().toString().toUtf8();
    const QByteArray b = second.data().toString().toUtf8();
    return cell_order::rowBefore(
        std::string_view(a.constData(), static_cast<std::size_t>(a.size())),
        static_cast<std::size_t>(first.row()),
        std::string_view(b.constData(), static_cast<std::size_t>(b.size())),
        static_cast<std::size_t>(second.row()), ascending);
}

TableView::TableView(std::span<const layout::Column> columns, QWidget* parent)
    : QTreeView(parent),
      m_rows(new QStandardItemModel(0, static_cast<int>(columns.size()), this)),
      m_order(new TableOrder(this)) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        auto* header = new QStandardItem(toQ(columns[i].caption));
        header->setTextAlignment(textAlignment(columns[i].align));
        m_rows->setHorizontalHeaderItem(static_cast<int>(i), header);
        m_aligns.push_back(columns[i].align);
    }
    m_order->setSourceModel(m_rows);
    setModel(m_order);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        header()->resizeSection(static_cast<int>(i), twips(columns[i].width));
    }
    connect(header(), &QHeaderView::sectionClicked, this, &TableView::sortByHeader);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_programChoosing && chosenRow()) {
            emit chosenByUser();
        }
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit entered();
        }
    });
}

void TableView::setRows(const std::vector<std::vector<std::string>>& rows) {
    m_programChoosing = true;
    clearSelection();
    setCurrentIndex(QModelIndex());
    m_rows->setRowCount(0);
    for (const auto& cells : rows) {
        QList<QStandardItem*> items;
        for (std::size_t i = 0; i < m_aligns.size(); ++i) {
            auto* item = new QStandardItem(i < cells.size() ? toQ(cells[i]) : QString());
            item->setTextAlignment(textAlignment(m_aligns[i]));
            item->setEditable(false);
            items.append(item);
        }
        m_rows->appendRow(items);
    }
    if (m_sorted.column) {
        m_order->sort(*m_sorted.column,
                      m_sorted.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    m_programChoosing = false;
}

std::optional<std::size_t> TableView::chosenRow() const {
    const QModelIndexList chosen = selectionModel()->selectedRows();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(m_order->mapToSource(chosen.front()).row());
}

void TableView::chooseRow(std::optional<std::size_t> row) {
    m_programChoosing = true;
    if (row && static_cast<int>(*row) < m_rows->rowCount()) {
        const QModelIndex shown = m_order->mapFromSource(m_rows->index(static_cast<int>(*row), 0));
        selectionModel()->setCurrentIndex(
            shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(shown);
    } else {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    }
    m_programChoosing = false;
}

void TableView::sortByHeader(int column) {
    m_sorted = cell_order::afterHeaderClick(m_sorted, column);
    const Qt::SortOrder order = m_sorted.ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_programChoosing = true;
    m_order->sort(column, order);
    m_programChoosing = false;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, order);
    if (const QModelIndex current = currentIndex(); current.isValid()) {
        scrollTo(current);
    }
}

QStringList TableView::headers() const {
    QStringList texts;
    for (int i = 0; i < m_rows->columnCount(); ++i) {
        texts.append(m_rows->horizontalHeaderItem(i)->text());
    }
    return texts;
}

std::vector<QStringList> TableView::shownRows() const {
    std::vector<QStringList> rows;
    for (int r = 0; r < m_order->rowCount(); ++r) {
        QStringList cells;
        for (int i = 0; i < m_order->columnCount(); ++i) {
            cells.append(m_order->index(r, i).data().toString());
        }
        rows.push_back(cells);
    }
    return rows;
}

std::optional<std::size_t> TableView::rowShownAt(int shown) const {
    if (shown < 0 || shown >= m_order->rowCount()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(m_order->mapToSource(m_order->index(shown, 0)).row());
}

void TableView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit entered();
        return;
    }
    QTreeView::keyPressEvent(event);
}

}  // namespace zm::ui
