// The operating-system functions the module calls, behind one seam. Windows
// builds call the real API; other builds use our own implementation with the
// same behaviour, so the bench host and the native tests see what Windows
// shows. Paths are Windows paths on every build: elsewhere a drive prefix
// "X:" is dropped and backslashes become slashes, as Wine maps them, and a
// name without a folder is taken from the current directory.
#pragma once

#include <cstdint>

namespace platform {

// GetModuleFileNameA for the process's executable: the host application.
// Returns the length written; the text is cut to size - 1 characters.
std::uint32_t getModuleFileName(char* buffer, std::uint32_t size);

// The private profile (INI) functions. Section, key and value are never null.
// A read copies at most size - 1 characters and a terminator (nothing when
// size is 0) and returns the length copied; a missing file, section or key
// gives the default. A write creates file, section and key as needed and
// returns whether the file now holds the value.
std::uint32_t getPrivateProfileString(const char* section, const char* key,
                                      const char* defaultValue, char* buffer, std::uint32_t size,
                                      const char* file);
std::int32_t getPrivateProfileInt(const char* section, const char* key, std::int32_t defaultValue,
                                  const char* file);
bool writePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file);

// WinExec: starts the program of the command line without waiting for it.
// A result above 31 means the program was started; 31 or less means it was not.
std::uint32_t winExec(const char* commandLine, std::uint32_t showMode);

// GetTickCount: milliseconds, wrapping at 2^32.
std::uint32_t getTickCount();

// Whether a top-level window with this title exists (FindWindowA with no class).
bool topLevelWindowExists(const char* title);

// MessageBoxA without an owner window; returns when the user closes it.
void showMessageBox(const char* text, const char* caption, std::uint32_t style);

// Sleep: gives the processor away for about this long.
void pause(std::uint32_t milliseconds);

}  // namespace platform
