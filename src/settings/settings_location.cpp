#include "settings/settings_location.h"

#include <string>

#include "settings/file_io.h"

namespace zm::settings {

bool prefersUserFolder(bool installed, bool programFolderWritable) {
    return installed || !programFolderWritable;
}

bool isInstalledProgram(const std::string& programDirectory) {
    return !programDirectory.empty() &&
           readWholeFile(programDirectory + "/" + kInstalledMarkerName).state == FileState::Regular;
}

}  // namespace zm::settings
