#include "settings/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "settings/scratch_dir.h"
#include "settings/settings_location.h"

namespace zm::settings {
namespace {

using zm::test::readBytes;
using zm::test::TempDir;
using zm::test::writeBytes;

// The two keys in GBK: 手续费 and 印花税.
const std::string kFeeGbk = "\xCA\xD6\xD0\xF8\xB7\xD1";
const std::string kDutyGbk = "\xD3\xA1\xBB\xA8\xCB\xB0";

class ProfileFileTest : public ::testing::Test {
protected:
    std::string iniPath() const { return m_dir.file("TKVR.INI"); }
    std::optional<std::string> fee() const {
        return ProfileFile(iniPath()).readString("TIP", "手续费");
    }
    std::optional<std::string> duty() const {
        return ProfileFile(iniPath()).readString("TIP", "印花税");
    }
    bool writeFee(std::string_view v) {
        return ProfileFile(iniPath()).writeString("TIP", "手续费", v);
    }
    bool writeDuty(std::string_view v) {
        return ProfileFile(iniPath()).writeString("TIP", "印花税", v);
    }
    void store(std::string_view bytes) { writeBytes(iniPath(), bytes); }
    std::string onDisk() const { return readBytes(iniPath()).value_or("<missing>"); }

    TempDir m_dir;
};

TEST_F(ProfileFileTest, settings_file_lies_in_the_programs_directory) {
    EXPECT_EQ(settingsFilePath("/opt/zunmo"), "/opt/zunmo/TKVR.INI");
}

// The per-user settings folder is the Linux program's (the Windows one keeps TKVR.INI beside
// the .exe).
#ifndef _WIN32
TEST(UserSettingsFolder, follows_xdg_config_home_then_home_and_ignores_relative_paths) {
    struct Row {
        const char* name;
        const char* xdgConfigHome;  // nullptr: unset
        const char* home;
        const char* folder;
    };
    const Row rows[] = {
        {"xdg_config_home", "/x/cfg", "/home/a", "/x/cfg/zunmo-calc"},
        {"unset_falls_back_to_home", nullptr, "/home/a", "/home/a/.config/zunmo-calc"},
        {"empty_falls_back_to_home", "", "/home/a", "/home/a/.config/zunmo-calc"},
        {"relative_falls_back_to_home", "cfg", "/home/a", "/home/a/.config/zunmo-calc"},
        {"no_home_no_folder", nullptr, nullptr, ""},
        {"relative_home_no_folder", nullptr, "home/a", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto environment = [&row](const char* name) -> const char* {
            return std::string_view(name) == "XDG_CONFIG_HOME" ? row.xdgConfigHome
                   : std::string_view(name) == "HOME"          ? row.home
                                                               : nullptr;
        };
        EXPECT_EQ(xdgSettingsDirectory(environment), row.folder);
    }
}
#endif

TEST_F(ProfileFileTest, no_file_reads_nothing_and_creates_nothing) {
    EXPECT_EQ(fee(), std::nullopt);
    EXPECT_EQ(duty(), std::nullopt);
    EXPECT_TRUE(m_dir.entries().empty());
}

TEST_F(ProfileFileTest, full_file_in_gbk_gives_both_rates) {
    store("[TIP]\r\n" + kFeeGbk + "=2.5\r\n" + kDutyGbk + "=1\r\n");
    EXPECT_EQ(fee(), "2.5");
    EXPECT_EQ(duty(), "1");
}

TEST_F(ProfileFileTest, commission_alone_leaves_stamp_duty_absent) {
    store("[TIP]\r\n" + kFeeGbk + "=2.5\r\n");
    EXPECT_EQ(fee(), "2.5");
    EXPECT_EQ(duty(), std::nullopt);
}

TEST_F(ProfileFileTest, hand_edited_spacing_case_and_line_ends_still_read) {
    const std::vector<std::string> files = {
        "[tip]\r\n " + kFeeGbk + " = 2.5 \r\n\t" + kDutyGbk + "\t=\t1\t\r\n",
        "  [ Tip ]\n" + kFeeGbk + "=2.5\n" + kDutyGbk + "=1\n",
        "[TIP]\r" + kFeeGbk + "=2.5\r" + kDutyGbk + "=1",
        "[TIP]\r\n" + kFeeGbk + "=\"2.5\"\r\n" + kDutyGbk + "='1'\r\n",
    };
    for (const auto& text : files) {
        SCOPED_TRACE(text);
        store(text);
        EXPECT_EQ(fee(), "2.5");
        EXPECT_EQ(duty(), "1");
    }
}

TEST_F(ProfileFileTest, empty_or_blank_value_counts_as_absent) {
    for (const std::string& value :
         std::vector<std::string>{"", "   ", "\"\"", std::string(1, '\0') + "2.5"}) {
        store("[TIP]\r\n" + kFeeGbk + "=" + value + "\r\n");
        EXPECT_EQ(fee(), std::nullopt) << "value of " << value.size() << " bytes";
    }
}

TEST_F(ProfileFileTest, value_is_cut_at_its_first_zero_byte) {
    store("[TIP]\r\n" + kFeeGbk + "=2.7" + std::string(1, '\0') + "5\r\n");
    EXPECT_EQ(fee(), "2.7");
}

TEST_F(ProfileFileTest, both_rates_round_trip_through_a_gbk_file) {
    ASSERT_TRUE(writeFee("2.7"));
    ASSERT_TRUE(writeDuty("3"));
    EXPECT_EQ(onDisk(), "[TIP]\r\n" + kFeeGbk + "=2.7\r\n" + kDutyGbk + "=3\r\n");
    EXPECT_EQ(fee(), "2.7");
    EXPECT_EQ(duty(), "3");

    ASSERT_TRUE(writeFee("0.0"));
    ASSERT_TRUE(writeDuty("0"));
    EXPECT_EQ(onDisk(), "[TIP]\r\n" + kFeeGbk + "=0.0\r\n" + kDutyGbk + "=0\r\n");
    EXPECT_EQ(fee(), "0.0");
    EXPECT_EQ(duty(), "0");
    EXPECT_EQ(m_dir.entries(), std::vector<std::string>{"TKVR.INI"});  // no temporary left
}

TEST_F(ProfileFileTest, chinese_values_are_stored_in_gbk) {
    ASSERT_TRUE(ProfileFile(iniPath()).writeString("TIP", "备注", "印花税"));
    EXPECT_EQ(onDisk(), "[TIP]\r\n\xB1\xB8\xD7\xA2=" + kDutyGbk + "\r\n");
    EXPECT_EQ(ProfileFile(iniPath()).readString("TIP", "备注"), "印花税");
}

TEST_F(ProfileFileTest, foreign_sections_and_comments_are_kept_byte_for_byte) {
    const std::string head = "; written by hand\n[Window]\nLeft = 10 \n\n";
    const std::string tail = "\n[Other]\n" + kFeeGbk + "=9\n; end\n";
    store(head + "[tip]\n" + kFeeGbk + " = 2.5\n" + tail);
    ASSERT_TRUE(writeFee("2.7"));
    ASSERT_TRUE(writeDuty("3"));
    EXPECT_EQ(onDisk(), head + "[tip]\n" + kFeeGbk + " = 2.7\n" + kDutyGbk + "=3\n" + tail);
}

#ifndef _WIN32
TEST_F(ProfileFileTest, permissions_of_the_old_file_are_kept) {
    store("[TIP]\r\n");
    ASSERT_EQ(::chmod(iniPath().c_str(), 0640), 0);
    ASSERT_TRUE(writeFee("2.7"));
    struct stat st {};
    ASSERT_EQ(::stat(iniPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
#endif

TEST_F(ProfileFileTest, long_value_is_cut_at_999_bytes_never_inside_a_character) {
    store("[TIP]\r\n" + kFeeGbk + "=" + std::string(1200, '7') + "\r\n");
    EXPECT_EQ(fee(), std::string(999, '7'));
    // 998 bytes of digits and then 手 (CA D6): the 999th byte is the first half of 手.
    store("[TIP]\r\n" + kFeeGbk + "=" + std::string(998, '7') + kFeeGbk + "\r\n");
    EXPECT_EQ(fee(), std::string(998, '7'));
    store("[TIP]\r\n" + kFeeGbk + "=" + std::string(997, '7') + kFeeGbk + "\r\n");
    EXPECT_EQ(fee(), std::string(997, '7') + "手");
}

TEST_F(ProfileFileTest, directory_in_the_files_place_fails_to_write_and_changes_nothing) {
    ASSERT_TRUE(std::filesystem::create_directory(zm::test::pathOf(iniPath())));
    EXPECT_EQ(fee(), std::nullopt);
    EXPECT_FALSE(writeFee("2.7"));
    EXPECT_FALSE(writeDuty("3"));
    EXPECT_TRUE(std::filesystem::is_directory(iniPath()));
    EXPECT_TRUE(std::filesystem::is_empty(iniPath()));
    EXPECT_EQ(m_dir.entries(), std::vector<std::string>{"TKVR.INI"});
}

TEST_F(ProfileFileTest, read_only_file_is_not_replaced) {
    const std::string before = "[TIP]\r\n" + kFeeGbk + "=2.5\r\n";
    store(before);
    ASSERT_EQ(::chmod(iniPath().c_str(), 0444), 0);
    EXPECT_FALSE(writeFee("2.7"));
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(fee(), "2.5");
}

TEST_F(ProfileFileTest, missing_directory_fails_to_write) {
    const ProfileFile file(m_dir.file("gone/TKVR.INI"));
    EXPECT_FALSE(ProfileFile(file).writeString("TIP", "手续费", "2.7"));
    EXPECT_EQ(file.readString("TIP", "手续费"), std::nullopt);
    EXPECT_TRUE(m_dir.entries().empty());
}

TEST_F(ProfileFileTest, folder_with_chinese_characters_and_blanks_holds_the_file) {
    const std::string folder = m_dir.file("股票 计算器");
    ASSERT_TRUE(std::filesystem::create_directory(zm::test::pathOf(folder)));
    ProfileFile file(settingsFilePath(folder));
    ASSERT_TRUE(file.writeString("TIP", "手续费", "2.7"));
    EXPECT_EQ(file.readString("TIP", "手续费"), "2.7");
    EXPECT_EQ(readBytes(file.path()), "[TIP]\r\n" + kFeeGbk + "=2.7\r\n");
}

#ifndef _WIN32
// A file-size limit makes the write of the temporary file fail part-way, after it was created.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

TEST_F(ProfileFileTest, failed_write_keeps_the_old_file_and_removes_the_temporary) {
    const std::string before =
        "[TIP]\r\n" + kFeeGbk + "=2.5\r\n; " + std::string(200, '-') + "\r\n";
    store(before);
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(writeDuty("3"));
    }
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(m_dir.entries(), std::vector<std::string>{"TKVR.INI"});
    EXPECT_TRUE(writeDuty("3"));  // and once the disk has room again, it works
    EXPECT_EQ(duty(), "3");
}
#endif

TEST_F(ProfileFileTest, texts_that_could_not_read_back_are_refused) {
    store("[TIP]\r\n");
    ProfileFile file(iniPath());
    EXPECT_FALSE(file.writeString("TIP", "手续费", "2.7\r\n[X]"));
    EXPECT_FALSE(file.writeString("TIP", "手续费", std::string("2.7\0", 4)));
    EXPECT_FALSE(file.writeString("TIP", "a=b", "1"));
    EXPECT_FALSE(file.writeString("TIP", ";a", "1"));
    EXPECT_FALSE(file.writeString("TIP", "  ", "1"));
    EXPECT_FALSE(file.writeString("", "a", "1"));
    EXPECT_FALSE(file.writeString("TIP", "手续费", "😀"));  // no GBK form
    EXPECT_EQ(onDisk(), "[TIP]\r\n");
}

// Bad input: the program must start with its defaults and never crash or hang.

TEST_F(ProfileFileTest, garbage_file_reads_nothing_and_is_kept_when_written) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    store(garbage);
    EXPECT_EQ(fee(), std::nullopt);
    EXPECT_EQ(duty(), std::nullopt);
    ASSERT_TRUE(writeFee("2.7"));
    const std::string after = onDisk();
    EXPECT_EQ(after.substr(0, garbage.size()), garbage);
    EXPECT_EQ(fee(), "2.7");
}

TEST_F(ProfileFileTest, value_that_is_not_valid_gbk_counts_as_absent) {
    store("[TIP]\r\n" + kFeeGbk +
          "=2.\xFF"
          "7\r\n" +
          kDutyGbk + "=3\xCA\r\n");
    EXPECT_EQ(fee(), std::nullopt);
    EXPECT_EQ(duty(), std::nullopt);
}

TEST_F(ProfileFileTest, file_without_final_line_end_reads_and_gains_one_when_written) {
    store("[TIP]\r\n" + kFeeGbk + "=2.5");
    EXPECT_EQ(fee(), "2.5");
    ASSERT_TRUE(writeDuty("3"));
    EXPECT_EQ(onDisk(), "[TIP]\r\n" + kFeeGbk + "=2.5\r\n" + kDutyGbk + "=3\r\n");
}

TEST_F(ProfileFileTest, utf8_byte_order_mark_makes_a_utf8_file_that_stays_utf8) {
    store("\xEF\xBB\xBF[TIP]\r\n手续费=2.5\r\n");
    EXPECT_EQ(fee(), "2.5");
    ASSERT_TRUE(writeDuty("3"));
    EXPECT_EQ(onDisk(), "\xEF\xBB\xBF[TIP]\r\n手续费=2.5\r\n印花税=3\r\n");
    EXPECT_EQ(duty(), "3");
}

TEST_F(ProfileFileTest, ten_megabyte_line_is_read_and_kept) {
    const std::string longLine(10 * 1000 * 1000, 'x');
    const std::string before = "[TIP]\n" + longLine + "\n" + kFeeGbk + "=2.5\n";
    store(before);
    EXPECT_EQ(fee(), "2.5");
    ASSERT_TRUE(writeDuty("3"));
    EXPECT_EQ(onDisk(), before + kDutyGbk + "=3\n");
    // The same length as the value itself is cut to the read buffer.
    store("[TIP]\n" + kFeeGbk + "=" + longLine + "\n");
    EXPECT_EQ(fee(), std::string(999, 'x'));
}

TEST_F(ProfileFileTest, oversized_file_is_neither_read_nor_replaced) {
    const std::string before =
        "[TIP]\n" + kFeeGbk + "=2.5\n;" + std::string(17 * 1024 * 1024, 'x') + "\n";
    store(before);
    EXPECT_EQ(fee(), std::nullopt);
    EXPECT_FALSE(writeFee("2.7"));
    EXPECT_EQ(onDisk(), before);
}

#ifndef _WIN32
TEST_F(ProfileFileTest, fifo_in_the_files_place_neither_blocks_nor_is_replaced) {
    ASSERT_EQ(::mkfifo(iniPath().c_str(), 0644), 0);
    EXPECT_EQ(fee(), std::nullopt);
    EXPECT_FALSE(writeFee("2.7"));
    struct stat st {};
    ASSERT_EQ(::lstat(iniPath().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}
#endif

}  // namespace
}  // namespace zm::settings
