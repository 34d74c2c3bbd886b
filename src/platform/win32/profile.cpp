// The real private profile functions of the platform.
#include <windows.h>

#include "platform/platform.h"

std::uint32_t platform::getPrivateProfileString(const char* section, const char* key,
                                                const char* defaultValue, char* buffer,
                                                std::uint32_t size, const char* file) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file);
}

std::int32_t platform::getPrivateProfileInt(const char* section, const char* key,
                                            std::int32_t defaultValue, const char* file) {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, file));
}

bool platform::writePrivateProfileString(const char* section, const char* key, const char* value,
                                         const char* file) {
  return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}
