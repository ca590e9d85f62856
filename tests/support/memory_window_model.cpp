#include "support/memory_window_model.h"

#include <algorithm>

#include "fees/fee_schedule.h"

namespace zm::test {

const char* formName(FormId f) {
    switch (f) {
        case FormId::Form1:
            return "Form1";
        case FormId::Form2:
            return "Form2";
        case FormId::Form3:
            return "Form3";
        case FormId::Form4:
            return "Form4";
    }
    return "?";
}

MemoryWindowModel::Control& MemoryWindowModel::at(Ctl c) {
    return m_controls[Key{c.form, std::string(c.name)}];
}

const MemoryWindowModel::Control* MemoryWindowModel::find(Ctl c) const {
    auto it = m_controls.find(Key{c.form, std::string(c.name)});
    return it == m_controls.end() ? nullptr : &it->second;
}

std::string MemoryWindowModel::text(Ctl c) const {
    const Control* ctl = find(c);
    return ctl ? ctl->text : std::string();
}

void MemoryWindowModel::setText(Ctl c, std::string_view text) {
    Control& ctl = at(c);
    if (ctl.entries && !ctl.editable) {
        const auto& e = *ctl.entries;
        if (std::find(e.begin(), e.end(), text) == e.end()) {
            return;
        }
    }
    ctl.text = std::string(text);
    if (selection && selection->first == c.form && selection->second == c.name) {
        selection.reset();  // a new text drops the old selection
    }
}

bool MemoryWindowModel::isReadOnly(Ctl c) const {
    const Control* ctl = find(c);
    return ctl && ctl->readOnly;
}

void MemoryWindowModel::setReadOnly(Ctl c, bool readOnly) {
    at(c).readOnly = readOnly;
}
void MemoryWindowModel::setBackground(Ctl c, Background background) {
    at(c).background = background;
}

std::string MemoryWindowModel::caption(Ctl c) const {
    const Control* ctl = find(c);
    return ctl ? ctl->caption : std::string();
}

void MemoryWindowModel::setCaption(Ctl c, std::string_view caption) {
    at(c).caption = std::string(caption);
}
void MemoryWindowModel::setForeColor(Ctl c, Rgb colour) {
    at(c).foreColor = colour;
}
void MemoryWindowModel::setToolTip(Ctl c, std::string_view toolTip) {
    at(c).toolTip = std::string(toolTip);
}

bool MemoryWindowModel::isChecked(Ctl c) const {
    const Control* ctl = find(c);
    return ctl && ctl->checked;
}

void MemoryWindowModel::setChecked(Ctl c, bool checked) {
    if (checked && c.name.starts_with("Option")) {
        for (auto& [key, ctl] : m_controls) {
            if (key.first == c.form && key.second.starts_with("Option")) {
                ctl.checked = false;
            }
        }
    }
    at(c).checked = checked;
}

void MemoryWindowModel::setEnabled(Ctl c, bool enabled) {
    at(c).enabled = enabled;
}

void MemoryWindowModel::setEntries(Ctl c, const std::vector<std::string>& entries) {
    Control& ctl = at(c);
    ctl.entries = entries;
    ctl.text.clear();
}

void MemoryWindowModel::setEditable(Ctl c, bool editable) {
    at(c).editable = editable;
}

void MemoryWindowModel::setFocus(Ctl c) {
    focus = std::make_pair(c.form, std::string(c.name));
    selection.reset();
}

void MemoryWindowModel::selectAllInFocused() {
    if (!focus) {
        return;
    }
    selection = focus;
    selectedText = text(Ctl{focus->first, focus->second});
}

void MemoryWindowModel::showMessage(std::string_view text) {
    messages.emplace_back(text);
}

bool MemoryWindowModel::isLoaded(FormId f) const {
    auto it = m_loaded.find(f);
    return it != m_loaded.end() && it->second;
}

void MemoryWindowModel::load(FormId f) {
    if (!isLoaded(f)) {
        m_loaded[f] = true;
        visible[f] = false;
        windowLog.push_back(std::string("load ") + formName(f));
    }
}

void MemoryWindowModel::show(FormId f) {
    load(f);
    visible[f] = true;
    windowLog.push_back(std::string("show ") + formName(f));
}

void MemoryWindowModel::hide(FormId f) {
    visible[f] = false;
    windowLog.push_back(std::string("hide ") + formName(f));
}

void MemoryWindowModel::unload(FormId f) {
    if (!isLoaded(f)) {
        return;
    }
    m_loaded[f] = false;
    visible[f] = false;
    windowLog.push_back(std::string("unload ") + formName(f));
    // The window's controls go with it.
    for (auto it = m_controls.begin(); it != m_controls.end();) {
        it = it->first.first == f ? m_controls.erase(it) : std::next(it);
    }
}

void MemoryWindowModel::declareList(Ctl c, std::vector<std::string> entries) {
    at(c).entries = std::move(entries);
}

void MemoryWindowModel::declareRateLists() {
    const auto& commission = commissionRateEntries();
    const auto& stampDuty = stampDutyRateEntries();
    declareList(f1("Combo1"), {commission.begin(), commission.end()});
    declareList(f1("Combo2"), {stampDuty.begin(), stampDuty.end()});
}

void MemoryWindowModel::setUpMainWindow() {
    declareRateLists();
    setChecked(f1("Option1"), true);
    load(FormId::Form1);
}

bool MemoryWindowModel::hasFocus(Ctl c) const {
    return focus && focus->first == c.form && focus->second == c.name;
}

bool MemoryWindowModel::isWholeTextSelected(Ctl c) const {
    return selection && selection->first == c.form && selection->second == c.name &&
           selectedText == text(c);
}

}  // namespace zm::test
