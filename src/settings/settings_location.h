#pragma once

#include <functional>
#include <string>

namespace zm::settings {

// The name of this program's folder in the per-user settings folder of the desktop.
inline constexpr char kUserSettingsFolderName[] = "zunmo-calc";

// The file the Windows setup program puts beside zunmo-calc.exe. Its presence marks an installed
// copy, whose settings belong to the user and never to the install folder, which an update
// replaces and the uninstaller empties.
inline constexpr char kInstalledMarkerName[] = "installed.marker";

// Reads an environment variable: nullptr when it is unset. std::getenv in the program.
using EnvironmentReader = std::function<const char*(const char*)>;
// Whether the program may create and replace files in a directory.
using WritableProbe = std::function<bool(const std::string&)>;

// The per-user settings folder of this program on a freedesktop system:
// $XDG_CONFIG_HOME/zunmo-calc, or $HOME/.config/zunmo-calc when XDG_CONFIG_HOME is unset, empty
// or relative (the XDG rules ignore a relative path). Empty when HOME is needed and is unset,
// empty or relative too.
std::string xdgSettingsDirectory(const EnvironmentReader& environment);

// This platform's per-user settings folder of the program: on Linux the XDG one, from the
// process environment; on Windows %APPDATA%\zunmo-calc (the shell's application data folder
// where the variable is unset).
std::string userSettingsDirectory();

// Whether `directory` is a directory in which this process may create, replace and remove files:
// on Linux write and search permission, by POSIX access() (root passes on any writable file
// system); on Windows a file can be made there, which the folder's access list decides.
bool isWritableDirectory(const std::string& directory);

// Whether the program looks for its settings in the per-user folder before the one beside it:
// an installed copy always does, a portable one only when it cannot write beside itself.
bool prefersUserFolder(bool installed, bool programFolderWritable);

// Whether `programDirectory` holds kInstalledMarkerName as a regular file.
bool isInstalledProgram(const std::string& programDirectory);

// Where the program keeps TKVR.INI, chosen at start-up:
//  1. beside the program when its folder is writable and it is not an installed copy
//     (isInstalledProgram): portable use, and the files users already have, exactly as before;
//  2. else in `userDirectory` (created with its missing parents, on Linux mode 0700), when that
//     ends up writable; a TKVR.INI beside the program is copied there first when the per-user
//     folder has none yet, so the rates of an earlier copy carry over;
//  3. else beside the program again: what is there is still read, and each write fails and
//     says so when the folder is locked, the one case in which the write message appears.
// `canWrite` is isWritableDirectory in the program.
std::string chooseSettingsFile(const std::string& programDirectory,
                               const std::string& userDirectory, const WritableProbe& canWrite);

// chooseSettingsFile with this platform's per-user folder and writable test.
std::string settingsFileForProgram(const std::string& programDirectory);

}  // namespace zm::settings
