#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "fees/money.h"
#include "journal/entry.h"

// The journal file: the user's entries, the current price of each code and the changes that can
// be undone, kept in an SQLite database. Only store.cpp speaks SQL.
namespace zm::journal {

enum class OpenStatus {
    Ok,
    NewerSchema,  // written by a later version of the program: refused, the file left as it was
    Damaged,      // not a database, or one that fails its integrity check: see setAsideDamaged
    CannotOpen,   // the folder or file cannot be read or written (detail says why)
};

struct OpenResult {
    OpenStatus status = OpenStatus::CannotOpen;
    std::string detail;  // the database's own message, for a log
};

// A local time to the second, for the name of a file set aside.
struct Timestamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    static Timestamp now();
};

// The schema version this program writes; a file with a higher one is refused.
int currentSchemaVersion();

class Store {
public:
    Store();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Opens the journal at `path`, making it (and its folder) when there is none, and brings an
    // older schema up to date. Any journal open before is closed first.
    OpenResult open(const std::string& path);
    void close();
    bool isOpen() const;

    // Each change is one transaction and can be undone. add gives the new entry's id; all give
    // nullopt or false when the journal refuses the entry (a code that is not six digits, a
    // negative quantity) or cannot be written, and then leave it as it was.
    std::optional<std::int64_t> add(const Entry& entry);
    bool update(const Entry& entry);  // the entry with entry.id
    // Adds entries read from a statement in one transaction, which one undo takes back whole;
    // an entry whose import key the journal already holds is left out. The ids of the entries
    // added, in order; nullopt, with nothing added, when the journal refuses any of them.
    std::optional<std::vector<std::int64_t>> addAll(const std::vector<Entry>& entries);
    // The import keys of the entries read from statements.
    std::unordered_set<std::string> importKeys() const;
    bool remove(std::int64_t id);
    // Every entry, by date and then in the order they were added.
    std::vector<Entry> entries() const;

    // The current price of a code, as the user last set it (undo leaves it alone).
    bool setPrice(std::string_view code, Money price);
    std::optional<Money> price(std::string_view code) const;

    // Takes back the latest change not yet undone, as it was before it, also after the journal
    // was closed and opened again. False when there is none.
    bool canUndo() const;
    bool undo();

    // The database's message about the latest failure.
    const std::string& lastError() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The name a damaged journal is set aside under: "<path>.damaged-YYYYMMDD-HHMMSS".
std::string damagedName(const std::string& path, const Timestamp& when);
// Renames the journal at `path` (and its -wal and -shm files) to its damaged name, adding "-1",
// "-2", … when that is taken; nothing is deleted or overwritten. The new name, or nullopt when
// the rename failed. Called only once the user has agreed; open(path) then starts a new journal.
std::optional<std::string> setAsideDamaged(const std::string& path, const Timestamp& when);

// Reads an environment variable: nullptr when it is unset. std::getenv in the program.
using EnvironmentReader = std::function<const char*(const char*)>;
// The journal file on a freedesktop system: $XDG_DATA_HOME/zunmo-calc/journal.sqlite, or
// $HOME/.local/share/zunmo-calc/journal.sqlite when XDG_DATA_HOME is unset, empty or relative.
// Empty when HOME is needed and is unset, empty or relative too.
std::string journalFilePath(const EnvironmentReader& environment);

// This platform's journal file, UTF-8: on Linux journalFilePath of the process environment; on
// Windows %APPDATA%\zunmo-calc\journal.sqlite (the shell's application data folder where the
// variable is unset or no full path), in the folder the settings use. Empty when there is none.
// open() makes the folder.
std::string defaultJournalPath();

}  // namespace zm::journal
