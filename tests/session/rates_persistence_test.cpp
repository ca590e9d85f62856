// The two rates remembered in the settings file: read at form load, written by SaveRates, on the
// in-memory window model with a settings file in a directory of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "fees/fee_schedule.h"
#include "session/session.h"
#include "settings/settings_location.h"
#include "support/memory_window_model.h"
#include "support/temp_dir.h"
#include "view/messages.h"

namespace zm {
namespace {

// The two keys in GBK: 手续费 and 印花税.
const std::string kFeeGbk = "\xCA\xD6\xD0\xF8\xB7\xD1";
const std::string kDutyGbk = "\xD3\xA1\xBB\xA8\xCB\xB0";
const std::string kWriteFailedText = "写文件时出错,无法写入       ";

// One run of the program: a fresh window model with the two rate lists and a session on it.
struct ProgramRun {
    explicit ProgramRun(const std::string& iniPath) : session(ui, iniPath) { ui.setUpMainWindow(); }
    test::MemoryWindowModel ui;
    Session session;
};

class RatesPersistence : public ::testing::Test {
protected:
    std::unique_ptr<ProgramRun> start() {
        auto run = std::make_unique<ProgramRun>(m_dir.file("TKVR.INI"));
        run->session.formLoad();
        return run;
    }
    void store(const std::string& bytes) {
        std::ofstream out(m_dir.file("TKVR.INI"), std::ios::binary | std::ios::trunc);
        out << bytes;
        ASSERT_TRUE(out.flush());
    }
    std::string onDisk() const {
        std::ifstream in(m_dir.file("TKVR.INI"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    test::TempDir m_dir;
};

struct LoadRow {
    const char* name;
    std::optional<std::string> file;  // nullopt: no settings file
    const char* commission;
    const char* stampDuty;
};

void PrintTo(const LoadRow& row, std::ostream* os) {
    *os << row.name;
}

class RatesAtLoad : public RatesPersistence, public ::testing::WithParamInterface<LoadRow> {};

TEST_P(RatesAtLoad, load_shows_the_stored_rates_or_the_defaults_without_a_message) {
    const LoadRow& row = GetParam();
    if (row.file) {
        store(*row.file);
    }
    const auto run = start();
    EXPECT_EQ(run->ui.text(form1::Combo1), row.commission);
    EXPECT_EQ(run->ui.text(form1::Combo2), row.stampDuty);
    EXPECT_TRUE(run->ui.messages.empty());
}

std::string tip(const std::string& lines) {
    return "[TIP]\r\n" + lines;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RatesAtLoad,
    ::testing::Values(
        LoadRow{"no_file", std::nullopt, "2.7", "3"},
        LoadRow{"both_stored", tip(kFeeGbk + "=1.5\r\n" + kDutyGbk + "=1\r\n"), "1.5", "1"},
        LoadRow{"stamp_duty_line_removed", tip(kFeeGbk + "=1.5\r\n"), "1.5", "3"},
        LoadRow{"commission_line_removed", tip(kDutyGbk + "=6\r\n"), "2.7", "6"},
        LoadRow{"empty_values", tip(kFeeGbk + "=\r\n" + kDutyGbk + "=\r\n"), "2.7", "3"},
        LoadRow{"two_decimals_are_no_entry", tip(kFeeGbk + "=2.75\r\n" + kDutyGbk + "=1.0\r\n"),
                "2.7", "3"},
        LoadRow{"outside_the_lists", tip(kFeeGbk + "=3.1\r\n" + kDutyGbk + "=7\r\n"), "2.7", "3"},
        LoadRow{"commission_without_its_decimal", tip(kFeeGbk + "=0\r\n" + kDutyGbk + "=0\r\n"),
                "2.7", "0"},
        LoadRow{"blanks_around_a_value_are_trimmed_to_an_entry",
                tip(" " + kFeeGbk + " = 2.5 \r\n" + kDutyGbk + "=\t2\r\n"), "2.5", "2"},
        LoadRow{"hand_edited_lower_case_lf_file",
                "[tip]\n" + kFeeGbk + "=0.1\n" + kDutyGbk + "=5\n", "0.1", "5"},
        LoadRow{"value_not_valid_gbk", tip(kFeeGbk + "=1.5\xFF\r\n" + kDutyGbk + "=\x80\r\n"),
                "2.7", "3"},
        LoadRow{"utf8_file_with_byte_order_mark", "\xEF\xBB\xBF[TIP]\r\n手续费=1.2\r\n印花税=4\r\n",
                "1.2", "4"},
        LoadRow{"rates_in_a_utf8_file_without_mark_are_not_found",
                "[TIP]\r\n手续费=1.2\r\n印花税=4\r\n", "2.7", "3"},
        LoadRow{"garbage", std::string("\x00\xFF[\x81]=\r\n\xFE", 9), "2.7", "3"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RatesPersistence, save_writes_both_rates_in_gbk_and_the_next_start_shows_them) {
    auto run = start();
    run->ui.setText(form1::Combo1, "1.5");
    run->ui.setText(form1::Combo2, "1");
    run->session.SaveRates();
    EXPECT_TRUE(run->ui.messages.empty());
    EXPECT_EQ(onDisk(), "[TIP]\r\n" + kFeeGbk + "=1.5\r\n" + kDutyGbk + "=1\r\n");

    const auto next = start();
    EXPECT_EQ(next->ui.text(form1::Combo1), "1.5");
    EXPECT_EQ(next->ui.text(form1::Combo2), "1");
}

TEST_F(RatesPersistence, fund_or_warrant_rates_are_remembered_as_zero) {
    auto run = start();
    run->session.handle(form1::Option3, Gesture::Choose);
    run->session.SaveRates();
    EXPECT_TRUE(run->ui.messages.empty());

    const auto next = start();
    EXPECT_EQ(next->ui.text(form1::Combo1), "0.0");
    EXPECT_EQ(next->ui.text(form1::Combo2), "0");
}

TEST_F(RatesPersistence, save_keeps_what_a_person_added_to_the_file) {
    const std::string head = "; mine\r\n[Window]\r\nLeft=10\r\n\r\n";
    store(head + "[tip]\r\n" + kFeeGbk + " = 2.5\r\n");
    auto run = start();
    EXPECT_EQ(run->ui.text(form1::Combo1), "2.5");
    run->ui.setText(form1::Combo1, "2.0");
    run->session.SaveRates();
    EXPECT_EQ(onDisk(), head + "[tip]\r\n" + kFeeGbk + " = 2.0\r\n" + kDutyGbk + "=3\r\n");
}

TEST_F(RatesPersistence, failed_write_shows_the_message_once_per_key_and_the_program_goes_on) {
    ASSERT_TRUE(std::filesystem::create_directory(test::pathOf(m_dir.file("TKVR.INI"))));
    auto run = start();
    EXPECT_TRUE(run->ui.messages.empty());
    EXPECT_EQ(run->ui.text(form1::Combo1), "2.7");
    EXPECT_EQ(std::string(msg::kWriteFailed), kWriteFailedText);

    run->session.SaveRates();
    EXPECT_EQ(run->ui.messages, (std::vector<std::string>{kWriteFailedText, kWriteFailedText}));
    EXPECT_EQ(run->ui.text(form1::Combo1), "2.7");
    EXPECT_EQ(run->ui.text(form1::Combo2), "3");
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.file("TKVR.INI")));
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.file("TKVR.INI")));

    // The next save tries again and reports again; once the way is clear it succeeds.
    run->session.SaveRates();
    EXPECT_EQ(run->ui.messages.size(), 4u);
    std::filesystem::remove(m_dir.file("TKVR.INI"));
    run->session.SaveRates();
    EXPECT_EQ(run->ui.messages.size(), 4u);
    EXPECT_EQ(onDisk(), "[TIP]\r\n" + kFeeGbk + "=2.7\r\n" + kDutyGbk + "=3\r\n");
}

// Where the settings file lives, on Linux and on Windows (under Wine) alike: beside the program
// when its folder is writable and holds no install marker, else in the per-user folder (seeded from
// the file beside the program), else beside the program with the write message. A locked program
// folder is simulated, since the tests may run as root; in the last row the file beside the program
// is read-only (on Windows its read-only attribute), which stops even root from replacing it.
struct PlaceRow {
    const char* name;
    bool programFolderWritable;
    bool userFolderPossible;  // false: a plain file stands where the folder's parent goes
    std::optional<std::string> besideProgram;  // TKVR.INI beside the program before the start
    std::optional<std::string> inUserFolder;   // TKVR.INI in the per-user folder
    bool expectUserFolder;                     // the chosen file is the per-user one
    const char* shownCommission;
    std::size_t writeMessages;  // after one SaveRates
    bool installed = false;     // the setup program's marker lies beside the program
};

void PrintTo(const PlaceRow& row, std::ostream* os) {
    *os << row.name;
}

class SettingsPlace : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(SettingsPlace, start_and_save_use_the_first_place_that_can_be_written) {
    const PlaceRow& row = GetParam();
    test::TempDir root;
    const std::string program = root.file("program");
    const std::string config = root.file("config");
    const std::string user = config + "/" + settings::kUserSettingsFolderName;
    ASSERT_TRUE(std::filesystem::create_directory(test::pathOf(program)));
    const auto put = [](const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.flush());
    };
    if (!row.userFolderPossible) {
        put(config, "");
    }
    if (row.installed) {
        put(program + "/" + settings::kInstalledMarkerName, "");
    }
    if (row.inUserFolder) {
        ASSERT_TRUE(std::filesystem::create_directories(user));
        put(user + "/TKVR.INI", *row.inUserFolder);
    }
    const std::string beside = program + "/TKVR.INI";
    if (row.besideProgram) {
        put(beside, *row.besideProgram);
        if (row.writeMessages > 0) {
            std::filesystem::permissions(test::pathOf(beside),
                                         std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                         std::filesystem::perm_options::remove);
        }
    }
    const auto canWrite = [&](const std::string& dir) {
        return (dir != program || row.programFolderWritable) && settings::isWritableDirectory(dir);
    };

    const std::string chosen = settings::chooseSettingsFile(program, user, canWrite);
    EXPECT_EQ(chosen, row.expectUserFolder ? user + "/TKVR.INI" : beside);
    ProgramRun run(chosen);
    run.session.formLoad();
    EXPECT_EQ(run.ui.text(form1::Combo1), row.shownCommission);
    run.ui.setText(form1::Combo1, "0.5");
    run.session.SaveRates();
    EXPECT_EQ(run.ui.messages.size(), row.writeMessages);
    for (const auto& message : run.ui.messages) {
        EXPECT_EQ(message, kWriteFailedText);
    }
    // The file beside the program is left alone unless it is the chosen one.
    std::ifstream in(beside, std::ios::binary);
    const std::string besideNow{std::istreambuf_iterator<char>(in), {}};
    if (row.expectUserFolder || row.writeMessages > 0) {
        EXPECT_EQ(besideNow, row.besideProgram.value_or(""));
    }
    if (row.writeMessages == 0) {
        std::ifstream saved(chosen, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(saved), {}};
        EXPECT_NE(text.find(kFeeGbk + "=0.5\r\n"), std::string::npos) << text;
    }
    EXPECT_EQ(std::filesystem::exists(user), row.expectUserFolder || row.inUserFolder.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsPlace,
    ::testing::Values(
        PlaceRow{"writable_program_folder_keeps_the_file_beside_the_program", true, true,
                 tip(kFeeGbk + "=1.5\r\n"), std::nullopt, false, "1.5", 0},
        PlaceRow{"writable_program_folder_ignores_a_per_user_file", true, true, std::nullopt,
                 tip(kFeeGbk + "=2.0\r\n"), false, "2.7", 0},
        PlaceRow{"locked_program_folder_seeds_the_new_per_user_file_from_beside", false, true,
                 tip(kFeeGbk + "=1.5\r\n"), std::nullopt, true, "1.5", 0},
        PlaceRow{"locked_program_folder_keeps_the_per_user_file_it_has", false, true,
                 tip(kFeeGbk + "=1.5\r\n"), tip(kFeeGbk + "=2.0\r\n"), true, "2.0", 0},
        PlaceRow{"locked_program_folder_without_any_file_starts_from_the_defaults", false, true,
                 std::nullopt, std::nullopt, true, "2.7", 0},
        PlaceRow{"neither_place_writable_reads_beside_and_says_so_once_per_key", false, false,
                 tip(kFeeGbk + "=1.5\r\n"), std::nullopt, false, "1.5", 2},
        PlaceRow{"installed_copy_keeps_the_per_user_file_though_its_folder_is_writable", true, true,
                 std::nullopt, tip(kFeeGbk + "=2.0\r\n"), true, "2.0", 0, true},
        PlaceRow{"installed_copy_without_a_per_user_folder_writes_beside_itself", true, false,
                 std::nullopt, std::nullopt, false, "2.7", 0, true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zm
