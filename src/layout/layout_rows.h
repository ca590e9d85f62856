#pragma once

// The pieces the layout's source files share: the builder that collects the rows, and one
// function per group of windows that adds theirs.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "layout/layout.h"

namespace zm::layout {

inline constexpr double kBig = 14.25;  // Form1, the buy and sell frames and their controls
inline constexpr double kSmall = 12;   // Form1's other frames, its buttons; the dialogs

class Builder {
public:
    std::vector<Control> rows;

    Control& add(Control c) { return rows.emplace_back(c); }
    Control& add(Ctl ctl, Kind kind, std::optional<Ctl> container, int left, int top, int width,
                 int height, std::string_view caption, std::string_view toolTip, double pointSize) {
        return add(Control{.ctl = ctl,
                           .kind = kind,
                           .container = container,
                           .left = left,
                           .top = top,
                           .width = width,
                           .height = height,
                           .caption = caption,
                           .toolTip = toolTip,
                           .pointSize = pointSize});
    }
    // A window's own row: its client area's size, title and font.
    Control& addForm(Ctl form, int width, int height, std::string_view title, double pointSize) {
        return add(Control{.ctl = form,
                           .kind = Kind::Form,
                           .width = width,
                           .height = height,
                           .caption = title,
                           .pointSize = pointSize,
                           .icon = "app"});
    }
    // A push button with its icon, in the tab chain at `tab`.
    Control& addButton(Ctl ctl, int left, int top, int width, int height, std::string_view caption,
                       std::string_view icon, int tab, std::string_view toolTip = {}) {
        Control& b = add(ctl, Kind::Button, std::nullopt, left, top, width, height, caption,
                         toolTip, kSmall);
        b.icon = icon;
        b.tabIndex = tab;
        return b;
    }
};

// The columns of a trade as the journal's 流水 and the statement's preview both show it, from
// 日期 to 发生金额; each list adds columns of its own before or after them.
inline constexpr std::array kTradeColumns = {
    Column{"日期", 1500},
    Column{"代码", 850},
    Column{"名称", 1150},
    Column{"类别", 850},
    Column{"数量", 900, Align::Right},
    Column{"价格", 900, Align::Right},
    Column{"成交金额", 1300, Align::Right},
    Column{"佣金", 850, Align::Right},
    Column{"印花税", 1000, Align::Right},
    Column{"过户费", 1000, Align::Right},
    Column{"其他费用", 1300, Align::Right},
    Column{"发生金额", 1300, Align::Right},
};

// The columns `before`, the trade's, then `after`, as one array.
template <std::size_t B, std::size_t A>
constexpr std::array<Column, B + kTradeColumns.size() + A> withTradeColumns(
    const std::array<Column, B>& before, const std::array<Column, A>& after) {
    std::array<Column, B + kTradeColumns.size() + A> all{};
    std::size_t i = 0;
    for (const Column& c : before) {
        all[i++] = c;
    }
    for (const Column& c : kTradeColumns) {
        all[i++] = c;
    }
    for (const Column& c : after) {
        all[i++] = c;
    }
    return all;
}

// The windows' own rows come first, in FormId order; then each window's controls.
void addMainWindowForm(Builder& b);
void addMainWindow(Builder& b);  // Form1: its menus and client area
void addDialogForms(Builder& b);
void addDialogs(Builder& b);  // the about box, the batch dialogs, the menus' dialogs
void addToolForms(Builder& b);
void addTools(Builder& b);  // the tools menu's dialogs for the shares held (layout_tools.cpp)
// The journal (layout_journal.cpp): its menu of the main window, its windows' own rows, their
// controls.
void addJournalMenu(Builder& b);
void addJournalForms(Builder& b);
void addJournalWindows(Builder& b);
// Importing a statement (layout_import.cpp): the item of the 账本 menu, FormJournal's two buttons
// for it, FormImport's own row and its controls.
void addImportMenuItem(Builder& b);
void addJournalImportButtons(Builder& b);
void addImportForm(Builder& b);
void addImportWindow(Builder& b);

}  // namespace zm::layout
