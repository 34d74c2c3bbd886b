// The operating-system functions the module calls, behind one seam. Windows
// builds call the real API; other builds use our own implementation with the
// same behaviour, so the bench host and the native tests see what Windows
// shows. Paths are Windows paths on every build.
#pragma once

#include <cstdint>

namespace platform {

// GetModuleFileNameA for the process's executable: the host application.
// Returns the length written; the text is cut to size - 1 characters.
std::uint32_t getModuleFileName(char* buffer, std::uint32_t size);

// The private profile (INI) functions.
std::uint32_t getPrivateProfileString(const char* section, const char* key,
                                      const char* defaultValue, char* buffer, std::uint32_t size,
                                      const char* file);
std::int32_t getPrivateProfileInt(const char* section, const char* key, std::int32_t defaultValue,
                                  const char* file);
bool writePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file);

// WinExec: a result above 31 means the program was started.
std::uint32_t winExec(const char* commandLine, std::uint32_t showMode);

// GetTickCount: milliseconds, wrapping at 2^32.
std::uint32_t getTickCount();

// Whether a top-level window with this title exists (FindWindowA with no class).
bool topLevelWindowExists(const char* title);

// MessageBoxA without an owner window; returns when the user closes it.
void showMessageBox(const char* text, const char* caption, std::uint32_t style);

// Sleep: yields the processor for about this long.
void pause(std::uint32_t milliseconds);

}  // namespace platform
