// The tables (list views in report view) and the windows the user may resize: rows filled and
// chosen by the session, sorted by a click on a column's header in the one cell order of every
// front end, the user's choice, Enter and double click reported; controls that follow a window's
// growth by their rows.
#include "win/win_window_model.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win/wide_text.h"
#include "win/win_util.h"

namespace zm::win {
namespace {

int columnFormat(layout::Align align) {
    switch (align) {
        case layout::Align::Center:
            return LVCFMT_CENTER;
        case layout::Align::Right:
            return LVCFMT_RIGHT;
        case layout::Align::Left:
            break;
    }
    return LVCFMT_LEFT;
}

bool follows(const layout::Follow& f) {
    return f.moveX != 0 || f.moveY != 0 || f.growX != 0 || f.growY != 0;
}

// What ListView_SortItems hands the comparison: the table's rows and how it is sorted.
struct SortContext {
    const std::vector<WindowModel::Cells>* rows;
    int column;
    bool ascending;
};

int CALLBACK compareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    const auto a = static_cast<std::size_t>(first);
    const auto b = static_cast<std::size_t>(second);
    const auto cell = [&](std::size_t row) -> std::string_view {
        const auto& cells = (*sort.rows)[row];
        const auto column = static_cast<std::size_t>(sort.column);
        return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
    };
    if (a == b) {
        return 0;
    }
    return cell_order::rowBefore(cell(a), a, cell(b), b, sort.ascending) ? -1 : 1;
}

}  // namespace

void WinWindowModel::setUpTable(HWND table, const layout::Control& c) {
    ListView_SetExtendedListViewStyle(table, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (std::size_t i = 0; i < c.columns.size(); ++i) {
        std::wstring caption = toWide(c.columns[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = columnFormat(c.columns[i].align);
        column.pszText = caption.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageW(table, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    m_tables[c.ctl] = Table{};
}

void WinWindowModel::sizeTableColumns(HWND table, const layout::Control& c, UINT dpi) {
    for (std::size_t i = 0; i < c.columns.size(); ++i) {
        ListView_SetColumnWidth(table, static_cast<int>(i), px(c.columns[i].width, dpi));
    }
}

void WinWindowModel::setRows(Ctl c, const std::vector<Cells>& rows) {
    HWND table = control(c);
    const auto it = m_tables.find(c);
    if (table == nullptr || it == m_tables.end()) {
        return;
    }
    it->second.rows = rows;
    m_settingRows = true;
    SendMessageW(table, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(table);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
            std::wstring text = toWide(rows[r][i]);
            LVITEMW item{};
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(i);
            item.pszText = text.data();
            if (i == 0) {
                // The item's lParam is its index among the rows set, whatever the sort.
                item.mask = LVIF_TEXT | LVIF_PARAM;
                item.lParam = static_cast<LPARAM>(r);
                SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            } else {
                item.mask = LVIF_TEXT;
                SendMessageW(table, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
            }
        }
        if (rows[r].empty()) {
            LVITEMW item{};
            item.mask = LVIF_PARAM;
            item.iItem = static_cast<int>(r);
            item.lParam = static_cast<LPARAM>(r);
            SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    if (const auto& sorted = it->second.sorted; sorted.column) {
        SortContext context{&it->second.rows, *sorted.column, sorted.ascending};
        ListView_SortItems(table, &compareRows, reinterpret_cast<LPARAM>(&context));
    }
    SendMessageW(table, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(table, nullptr, TRUE);
    m_settingRows = false;
}

std::optional<std::size_t> WinWindowModel::chosenRow(Ctl c) const {
    HWND table = control(c);
    if (table == nullptr || m_tables.find(c) == m_tables.end()) {
        return std::nullopt;
    }
    const int shown = ListView_GetNextItem(table, -1, LVNI_SELECTED);
    if (shown < 0) {
        return std::nullopt;
    }
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = shown;
    SendMessageW(table, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::size_t>(item.lParam);
}

void WinWindowModel::chooseRow(Ctl c, std::optional<std::size_t> row) {
    HWND table = control(c);
    if (table == nullptr || m_tables.find(c) == m_tables.end()) {
        return;
    }
    m_settingRows = true;
    ListView_SetItemState(table, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row) {
        LVFINDINFOW find{};
        find.flags = LVFI_PARAM;
        find.lParam = static_cast<LPARAM>(*row);
        const auto shown = static_cast<int>(SendMessageW(
            table, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
        if (shown >= 0) {
            ListView_SetItemState(table, shown, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(table, shown, FALSE);
        }
    }
    m_settingRows = false;
}

void WinWindowModel::sortTable(Ctl c, int column) {
    HWND table = control(c);
    const auto it = m_tables.find(c);
    if (table == nullptr || it == m_tables.end()) {
        return;
    }
    Table& t = it->second;
    t.sorted = cell_order::afterHeaderClick(t.sorted, column);
    SortContext context{&t.rows, column, t.sorted.ascending};
    m_settingRows = true;
    ListView_SortItems(table, &compareRows, reinterpret_cast<LPARAM>(&context));
    m_settingRows = false;
    if (const int chosen = ListView_GetNextItem(table, -1, LVNI_SELECTED); chosen >= 0) {
        ListView_EnsureVisible(table, chosen, FALSE);
    }
    showSortArrow(c);
}

void WinWindowModel::showSortArrow(Ctl c) {
    HWND header = ListView_GetHeader(control(c));
    const cell_order::SortState& sorted = m_tables[c].sorted;
    const int count = Header_GetItemCount(header);
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (sorted.column == i) {
            item.fmt |= sorted.ascending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void WinWindowModel::onTableNotice(const NMHDR& notice) {
    const auto c = ctlOf(notice.hwndFrom);
    if (!c || m_tables.find(*c) == m_tables.end()) {
        return;
    }
    switch (notice.code) {
        case LVN_ITEMCHANGED: {
            // A row the user chose: its selected state came on.
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(notice);
            if (!m_settingRows && change.iItem >= 0 && (change.uChanged & LVIF_STATE) != 0 &&
                (change.uNewState & LVIS_SELECTED) != 0 &&
                (change.uOldState & LVIS_SELECTED) == 0) {
                report(*c, Gesture::Choose);
            }
            break;
        }
        case NM_DBLCLK:
            if (reinterpret_cast<const NMITEMACTIVATE&>(notice).iItem >= 0) {
                report(*c, Gesture::Enter);
            }
            break;
        case LVN_COLUMNCLICK:
            // A click on the header takes the focus into the table, as in the Qt windows.
            ::SetFocus(notice.hwndFrom);
            sortTable(*c, reinterpret_cast<const NMLISTVIEW&>(notice).iSubItem);
            break;
        default:
            break;
    }
}

void WinWindowModel::limitSize(FormId f, MINMAXINFO& info) const {
    const layout::Control& row = layout::form(f);
    const UINT dpi = form(f).dpi;
    const RECT outer = windowRectFor(px(row.width, dpi), px(row.height, dpi), formStyle(f),
                                     formExStyle(f), false, dpi);
    info.ptMinTrackSize.x = outer.right - outer.left;
    info.ptMinTrackSize.y = outer.bottom - outer.top;
}

void WinWindowModel::followSize(FormId f) {
    const Form& w = form(f);
    const layout::Control& row = layout::form(f);
    RECT client{};
    GetClientRect(w.hwnd, &client);
    const int grownX = std::max(0, static_cast<int>(client.right) - px(row.width, w.dpi));
    const int grownY = std::max(0, static_cast<int>(client.bottom) - px(row.height, w.dpi));
    for (const layout::Control* c : layout::rowsOf(f)) {
        HWND hwnd = control(c->ctl);
        if (c->kind == layout::Kind::Form || isMenuRow(*c) || hwnd == nullptr ||
            !follows(c->follow)) {
            continue;
        }
        const auto [left, top] = layout::cornerInWindow(*c);
        const layout::Follow& by = c->follow;
        SetWindowPos(hwnd, nullptr, px(left, w.dpi) + grownX * by.moveX / 100,
                     px(top, w.dpi) + grownY * by.moveY / 100,
                     px(c->width, w.dpi) + grownX * by.growX / 100,
                     px(c->height, w.dpi) + grownY * by.growY / 100, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(w.hwnd, nullptr, TRUE);
}

}  // namespace zm::win
