#include <windows.h>

#include "platform/platform.h"

std::uint32_t platform::getModuleFileName(char* buffer, std::uint32_t size) {
  return GetModuleFileNameA(nullptr, buffer, size);
}
