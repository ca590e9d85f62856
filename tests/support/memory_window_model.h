#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fees/window_model.h"

namespace zm::test {

// An in-memory window model: every control is a record that remembers what the engine did to
// it. Lists accept only their declared entries; unknown controls are created on first use.
// Message boxes are recorded in order and answered at once.
class MemoryWindowModel : public WindowModel {
public:
    struct Control {
        std::string text;
        std::string caption;
        std::string toolTip;
        Rgb foreColor = kBlack;
        Background background = Background::Window;
        bool readOnly = false;
        bool checked = false;
        bool enabled = true;
        bool editable = false;                             // a list that takes typed text
        std::optional<std::vector<std::string>> entries;  // set for drop-down lists
    };

    std::string text(Ctl c) const override;
    void setText(Ctl c, std::string_view text) override;
    bool isReadOnly(Ctl c) const override;
    void setReadOnly(Ctl c, bool readOnly) override;
    void setBackground(Ctl c, Background background) override;
    std::string caption(Ctl c) const override;
    void setCaption(Ctl c, std::string_view caption) override;
    void setForeColor(Ctl c, Rgb colour) override;
    void setToolTip(Ctl c, std::string_view toolTip) override;
    bool isChecked(Ctl c) const override;
    void setChecked(Ctl c, bool checked) override;
    void setEnabled(Ctl c, bool enabled) override;
    void setEntries(Ctl c, const std::vector<std::string>& entries) override;
    void setEditable(Ctl c, bool editable) override;
    void setFocus(Ctl c) override;
    void selectAllInFocused() override;
    void showMessage(std::string_view text) override;
    bool isLoaded(FormId f) const override;
    void load(FormId f) override;
    void show(FormId f) override;
    void hide(FormId f) override;
    void unload(FormId f) override;
    void quit() override { quitRequested = true; }

    // Declares a drop-down list with its entries (setText then only chooses among them).
    void declareList(Ctl c, std::vector<std::string> entries);
    // Combo1 and Combo2 with the program's rate entries.
    void declareRateLists();
    // The main window as the real one is built: the rate lists, Shanghai chosen, Form1 loaded.
    void setUpMainWindow();
    // Options of one group: checking one unchecks the others of the same form whose names
    // start with "Option".
    Control& at(Ctl c);
    const Control* find(Ctl c) const;

    // What happened, for the tests to read.
    std::vector<std::string> messages;
    std::optional<std::pair<FormId, std::string>> focus;
    // The control whose whole text was selected last, and the text it had then.
    std::optional<std::pair<FormId, std::string>> selection;
    std::string selectedText;
    std::map<FormId, bool> visible;
    std::vector<std::string> windowLog;  // "load Form3", "show Form4", "unload Form2", …
    bool quitRequested = false;

    bool hasFocus(Ctl c) const;
    bool isWholeTextSelected(Ctl c) const;

private:
    using Key = std::pair<FormId, std::string>;
    std::map<Key, Control> m_controls;
    std::map<FormId, bool> m_loaded;
};

const char* formName(FormId f);

}  // namespace zm::test
