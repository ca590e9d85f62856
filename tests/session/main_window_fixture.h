// The main window as the real one starts: rate lists with their entries, Shanghai chosen, the
// form load run, and a settings file in a temporary directory of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "fees/display_format.h"
#include "fees/fee_schedule.h"
#include "fees/number_text.h"
#include "session/session.h"
#include "support/dialog_gestures.h"
#include "support/memory_window_model.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"
#include "view/messages.h"

namespace zm {

namespace test {

enum class SettingsFile {
    Writable,    // TKVR.INI in the temporary directory
    Unwritable,  // its directory is a plain file: every write fails and says so
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : MainWindowTest(SettingsFile::Writable) {}
    explicit MainWindowTest(SettingsFile kind)
        : settingsPath(pathFor(kind)),
          journalPath(dir.path() + "/账本/journal.sqlite"),
          session(ui, settingsPath, journalPath) {
        ui.setUpMainWindow();
        session.formLoad();
    }

    // The rates of the worked examples: commission 3.0 per mille, stamp duty 3 per mille.
    void useRates(std::string_view commission, std::string_view stampDuty) {
        ui.setText(form1::Combo1, commission);
        ui.setText(form1::Combo2, stampDuty);
        ASSERT_EQ(ui.text(form1::Combo1), commission);
        ASSERT_EQ(ui.text(form1::Combo2), stampDuty);
    }
    void type(Ctl field, std::string_view text) { ui.setText(field, text); }
    std::string shown(Ctl field) const { return ui.text(field); }
    // The user presses Enter in a field that has the focus.
    void enter(Ctl field) {
        ui.setFocus(field);
        session.handle(field, Gesture::Enter);
    }
    void calculate() {
        ui.setFocus(form1::Command1);
        session.handle(form1::Command1, Gesture::Click);
    }
    CalcState& st() { return session.state(); }

    // One refusal: exactly this message, the field focused with its whole text selected, and the
    // text still as typed.
    void expectRefusedOn(Ctl field, std::string_view message, std::string_view typed) {
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(message)});
        EXPECT_TRUE(ui.hasFocus(field)) << "focus is elsewhere";
        EXPECT_TRUE(ui.isWholeTextSelected(field)) << "text not selected";
        EXPECT_EQ(shown(field), typed);
    }

    TempDir dir;
    std::string settingsPath;
    std::string journalPath;  // opened the first time the journal is used
    MemoryWindowModel ui;
    Session session;

private:
    std::string pathFor(SettingsFile kind) {
        if (kind == SettingsFile::Writable) {
            return dir.path() + "/TKVR.INI";
        }
        const std::string blocker = dir.path() + "/not-a-directory";
        std::ofstream(blocker) << "x";
        return blocker + "/TKVR.INI";
    }
};

// The same window whose settings file cannot be written: every SaveRates shows two messages, one
// per rate, so the messages count the saves.
class UnwritableSettingsTest : public MainWindowTest {
protected:
    UnwritableSettingsTest() : MainWindowTest(SettingsFile::Unwritable) {}
    std::vector<std::string> failedSaves(int saves) const {
        return std::vector<std::string>(static_cast<std::size_t>(2 * saves),
                                        std::string(msg::kWriteFailed));
    }
};

}  // namespace test
}  // namespace zm
