#include <string>

#include "journal/store.h"
#include "settings/settings_location.h"

namespace zm::journal {

// The journal lives beside TKVR.INI of an installed copy: %APPDATA%\zunmo-calc, as the settings
// code finds it (GetEnvironmentVariableW, then the shell's folder), already in UTF-8.
std::string defaultJournalPath() {
    const std::string folder = settings::userSettingsDirectory();
    return folder.empty() ? std::string() : folder + "\\journal.sqlite";
}

}  // namespace zm::journal
