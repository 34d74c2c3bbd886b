#include "platform/posix/native_path.h"

#include <cctype>

std::string platform::posix::nativePath(const std::string& windowsPath) {
  std::string path = windowsPath;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
    path.erase(0, 2);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}
