#include "journal/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "settings/scratch_dir.h"

namespace zm::journal {
namespace {

using test::pathOf;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

Entry sample(const char* code, std::int64_t quantity, EntrySource source = EntrySource::Typed) {
    Entry e;
    e.date = {2024, 3, 1};
    e.code = code;
    e.name = "平安银行";
    e.quantity = quantity;
    e.price = Money::fromTicks(105'000);
    e.amount = Money::fromYuan(quantity * 10) + Money::fromTicks(5);
    e.commission = Money::fromFen(500);
    e.transferFee = Money::fromTicks(1'234);
    e.origin = {source, source == EntrySource::Imported ? "交割单.csv" : "", 7};
    return e;
}

// The journals live in a folder with a Chinese name, made when missing, which must reach the disk
// as written (on Windows through the wide-character functions, not the ANSI code page).
constexpr char kFolder[] = "账本测试";

TEST(JournalStore, round_trip_and_undo_survive_a_restart) {
    TempDir dir;
    const std::string path = dir.file(std::string(kFolder) + "/data/journal.sqlite");
    std::vector<Entry> expected;
    {
        Store store;
        ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
        // The checks refuse a code that is not six digits and a negative quantity; nothing stays.
        for (const Entry& e : {sample("00001", 1), sample("60000A", 1), sample("600000", -1)}) {
            EXPECT_EQ(store.add(e), std::nullopt) << e.code << " " << e.quantity;
            EXPECT_FALSE(store.lastError().empty());
        }
        EXPECT_FALSE(store.canUndo() || store.remove(42));
        for (Entry e : {sample("000001", 100), sample("600000", 200, EntrySource::Imported)}) {
            e.id = *store.add(e);
            expected.push_back(e);
        }
        expected[1].kind = EntryKind::Sell;
        ASSERT_TRUE(store.update(expected[1]));
        EXPECT_FALSE(store.update(sample("600000", 1)));  // id 0: there is no such entry
        ASSERT_TRUE(store.setPrice("600000", Money::fromTicks(98'700)));
        EXPECT_EQ(store.entries(), expected);
        ASSERT_TRUE(store.remove(expected[0].id));
    }
    Store store;
    ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
    EXPECT_EQ(store.price("600000"), Money::fromTicks(98'700));
    EXPECT_EQ(store.price("000001"), std::nullopt);
    // Undo brings back the deleted entry under its id, then the row before the update, then
    // takes the additions away.
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(store.entries(), expected);
    ASSERT_TRUE(store.undo());
    expected[1].kind = EntryKind::Buy;
    EXPECT_EQ(store.entries(), expected);
    ASSERT_TRUE(store.undo() && store.undo());
    EXPECT_TRUE(store.entries().empty());
    EXPECT_FALSE(store.canUndo());
    EXPECT_FALSE(store.undo());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{kFolder});
}

TEST(JournalStore, a_newer_schema_is_refused_and_left_byte_for_byte) {
    TempDir dir;
    const std::string path = dir.file("journal.sqlite");
    {
        Store store;
        ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
        ASSERT_TRUE(store.add(sample("000001", 100)));
    }
    std::string bytes = *readBytes(path);
    bytes[63] = static_cast<char>(currentSchemaVersion() + 1);  // user_version, big-endian at 60
    writeBytes(path, bytes);
    Store store;
    EXPECT_EQ(store.open(path).status, OpenStatus::NewerSchema);
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"journal.sqlite"});
}

TEST(JournalStore, a_first_schema_journal_is_brought_up_to_date_for_imports) {
    TempDir dir;
    const std::string path = dir.file("journal.sqlite");
    Entry typed = sample("000001", 100);
    {
        Store store;
        ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
        typed.id = *store.add(typed);
    }
    // Back to the schema the first version wrote: no import keys, one entry per undo step.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    const int downgraded = sqlite3_exec(
        db,
        "DROP INDEX entries_by_import_key; ALTER TABLE entries DROP COLUMN import_key; "
        "ALTER TABLE undo_log DROP COLUMN import_key; DROP TABLE undo_added; "
        "PRAGMA user_version = 1;",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(downgraded, SQLITE_OK);

    Store store;
    ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
    EXPECT_EQ(store.entries(), std::vector<Entry>{typed});
    Entry imported = sample("600000", 200, EntrySource::Imported);
    imported.origin.key = "成交|2024-03-01|600000|501|1001";
    const auto ids = store.addAll({imported, imported, sample("000001", 300)});
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->size(), 2u);  // the second copy of the key is left out
    EXPECT_EQ(store.importKeys(), std::unordered_set<std::string>{imported.origin.key});
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(store.entries(), std::vector<Entry>{typed});
    EXPECT_TRUE(store.importKeys().empty());
}

TEST(JournalStore, a_damaged_journal_is_reported_and_set_aside_whole) {
    TempDir dir;
    const std::string path = dir.file(std::string(kFolder) + "/journal.sqlite");
    {
        Store store;
        ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
        ASSERT_TRUE(store.add(sample("000001", 100)));
    }
    std::string trampled = *readBytes(path);
    std::fill(trampled.begin() + 4096, trampled.begin() + 4200, '\x5a');  // the second page
    const Timestamp when{2026, 1, 2, 3, 4, 5};
    const std::string aside = path + ".damaged-20260102-030405";
    EXPECT_EQ(damagedName(path, when), aside);
    for (const auto& [bytes, name] :
         {std::pair{std::string(5000, 'x'), aside}, {trampled, aside + "-1"}}) {
        writeBytes(path, bytes);
        Store store;
        EXPECT_EQ(store.open(path).status, OpenStatus::Damaged) << name;
        EXPECT_EQ(readBytes(path), bytes) << name;
        EXPECT_EQ(setAsideDamaged(path, when), name);
        EXPECT_EQ(readBytes(name), bytes) << name;
        EXPECT_EQ(store.open(path).status, OpenStatus::Ok) << name;
        EXPECT_TRUE(store.entries().empty()) << name;
    }
}

TEST(JournalStore, a_folder_it_cannot_write_gives_an_error_not_a_crash) {
    TempDir dir;
    // A "folder" that is a file: no journal can be made in it on either system.
    const std::string plainFile = dir.file(kFolder);
    writeBytes(plainFile, "not a folder");
#ifdef _WIN32
    // Windows has no write permission bits that a test could take away from a folder.
    const std::string folders[] = {plainFile};
#else
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // Root writes into a folder without write permission; /proc takes no new files from anyone.
    const std::string folders[] = {::geteuid() == 0 ? "/proc" : dir.path(), "/proc/self",
                                   plainFile};
#endif
    for (const std::string& folder : folders) {
        Store store;
        const OpenResult r = store.open(folder + "/journal.sqlite");
        EXPECT_EQ(r.status, OpenStatus::CannotOpen) << folder << ": " << r.detail;
        EXPECT_FALSE(store.add(sample("000001", 1))) << folder;
        EXPECT_TRUE(store.entries().empty()) << folder;
    }
}

struct PathRow {
    const char* xdgDataHome;
    const char* home;
    const char* path;
};

const PathRow kPaths[] = {
    {"/data", "/home/li", "/data/zunmo-calc/journal.sqlite"},
    {nullptr, "/home/li", "/home/li/.local/share/zunmo-calc/journal.sqlite"},
    {"", "/home/li", "/home/li/.local/share/zunmo-calc/journal.sqlite"},
    {"data", "/home/li", "/home/li/.local/share/zunmo-calc/journal.sqlite"},
    {nullptr, "home", ""},
    {nullptr, nullptr, ""},
};

TEST(JournalStore, file_path_follows_the_xdg_data_folder) {
    for (const auto& r : kPaths) {
        const auto env = [&](const char* name) {
            return std::string_view(name) == "XDG_DATA_HOME" ? r.xdgDataHome : r.home;
        };
        EXPECT_EQ(journalFilePath(env), r.path) << (r.xdgDataHome ? r.xdgDataHome : "unset");
    }
}

// An environment variable of this process in UTF-8 (read and set as the system's wide string on
// Windows, which an ANSI copy could garble); nullopt or nullptr when unset.
std::optional<std::string> environment(const char* name) {
#ifdef _WIN32
    std::wstring value(32768, L'\0');
    const DWORD n = GetEnvironmentVariableW(pathOf(name).c_str(), value.data(), 32768);
    if (n == 0 || n >= value.size()) {
        return std::nullopt;
    }
    const std::u8string utf8 = std::filesystem::path(value.substr(0, n)).u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
#endif
}

void setEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    SetEnvironmentVariableW(pathOf(name).c_str(), value ? pathOf(value).c_str() : nullptr);
#else
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
#endif
}

// The program's own journal file follows the process environment, Chinese folders included:
// %APPDATA% on Windows, $XDG_DATA_HOME on Linux.
TEST(JournalStore, default_path_follows_the_user_data_folder) {
#ifdef _WIN32
    const char* variable = "APPDATA";
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\Users\\li\\AppData\\Roaming",
         "C:\\Users\\li\\AppData\\Roaming\\zunmo-calc\\journal.sqlite"},
        {"D:\\用户\\李", "D:\\用户\\李\\zunmo-calc\\journal.sqlite"},
    };
#else
    const char* variable = "XDG_DATA_HOME";
    const std::pair<const char*, const char*> rows[] = {
        {"/data", "/data/zunmo-calc/journal.sqlite"},
        {"/用户/李", "/用户/李/zunmo-calc/journal.sqlite"},
    };
#endif
    const std::optional<std::string> before = environment(variable);
    for (const auto& [folder, path] : rows) {
        setEnvironment(variable, folder);
        EXPECT_EQ(defaultJournalPath(), path) << folder;
        EXPECT_EQ(environment(variable), folder);
    }
    setEnvironment(variable, before ? before->c_str() : nullptr);
}

}  // namespace
}  // namespace zm::journal
