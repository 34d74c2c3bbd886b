#include <unistd.h>

#include <climits>

#include "platform/platform.h"
#include "platform/posix/desktop.h"

// The executable's path in the form Windows gives it: the root as drive Z:
// (as Wine maps it) and backslashes between the folders. A desktop lent by
// the host process may name another executable, so that a test can place
// the host application in a folder of its own.
std::uint32_t platform::getModuleFileName(char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  char native[PATH_MAX];
  const char* path = posix::currentDesktop().executablePath();
  if (path == nullptr) {
    ssize_t length = readlink("/proc/self/exe", native, sizeof native - 1);
    if (length <= 0) {
      buffer[0] = '\0';
      return 0;
    }
    native[length] = '\0';
    path = native;
  }
  std::uint32_t written = 0;
  auto put = [&](char c) {
    if (written + 1 < size) buffer[written++] = c;
  };
  put('Z');
  put(':');
  for (const char* c = path; *c != '\0'; ++c) put(*c == '/' ? '\\' : *c);
  buffer[written] = '\0';
  return written;
}
