// Windows paths as the POSIX platform opens them, mapped the way Wine maps
// its Z: drive: a drive prefix "X:" is dropped and backslashes become
// slashes. A path without a folder stays relative to the current directory.
#pragma once

#include <string>

namespace platform::posix {

std::string nativePath(const std::string& windowsPath);

}  // namespace platform::posix
