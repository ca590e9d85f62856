#pragma once

#include <string>

namespace zm::settings {

// The folder of the running program's executable, UTF-8, without a trailing separator; empty
// when the system cannot tell. Windows finds it from the module's own path (any Unicode path);
// Linux from /proc/self/exe.
std::string programFolder();

}  // namespace zm::settings
