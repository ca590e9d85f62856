#include "journal/store.h"

#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace zm::journal {
namespace {

// Each step takes the schema from its index to the next version (PRAGMA user_version). Money is
// kept in ten-thousandths of a yuan, dates as "YYYY-MM-DD". A change is undone from undo_log,
// which holds the entry as it was before (no columns for an addition, which undo deletes).
// Version 2 gives an entry read from a statement the key of its row there (NULL for one typed or
// recorded), unique so that an import never adds a row twice; one change may add many entries,
// whose ids undo_added keeps beside the change's undo_log row.
constexpr std::array<const char*, 2> kMigrations{R"sql(
CREATE TABLE stocks(
  code TEXT PRIMARY KEY NOT NULL CHECK(length(code) = 6 AND code NOT GLOB '*[^0-9]*'),
  price INTEGER CHECK(price IS NULL OR price >= 0)
) STRICT;
CREATE TABLE entries(
  id INTEGER PRIMARY KEY,
  date TEXT NOT NULL CHECK(date GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'),
  code TEXT NOT NULL REFERENCES stocks(code)
    CHECK(length(code) = 6 AND code NOT GLOB '*[^0-9]*'),
  name TEXT NOT NULL,
  kind TEXT NOT NULL
    CHECK(kind IN ('buy', 'sell', 'dividend', 'bonus', 'dividend_tax', 'other_fee')),
  quantity INTEGER NOT NULL CHECK(quantity >= 0),
  price INTEGER NOT NULL,
  amount INTEGER NOT NULL,
  commission INTEGER NOT NULL,
  stamp_duty INTEGER NOT NULL,
  transfer_fee INTEGER NOT NULL,
  other_fees INTEGER NOT NULL,
  source TEXT NOT NULL CHECK(source IN ('typed', 'recorded', 'imported')),
  source_file TEXT NOT NULL,
  source_row INTEGER NOT NULL
) STRICT;
CREATE INDEX entries_by_date ON entries(date, id);
CREATE TABLE undo_log(
  seq INTEGER PRIMARY KEY,
  action TEXT NOT NULL CHECK(action IN ('add', 'update', 'delete')),
  entry_id INTEGER NOT NULL,
  date TEXT, code TEXT, name TEXT, kind TEXT, quantity INTEGER, price INTEGER, amount INTEGER,
  commission INTEGER, stamp_duty INTEGER, transfer_fee INTEGER, other_fees INTEGER,
  source TEXT, source_file TEXT, source_row INTEGER
) STRICT;
)sql",
                                                 R"sql(
ALTER TABLE entries ADD COLUMN import_key TEXT;
CREATE UNIQUE INDEX entries_by_import_key ON entries(import_key) WHERE import_key IS NOT NULL;
ALTER TABLE undo_log ADD COLUMN import_key TEXT;
CREATE TABLE undo_added(
  seq INTEGER NOT NULL REFERENCES undo_log(seq) ON DELETE CASCADE,
  entry_id INTEGER NOT NULL,
  PRIMARY KEY(seq, entry_id)
) STRICT;
)sql"};

// A UTF-8 path as the file system takes it. On Windows a path made from a plain std::string goes
// through the ANSI code page, which turns a folder such as "账本" into question marks; one made
// from char8_t reaches the wide-character functions whole. SQLite itself takes UTF-8 names.
std::filesystem::path fsPath(const std::string& utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

#define ZM_ENTRY_COLUMNS                                                                      \
    "date, code, name, kind, quantity, price, amount, commission, stamp_duty, transfer_fee, " \
    "other_fees, source, source_file, source_row, import_key"
constexpr int kEntryColumnCount = 15;
constexpr const char* kInsertEntry =
    "INSERT INTO entries(" ZM_ENTRY_COLUMNS
    ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)";
// The undo log keeps this many changes.
constexpr int kUndoDepth = 100;

// A prepared statement, finalized when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return m_rc == SQLITE_OK; }
    int prepareCode() const { return m_rc; }
    void bind(int i, std::int64_t v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bind(int i, std::string_view v) {
        sqlite3_bind_text(m_stmt, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    void bindNull(int i) { sqlite3_bind_null(m_stmt, i); }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step() { return m_stmt ? sqlite3_step(m_stmt) : m_rc; }
    // Makes the statement ready to run again with new parameters.
    void reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    bool run() { return step() == SQLITE_DONE; }
    std::int64_t integer(int col) const { return sqlite3_column_int64(m_stmt, col); }
    bool isNull(int col) const { return sqlite3_column_type(m_stmt, col) == SQLITE_NULL; }
    std::string text(int col) const {
        const auto* p = sqlite3_column_text(m_stmt, col);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, col)))
                 : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

// Binds an entry's columns, in the order of ZM_ENTRY_COLUMNS, from parameter `first` on.
void bindEntry(Statement& s, int first, const Entry& e) {
    s.bind(first, e.date.iso());
    s.bind(first + 1, e.code);
    s.bind(first + 2, e.name);
    s.bind(first + 3, kindKey(e.kind));
    s.bind(first + 4, e.quantity);
    const Money figures[] = {e.price,     e.amount,      e.commission,
                             e.stampDuty, e.transferFee, e.otherFees};
    for (int i = 0; i < 6; ++i) {
        s.bind(first + 5 + i, figures[i].ticks());
    }
    s.bind(first + 11, sourceKey(e.origin.source));
    s.bind(first + 12, e.origin.file);
    s.bind(first + 13, std::int64_t{e.origin.row});
    if (e.origin.key.empty()) {
        s.bindNull(first + 14);
    } else {
        s.bind(first + 14, e.origin.key);
    }
}

// The entry read from the columns id, ZM_ENTRY_COLUMNS.
std::optional<Entry> readEntry(const Statement& s) {
    Entry e;
    e.id = s.integer(0);
    const auto date = TradeDate::parse(s.text(1));
    const auto kind = kindFromKey(s.text(4));
    const auto source = sourceFromKey(s.text(12));
    if (!date || !kind || !source) {
        return std::nullopt;
    }
    e.date = *date;
    e.code = s.text(2);
    e.name = s.text(3);
    e.kind = *kind;
    e.quantity = s.integer(5);
    Money* figures[] = {&e.price,     &e.amount,      &e.commission,
                        &e.stampDuty, &e.transferFee, &e.otherFees};
    for (int i = 0; i < 6; ++i) {
        *figures[i] = Money::fromTicks(s.integer(6 + i));
    }
    e.origin = {*source, s.text(13), static_cast<int>(s.integer(14)), s.text(15)};
    return e;
}

// PRAGMA user_version as the database header holds it (four bytes, big-endian, at offset 60);
// nullopt when the file is missing or does not start like a database.
std::optional<int> headerUserVersion(const std::string& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    std::array<unsigned char, 64> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size()) ||
        std::memcmp(header.data(), "SQLite format 3", 16) != 0) {
        return std::nullopt;
    }
    return static_cast<int>((std::uint32_t{header[60]} << 24) | (std::uint32_t{header[61]} << 16) |
                            (std::uint32_t{header[62]} << 8) | std::uint32_t{header[63]});
}

bool isDamagedCode(int rc) {
    return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

}  // namespace

struct Store::Impl {
    sqlite3* db = nullptr;
    std::string error;

    bool exec(const char* sql) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
        if (rc != SQLITE_OK) {
            error = message ? message : sqlite3_errstr(rc);
        }
        sqlite3_free(message);
        return rc == SQLITE_OK;
    }
    bool fail() {
        error = sqlite3_errmsg(db);
        return false;
    }
    // Runs `change` in one transaction: committed when it returns true, rolled back otherwise.
    template <class Change>
    bool transaction(Change change) {
        if (db == nullptr || !exec("BEGIN IMMEDIATE")) {
            return false;
        }
        if (!change() || !exec("COMMIT")) {
            exec("ROLLBACK");
            return false;
        }
        return true;
    }
    bool ensureStock(std::string_view code) {
        Statement s(db, "INSERT OR IGNORE INTO stocks(code) VALUES (?1)");
        s.bind(1, code);
        return s.run() || fail();
    }
    // Records the entry `id` as it is now, before `action` changes it.
    bool logBefore(const char* action, std::int64_t id) {
        Statement s(db, "INSERT INTO undo_log(action, entry_id, " ZM_ENTRY_COLUMNS
                        ") SELECT ?1, id, " ZM_ENTRY_COLUMNS " FROM entries WHERE id = ?2");
        s.bind(1, std::string_view(action));
        s.bind(2, id);
        if (!s.run()) {
            return fail();
        }
        if (sqlite3_changes(db) != 1) {
            error = "no entry " + std::to_string(id);
            return false;
        }
        Statement trim(db,
                       "DELETE FROM undo_log WHERE seq <= (SELECT max(seq) FROM undo_log) - ?1");
        trim.bind(1, std::int64_t{kUndoDepth});
        return trim.run() || fail();
    }
    int userVersion() {
        Statement s(db, "PRAGMA user_version");
        const int rc = s.step();
        return rc == SQLITE_ROW ? static_cast<int>(s.integer(0)) : -rc;
    }
};

Store::Store() : m_impl(std::make_unique<Impl>()) {}

Store::~Store() {
    close();
}

int currentSchemaVersion() {
    return static_cast<int>(kMigrations.size());
}

void Store::close() {
    if (m_impl->db != nullptr) {
        // Closes once the last statement is finalized, as when open() gives up mid-check.
        sqlite3_close_v2(m_impl->db);
        m_impl->db = nullptr;
    }
}

bool Store::isOpen() const {
    return m_impl->db != nullptr;
}

OpenResult Store::open(const std::string& path) {
    close();
    Impl& d = *m_impl;
    auto result = [&](OpenStatus status) {
        OpenResult r{status, d.db ? sqlite3_errmsg(d.db) : "cannot open"};
        if (status != OpenStatus::Ok) {
            if (!d.error.empty()) {
                r.detail = d.error;
            }
            close();
        }
        return r;
    };
    d.error.clear();
    std::error_code ec;
    const std::filesystem::path file = fsPath(path);
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    // A journal of a later version is refused on its header alone, before SQLite opens the file
    // and would add its -wal and -shm files beside it.
    if (const auto version = headerUserVersion(path); version > currentSchemaVersion()) {
        d.error = "schema version " + std::to_string(*version);
        return result(OpenStatus::NewerSchema);
    }
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &d.db, flags, nullptr) != SQLITE_OK) {
        return result(OpenStatus::CannotOpen);
    }
    sqlite3_extended_result_codes(d.db, 0);
    {
        Statement check(d.db, "PRAGMA integrity_check");
        const int rc = check.step();
        if (rc != SQLITE_ROW) {
            return result(isDamagedCode(rc) ? OpenStatus::Damaged : OpenStatus::CannotOpen);
        }
        if (check.text(0) != "ok") {
            d.error = check.text(0);
            return result(OpenStatus::Damaged);
        }
    }
    {
        Statement wal(d.db, "PRAGMA journal_mode = WAL");
        if (wal.step() != SQLITE_ROW || wal.text(0) != "wal") {
            d.error = "the journal cannot be written here";
            return result(OpenStatus::CannotOpen);
        }
    }
    if (!d.exec("PRAGMA foreign_keys = ON")) {
        return result(OpenStatus::CannotOpen);
    }
    const int found = d.userVersion();
    if (found < 0 || found > currentSchemaVersion()) {
        // Its header was older than the write-ahead log a later version left.
        return result(found < 0 ? OpenStatus::CannotOpen : OpenStatus::NewerSchema);
    }
    for (int version = found; version < currentSchemaVersion(); ++version) {
        const std::string bump = "PRAGMA user_version = " + std::to_string(version + 1);
        const bool migrated = d.transaction([&] {
            return d.exec(kMigrations[static_cast<std::size_t>(version)]) && d.exec(bump.c_str());
        });
        if (!migrated) {
            return result(OpenStatus::CannotOpen);
        }
    }
    return result(OpenStatus::Ok);
}

std::optional<std::int64_t> Store::add(const Entry& entry) {
    Impl& d = *m_impl;
    std::int64_t id = 0;
    const bool ok = d.transaction([&] {
        if (!d.ensureStock(entry.code)) {
            return false;
        }
        Statement s(d.db, kInsertEntry);
        bindEntry(s, 1, entry);
        if (!s.run()) {
            return d.fail();
        }
        id = sqlite3_last_insert_rowid(d.db);
        Statement log(d.db, "INSERT INTO undo_log(action, entry_id) VALUES ('add', ?1)");
        log.bind(1, id);
        return log.run() || d.fail();
    });
    return ok ? std::optional<std::int64_t>(id) : std::nullopt;
}

bool Store::update(const Entry& entry) {
    Impl& d = *m_impl;
    return d.transaction([&] {
        if (!d.ensureStock(entry.code) || !d.logBefore("update", entry.id)) {
            return false;
        }
        Statement s(d.db, "UPDATE entries SET (" ZM_ENTRY_COLUMNS
                          ") = (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
                          "?15) WHERE id = ?16");
        bindEntry(s, 1, entry);
        s.bind(kEntryColumnCount + 1, entry.id);
        return s.run() || d.fail();
    });
}

bool Store::remove(std::int64_t id) {
    Impl& d = *m_impl;
    return d.transaction([&] {
        if (!d.logBefore("delete", id)) {
            return false;
        }
        Statement s(d.db, "DELETE FROM entries WHERE id = ?1");
        s.bind(1, id);
        return s.run() || d.fail();
    });
}

std::optional<std::vector<std::int64_t>> Store::addAll(const std::vector<Entry>& entries) {
    Impl& d = *m_impl;
    std::vector<std::int64_t> ids;
    const bool ok = d.transaction([&] {
        Statement stock(d.db, "INSERT OR IGNORE INTO stocks(code) VALUES (?1)");
        Statement known(d.db, "SELECT 1 FROM entries WHERE import_key = ?1");
        Statement insert(d.db, kInsertEntry);
        for (const Entry& entry : entries) {
            if (!entry.origin.key.empty()) {
                known.reset();
                known.bind(1, entry.origin.key);
                if (known.step() == SQLITE_ROW) {
                    continue;
                }
            }
            stock.reset();
            stock.bind(1, entry.code);
            insert.reset();
            bindEntry(insert, 1, entry);
            if (!stock.run() || !insert.run()) {
                return d.fail();
            }
            ids.push_back(sqlite3_last_insert_rowid(d.db));
        }
        if (ids.empty()) {
            return true;
        }
        Statement log(d.db, "INSERT INTO undo_log(action, entry_id) VALUES ('add', ?1)");
        log.bind(1, ids.front());
        if (!log.run()) {
            return d.fail();
        }
        Statement added(d.db, "INSERT INTO undo_added(seq, entry_id) VALUES (?1, ?2)");
        const std::int64_t seq = sqlite3_last_insert_rowid(d.db);
        for (const std::int64_t id : ids) {
            added.reset();
            added.bind(1, seq);
            added.bind(2, id);
            if (!added.run()) {
                return d.fail();
            }
        }
        Statement trim(d.db,
                       "DELETE FROM undo_log WHERE seq <= (SELECT max(seq) FROM undo_log) - ?1");
        trim.bind(1, std::int64_t{kUndoDepth});
        return trim.run() || d.fail();
    });
    return ok ? std::optional<std::vector<std::int64_t>>(std::move(ids)) : std::nullopt;
}

std::unordered_set<std::string> Store::importKeys() const {
    std::unordered_set<std::string> keys;
    if (m_impl->db == nullptr) {
        return keys;
    }
    Statement s(m_impl->db, "SELECT import_key FROM entries WHERE import_key IS NOT NULL");
    while (s.step() == SQLITE_ROW) {
        keys.insert(s.text(0));
    }
    return keys;
}

std::vector<Entry> Store::entries() const {
    std::vector<Entry> list;
    if (m_impl->db == nullptr) {
        return list;
    }
    Statement s(m_impl->db, "SELECT id, " ZM_ENTRY_COLUMNS " FROM entries ORDER BY date, id");
    while (s.step() == SQLITE_ROW) {
        if (auto e = readEntry(s)) {
            list.push_back(std::move(*e));
        }
    }
    return list;
}

bool Store::setPrice(std::string_view code, Money price) {
    Impl& d = *m_impl;
    return d.transaction([&] {
        Statement s(d.db,
                    "INSERT INTO stocks(code, price) VALUES (?1, ?2) "
                    "ON CONFLICT(code) DO UPDATE SET price = excluded.price");
        s.bind(1, code);
        s.bind(2, price.ticks());
        return s.run() || d.fail();
    });
}

std::optional<Money> Store::price(std::string_view code) const {
    if (m_impl->db == nullptr) {
        return std::nullopt;
    }
    Statement s(m_impl->db, "SELECT price FROM stocks WHERE code = ?1 AND price IS NOT NULL");
    s.bind(1, code);
    if (s.step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return Money::fromTicks(s.integer(0));
}

bool Store::canUndo() const {
    if (m_impl->db == nullptr) {
        return false;
    }
    Statement s(m_impl->db, "SELECT 1 FROM undo_log LIMIT 1");
    return s.step() == SQLITE_ROW;
}

bool Store::undo() {
    Impl& d = *m_impl;
    return d.transaction([&] {
        Statement last(d.db,
                       "SELECT seq, action, entry_id FROM undo_log ORDER BY seq DESC LIMIT 1");
        if (last.step() != SQLITE_ROW) {
            d.error = "nothing to undo";
            return false;
        }
        const std::int64_t seq = last.integer(0);
        const std::string action = last.text(1);
        const std::int64_t id = last.integer(2);
        // An addition may have added many entries: the first is entry_id, all are in undo_added.
        const char* sql = action == "add"      ? "DELETE FROM entries WHERE id = ?2 OR id IN "
                                                 "(SELECT entry_id FROM undo_added WHERE seq = ?1)"
                          : action == "update" ? "UPDATE entries SET (" ZM_ENTRY_COLUMNS
                                                 ") = (SELECT " ZM_ENTRY_COLUMNS
                                                 " FROM undo_log WHERE seq = ?1) WHERE id = ?2"
                                               : "INSERT INTO entries(id, " ZM_ENTRY_COLUMNS
                                                 ") SELECT ?2, " ZM_ENTRY_COLUMNS
                                                 " FROM undo_log WHERE seq = ?1";
        Statement restore(d.db, sql);
        if (!restore.prepared()) {
            return d.fail();
        }
        restore.bind(1, seq);
        restore.bind(2, id);
        if (!restore.run()) {
            return d.fail();
        }
        Statement drop(d.db, "DELETE FROM undo_log WHERE seq = ?1");
        drop.bind(1, seq);
        return drop.run() || d.fail();
    });
}

const std::string& Store::lastError() const {
    return m_impl->error;
}

Timestamp Timestamp::now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string damagedName(const std::string& path, const Timestamp& when) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", when.year, when.month, when.day,
                  when.hour, when.minute, when.second);
    return path + ".damaged-" + stamp;
}

std::optional<std::string> setAsideDamaged(const std::string& path, const Timestamp& when) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string base = damagedName(path, when);
    std::string target = base;
    for (int n = 1; fs::exists(fsPath(target), ec) || fs::exists(fsPath(target + "-wal"), ec);
         ++n) {
        target = base + "-" + std::to_string(n);
    }
    fs::rename(fsPath(path), fsPath(target), ec);
    if (ec) {
        return std::nullopt;
    }
    // The write-ahead log belongs with its database; the shared-memory index is rebuilt from it.
    for (const char* suffix : {"-wal", "-shm"}) {
        if (fs::exists(fsPath(path + suffix), ec)) {
            fs::rename(fsPath(path + suffix), fsPath(target + suffix), ec);
        }
    }
    return target;
}

std::string journalFilePath(const EnvironmentReader& environment) {
    auto absolute = [](const char* p) { return p != nullptr && p[0] == '/'; };
    const char* data = environment("XDG_DATA_HOME");
    if (absolute(data)) {
        return std::string(data) + "/zunmo-calc/journal.sqlite";
    }
    const char* home = environment("HOME");
    if (absolute(home)) {
        return std::string(home) + "/.local/share/zunmo-calc/journal.sqlite";
    }
    return {};
}

}  // namespace zm::journal
