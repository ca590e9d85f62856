#include "layout/layout.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "layout/layout_rows.h"

namespace zm::layout {
namespace {

std::vector<Control> build() {
    Builder b;
    addMainWindowForm(b);
    addDialogForms(b);
    addToolForms(b);
    addJournalForms(b);
    addImportForm(b);
    addMainWindow(b);
    addDialogs(b);
    addTools(b);
    addJournalWindows(b);
    addJournalImportButtons(b);
    addImportWindow(b);
    return std::move(b.rows);
}

}  // namespace

std::span<const Control> controls() {
    static const std::vector<Control> rows = build();
    return rows;
}

const Control& form(FormId f) {
    return controls()[static_cast<std::size_t>(f)];
}

const Control* find(Ctl c) {
    const auto rows = controls();
    const auto it = std::ranges::find(rows, c, &Control::ctl);
    return it == rows.end() ? nullptr : &*it;
}

std::vector<const Control*> rowsOf(FormId f) {
    std::vector<const Control*> rows;
    for (const Control& c : controls()) {
        if (c.form() == f) {
            rows.push_back(&c);
        }
    }
    return rows;
}

std::vector<const Control*> tabOrder(FormId f) {
    std::vector<const Control*> order;
    std::ranges::copy_if(rowsOf(f), std::back_inserter(order),
                         [](const Control* c) { return c->tabIndex >= 0; });
    std::ranges::stable_sort(order, {}, &Control::tabIndex);
    return order;
}

Corner cornerInWindow(const Control& c) {
    Corner corner{c.left, c.top};
    if (c.container) {
        if (const Control* frame = find(*c.container); frame != nullptr) {
            corner.left += frame->left;
            corner.top += frame->top;
        }
    }
    return corner;
}

}  // namespace zm::layout
