#include "support/memory_window_model.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "fees/fee_schedule.h"
#include "layout/layout.h"

namespace zm::test {

namespace {

// A control is known when it is an entry of the control table. One that is not ends the running
// test (GoogleTest reports the exception as its failure) or the fuzzer's run.
void requireKnown(Ctl c) {
    if (c.index() >= kControlCount) {
        throw std::logic_error("the engine addressed a control the windows do not have (id " +
                               std::to_string(c.index()) + ")");
    }
}

}  // namespace

MemoryWindowModel::Control& MemoryWindowModel::at(Ctl c) {
    requireKnown(c);
    return m_controls[c.id];
}

MemoryWindowModel::Control& MemoryWindowModel::written(Ctl c) {
    requireKnown(c);
    // The real windows have no control of a window that is not loaded to write to.
    if (!isLoaded(c.form())) {
        throw std::logic_error("the engine wrote to " + std::string(c.name()) + " of " +
                               std::string(formName(c.form())) + ", which is not loaded");
    }
    return at(c);
}

const MemoryWindowModel::Control* MemoryWindowModel::find(Ctl c) const {
    requireKnown(c);
    auto it = m_controls.find(c.id);
    return it == m_controls.end() ? nullptr : &it->second;
}

std::string MemoryWindowModel::text(Ctl c) const {
    const Control* ctl = find(c);
    return ctl ? ctl->text : std::string();
}

void MemoryWindowModel::setText(Ctl c, std::string_view text) {
    Control& ctl = written(c);
    if (ctl.entries && !ctl.editable) {
        const auto& e = *ctl.entries;
        if (std::find(e.begin(), e.end(), text) == e.end()) {
            return;
        }
    }
    ctl.text = std::string(text);
    callLog.push_back("text " + std::string(c.name()) + "=" + ctl.text);
    if (selection == c) {
        selection.reset();  // a new text drops the old selection
    }
    m_selections.erase(c.id);
}

bool MemoryWindowModel::isReadOnly(Ctl c) const {
    const Control* ctl = find(c);
    return ctl && ctl->readOnly;
}

void MemoryWindowModel::setReadOnly(Ctl c, bool readOnly) {
    written(c).readOnly = readOnly;
}
void MemoryWindowModel::setBackground(Ctl c, Background background) {
    written(c).background = background;
}

std::string MemoryWindowModel::caption(Ctl c) const {
    const Control* ctl = find(c);
    return ctl ? ctl->caption : std::string();
}

void MemoryWindowModel::setCaption(Ctl c, std::string_view caption) {
    written(c).caption = std::string(caption);
    callLog.push_back("caption " + std::string(c.name()) + "=" + std::string(caption));
}
Rgb MemoryWindowModel::foreColor(Ctl c) const {
    const Control* ctl = find(c);
    return ctl ? ctl->foreColor : kBlack;
}

std::string MemoryWindowModel::toolTip(Ctl c) const {
    const Control* ctl = find(c);
    return ctl ? ctl->toolTip : std::string();
}

bool MemoryWindowModel::isEnabled(Ctl c) const {
    const Control* ctl = find(c);
    return ctl == nullptr || ctl->enabled;
}

void MemoryWindowModel::setForeColor(Ctl c, Rgb colour) {
    written(c).foreColor = colour;
    callLog.push_back("colour " + std::string(c.name()));
}
void MemoryWindowModel::setToolTip(Ctl c, std::string_view toolTip) {
    written(c).toolTip = std::string(toolTip);
}

bool MemoryWindowModel::isChecked(Ctl c) const {
    const Control* ctl = find(c);
    return ctl && ctl->checked;
}

void MemoryWindowModel::setChecked(Ctl c, bool checked) {
    written(c);
    const layout::Control* row = layout::find(c);
    if (checked && row != nullptr && row->kind == layout::Kind::Option) {
        for (const layout::Control* other : layout::rowsOf(c.form())) {
            if (other->kind == layout::Kind::Option && other->container == row->container) {
                at(other->ctl).checked = false;
            }
        }
    }
    written(c).checked = checked;
}

void MemoryWindowModel::setEnabled(Ctl c, bool enabled) {
    written(c).enabled = enabled;
}

void MemoryWindowModel::setEntries(Ctl c, const std::vector<std::string>& entries) {
    Control& ctl = written(c);
    ctl.entries = entries;
    ctl.text.clear();
}

void MemoryWindowModel::setEditable(Ctl c, bool editable) {
    written(c).editable = editable;
}

void MemoryWindowModel::setTabAfter(Ctl c, Ctl previous) {
    tabAfter[c] = previous;
}

void MemoryWindowModel::setFocus(Ctl c) {
    written(c);
    focus = c;
    m_windowFocus[c.form()] = c;
    activated(c.form());
    callLog.push_back("focus " + std::string(c.name()));
}

void MemoryWindowModel::selectAllInFocused() {
    if (!focus) {
        return;
    }
    selection = focus;
    selectedText = text(*focus);
    m_selections[focus->id] = selectedText;
    callLog.push_back("select " + std::string(focus->name()));
}

void MemoryWindowModel::showMessage(std::string_view text) {
    messages.emplace_back(text);
    callLog.push_back("message " + std::string(text));
}

namespace {
template <typename T>
T nextAnswer(std::deque<T>& answers, std::string_view what) {
    if (answers.empty()) {
        throw std::logic_error("no answer queued for " + std::string(what));
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}
}  // namespace

bool MemoryWindowModel::askYesNo(std::string_view text) {
    questions.emplace_back(text);
    callLog.push_back("question " + std::string(text));
    return nextAnswer(yesNoAnswers, text);
}

void MemoryWindowModel::setRows(Ctl c, const std::vector<Cells>& rows) {
    Control& table = written(c);
    table.rows = rows;
    table.chosenRow.reset();
    callLog.push_back("rows " + std::string(c.name()) + "=" + std::to_string(rows.size()));
}

std::optional<std::size_t> MemoryWindowModel::chosenRow(Ctl c) const {
    const Control* table = find(c);
    return table == nullptr ? std::nullopt : table->chosenRow;
}

void MemoryWindowModel::chooseRow(Ctl c, std::optional<std::size_t> row) {
    Control& table = written(c);
    if (row && *row >= table.rows.size()) {
        throw std::logic_error("no row " + std::to_string(*row) + " in " + std::string(c.name()));
    }
    table.chosenRow = row;
}

void MemoryWindowModel::sortBy(Ctl c, int column) {
    Control& table = written(c);
    table.sorted = cell_order::afterHeaderClick(table.sorted, column);
}

std::vector<std::size_t> MemoryWindowModel::shownOrder(Ctl c) const {
    const Control* table = find(c);
    std::vector<std::size_t> order(table == nullptr ? 0 : table->rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    if (table == nullptr || !table->sorted.column) {
        return order;
    }
    const auto column = static_cast<std::size_t>(*table->sorted.column);
    const auto cell = [&](std::size_t row) -> std::string_view {
        const Cells& cells = table->rows[row];
        return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
    };
    std::ranges::sort(order, [&](std::size_t a, std::size_t b) {
        return cell_order::rowBefore(cell(a), a, cell(b), b, table->sorted.ascending);
    });
    return order;
}

std::optional<std::string> MemoryWindowModel::chooseFolder(std::string_view title,
                                                           std::string_view /*start*/) {
    callLog.push_back("folder dialog " + std::string(title));
    return nextAnswer(folderAnswers, title);
}

std::vector<std::string> MemoryWindowModel::chooseFiles(std::string_view title,
                                                        std::string_view /*start*/,
                                                        std::string_view /*filter*/) {
    callLog.push_back("file dialog " + std::string(title));
    return nextAnswer(fileAnswers, title);
}

bool MemoryWindowModel::isLoaded(FormId f) const {
    auto it = m_loaded.find(f);
    return it != m_loaded.end() && it->second;
}

void MemoryWindowModel::load(FormId f) {
    if (isLoaded(f)) {
        return;
    }
    m_loaded[f] = true;
    visible[f] = false;
    windowLog.push_back(std::string("load ") + std::string(formName(f)));
    for (const layout::Control* row : layout::rowsOf(f)) {
        Control& c = m_controls[row->ctl.id];
        c.caption = std::string(row->caption);
        c.toolTip = std::string(row->toolTip);
        c.readOnly = row->readOnly;
        c.background = row->readOnly ? Background::ButtonFace : Background::Window;
        c.checked = row->chosen;
        c.enabled = row->enabled;
    }
}

std::optional<Ctl> MemoryWindowModel::focusOf(FormId f) const {
    if (const auto it = m_windowFocus.find(f); it != m_windowFocus.end()) {
        return it->second;
    }
    for (const layout::Control* row : layout::tabOrder(f)) {
        if (isEnabled(row->ctl)) {
            return row->ctl;
        }
    }
    return std::nullopt;
}

void MemoryWindowModel::activated(FormId f) {
    std::erase(m_activations, f);
    m_activations.push_back(f);
}

void MemoryWindowModel::show(FormId f) {
    load(f);
    visible[f] = true;
    activated(f);
    if (!focus || focus->form() != f) {
        focus = focusOf(f);
    }
    windowLog.push_back(std::string("show ") + std::string(formName(f)));
}

void MemoryWindowModel::focusLeaves(FormId f) {
    std::erase(m_activations, f);
    if (!focus || focus->form() != f) {
        return;
    }
    // The window active before it takes the activation back.
    focus.reset();
    for (auto it = m_activations.rbegin(); it != m_activations.rend(); ++it) {
        if (visible[*it]) {
            focus = focusOf(*it);
            activated(*it);
            return;
        }
    }
}

void MemoryWindowModel::hide(FormId f) {
    focusLeaves(f);
    visible[f] = false;
    windowLog.push_back(std::string("hide ") + std::string(formName(f)));
}

void MemoryWindowModel::unload(FormId f) {
    if (!isLoaded(f)) {
        return;
    }
    focusLeaves(f);
    m_loaded[f] = false;
    visible[f] = false;
    m_windowFocus.erase(f);
    windowLog.push_back(std::string("unload ") + std::string(formName(f)));
    // The window's controls go with it, and their selections.
    std::erase_if(m_selections, [f](const auto& entry) {
        return controlAt(static_cast<std::size_t>(entry.first)).form() == f;
    });
    for (auto it = m_controls.begin(); it != m_controls.end();) {
        it = controlAt(static_cast<std::size_t>(it->first)).form() == f ? m_controls.erase(it)
                                                                        : std::next(it);
    }
}

void MemoryWindowModel::declareList(Ctl c, std::vector<std::string> entries) {
    at(c).entries = std::move(entries);
}

void MemoryWindowModel::declareRateLists() {
    const auto& commission = commissionRateEntries();
    const auto& stampDuty = stampDutyRateEntries();
    declareList(form1::Combo1, {commission.begin(), commission.end()});
    declareList(form1::Combo2, {stampDuty.begin(), stampDuty.end()});
}

void MemoryWindowModel::setUpMainWindow() {
    load(FormId::Form1);
    declareRateLists();
}

UserGuide MemoryWindowModel::openUserGuide() {
    ++guideOpenings;
    return guide;
}

bool MemoryWindowModel::hasFocus(Ctl c) const {
    return focus == c;
}

bool MemoryWindowModel::isWholeTextSelected(Ctl c) const {
    const auto it = m_selections.find(c.id);
    return it != m_selections.end() && it->second == text(c);
}

}  // namespace zm::test
