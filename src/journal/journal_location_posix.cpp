#include <cstdlib>
#include <string>

#include "journal/store.h"

namespace zm::journal {

std::string defaultJournalPath() {
    return journalFilePath([](const char* name) { return std::getenv(name); });
}

}  // namespace zm::journal
