// Temporary: the real reader and writer replace this.
#include "settings/profile_file.h"

namespace zm::settings {
std::string settingsFilePath(std::string_view exeDirectory) {
    return std::string(exeDirectory) + "/TKVR.INI";
}
ProfileFile::ProfileFile(std::string path) : m_path(std::move(path)) {}
std::optional<std::string> ProfileFile::readString(std::string_view, std::string_view) const {
    return std::nullopt;
}
bool ProfileFile::writeString(std::string_view, std::string_view, std::string_view) { return false; }
}  // namespace zm::settings
