#include <unistd.h>

#include <climits>

#include "platform/platform.h"

// The executable's path in the form Windows gives it: the root as drive Z:
// (as Wine maps it) and backslashes between the folders.
std::uint32_t platform::getModuleFileName(char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  char native[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", native, sizeof native - 1);
  if (length <= 0) {
    buffer[0] = '\0';
    return 0;
  }
  native[length] = '\0';
  std::uint32_t written = 0;
  auto put = [&](char c) {
    if (written + 1 < size) buffer[written++] = c;
  };
  put('Z');
  put(':');
  for (const char* c = native; *c != '\0'; ++c) put(*c == '/' ? '\\' : *c);
  buffer[written] = '\0';
  return written;
}
