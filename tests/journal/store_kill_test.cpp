#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "journal/store.h"
#include "support/temp_dir.h"

namespace zm::journal {
namespace {

// Starts the writer on `path`, lets it add entries for `delay`, kills it with SIGKILL and gives
// the ids it reported committed before it died.
std::vector<std::int64_t> killWriterAfter(const std::string& path,
                                          std::chrono::milliseconds delay) {
    int out[2];
    if (pipe(out) != 0) {
        ADD_FAILURE() << "pipe";
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(ZM_JOURNAL_WRITER, ZM_JOURNAL_WRITER, path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    // Reading while it runs keeps the pipe from filling up and stalling the writer.
    std::string printed;
    std::thread reader([&] {
        char buffer[4096];
        for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
            printed.append(buffer, static_cast<std::size_t>(n));
        }
    });
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    reader.join();
    close(out[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
    std::vector<std::int64_t> ids;
    // A line cut short by the kill has no line break: its id was not reported whole.
    for (std::size_t start = 0, end; (end = printed.find('\n', start)) != std::string::npos;
         start = end + 1) {
        ids.push_back(std::stoll(printed.substr(start, end - start)));
    }
    return ids;
}

std::string integrityCheck(const std::string& path) {
    sqlite3* db = nullptr;
    std::string answer = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            answer = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return answer;
}

// A writer killed at random moments, again and again on the same file, never leaves it damaged
// nor loses an entry whose commit it had reported.
TEST(JournalStoreKill, every_reported_commit_survives_sigkill) {
    test::TempDir dir;
    const std::string path = dir.file("journal.sqlite");
    std::mt19937 rng(std::random_device{}());
    std::uniform_int_distribution<int> delayMs(5, 250);
    std::set<std::int64_t> reported;
    for (int round = 0; round < 25; ++round) {
        const auto ids = killWriterAfter(path, std::chrono::milliseconds(delayMs(rng)));
        reported.insert(ids.begin(), ids.end());
        ASSERT_EQ(integrityCheck(path), "ok") << "round " << round;
    }
    Store store;
    ASSERT_EQ(store.open(path).status, OpenStatus::Ok);
    std::set<std::int64_t> kept;
    for (const auto& e : store.entries()) {
        kept.insert(e.id);
    }
    EXPECT_GT(reported.size(), 25u);
    for (const std::int64_t id : reported) {
        EXPECT_TRUE(kept.count(id)) << "entry " << id << " was reported but is gone";
    }
}

}  // namespace
}  // namespace zm::journal
