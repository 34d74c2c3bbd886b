// The real launch, clock, window and message box functions of the platform.
#include <windows.h>

#include "platform/platform.h"

std::uint32_t platform::winExec(const char* commandLine, std::uint32_t showMode) {
  return WinExec(commandLine, showMode);
}

std::uint32_t platform::getTickCount() { return GetTickCount(); }

bool platform::topLevelWindowExists(const char* title) {
  return FindWindowA(nullptr, title) != nullptr;
}

void platform::showMessageBox(const char* text, const char* caption, std::uint32_t style) {
  MessageBoxA(nullptr, text, caption, style);
}

void platform::pause(std::uint32_t milliseconds) { Sleep(milliseconds); }
