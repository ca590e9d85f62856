// The in-memory window model of the invariant runs (trade_invariants.h): it records what the
// engine writes into fields and counts every call the engine makes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/memory_window_model.h"

namespace zm::test {

// The in-memory window model, recording what the engine writes into fields and counting every
// call the engine makes. The user's own actions (typing, picking a list entry or a market) go
// through the user…() members, which are not recorded.
class RecordingWindowModel : public MemoryWindowModel {
public:
    struct Write {
        Ctl control;
        std::string text;
    };

    void userType(Ctl c, std::string_view text) { MemoryWindowModel::setText(c, text); }
    void userCheck(Ctl c) { MemoryWindowModel::setChecked(c, true); }

    // Forgets the writes and calls recorded so far (at the start of each action).
    void startAction() {
        writes.clear();
        calls = 0;
        messagesBefore = messages.size();
    }
    // Whether the action's last write into the field put a figure there (the reset writes
    // empty texts; a calculation never does into the fields that tell it ran).
    bool wrote(Ctl c) const {
        for (auto it = writes.rbegin(); it != writes.rend(); ++it) {
            if (it->control == c) {
                return !it->text.empty();
            }
        }
        return false;
    }

    std::string text(Ctl c) const override {
        ++calls;
        return MemoryWindowModel::text(c);
    }
    void setText(Ctl c, std::string_view text) override {
        ++calls;
        writes.push_back({c, std::string(text)});
        MemoryWindowModel::setText(c, text);
    }
    bool isReadOnly(Ctl c) const override {
        ++calls;
        return MemoryWindowModel::isReadOnly(c);
    }
    void setReadOnly(Ctl c, bool readOnly) override {
        ++calls;
        MemoryWindowModel::setReadOnly(c, readOnly);
    }
    void setBackground(Ctl c, Background background) override {
        ++calls;
        MemoryWindowModel::setBackground(c, background);
    }
    std::string caption(Ctl c) const override {
        ++calls;
        return MemoryWindowModel::caption(c);
    }
    void setCaption(Ctl c, std::string_view caption) override {
        ++calls;
        MemoryWindowModel::setCaption(c, caption);
    }
    void setForeColor(Ctl c, Rgb colour) override {
        ++calls;
        MemoryWindowModel::setForeColor(c, colour);
    }
    void setToolTip(Ctl c, std::string_view toolTip) override {
        ++calls;
        MemoryWindowModel::setToolTip(c, toolTip);
    }
    bool isChecked(Ctl c) const override {
        ++calls;
        return MemoryWindowModel::isChecked(c);
    }
    void setChecked(Ctl c, bool checked) override {
        ++calls;
        MemoryWindowModel::setChecked(c, checked);
    }
    void setFocus(Ctl c) override {
        ++calls;
        MemoryWindowModel::setFocus(c);
    }
    void selectAllInFocused() override {
        ++calls;
        MemoryWindowModel::selectAllInFocused();
    }
    void showMessage(std::string_view text) override {
        ++calls;
        MemoryWindowModel::showMessage(text);
    }
    bool isLoaded(FormId f) const override {
        ++calls;
        return MemoryWindowModel::isLoaded(f);
    }
    void load(FormId f) override {
        ++calls;
        MemoryWindowModel::load(f);
    }
    void show(FormId f) override {
        ++calls;
        MemoryWindowModel::show(f);
    }
    void hide(FormId f) override {
        ++calls;
        MemoryWindowModel::hide(f);
    }
    void unload(FormId f) override {
        ++calls;
        MemoryWindowModel::unload(f);
    }

    std::vector<Write> writes;
    mutable std::int64_t calls = 0;
    std::size_t messagesBefore = 0;
};

}  // namespace zm::test
