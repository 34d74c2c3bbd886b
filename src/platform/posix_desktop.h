// What stands in for the Windows desktop on POSIX builds: the clock, the
// pause, top-level windows, message boxes, and the host application's path.
//
// The host process may lend the module a desktop of its own by exporting the
// accessor below from its executable; the module finds it at run time in the
// process's global symbols. The bench host and the native tests use this to
// drive time, windows and message boxes deterministically and to place the
// host application (and so the settings file) in a folder of their own.
// Without the accessor, or while it returns null, the module uses a plain
// desktop: real monotonic milliseconds, a real sleep, no windows at all,
// message boxes written to standard error, the process's own executable.
//
// The desktop is owned by the host process; the module only calls it, on
// the thread that called the module.
#pragma once

#include <cstdint>

struct PosixDesktop {
  // GetTickCount: milliseconds, wrapping at 2^32.
  virtual std::uint32_t tickCount() = 0;
  // Sleep: the module gives the processor away for about this long.
  virtual void pause(std::uint32_t milliseconds) = 0;
  // FindWindowA with no class: whether a top-level window has this title.
  virtual bool windowExists(const char* title) = 0;
  // MessageBoxA without an owner window; returns when the box is closed.
  virtual void showMessageBox(const char* text, const char* caption, std::uint32_t style) = 0;
  // The native path of the host application's executable, or null for the
  // process's own executable.
  virtual const char* executablePath() = 0;

 protected:
  ~PosixDesktop() = default;  // never deleted through the module
};

// The accessor's name and type, as the module looks it up.
#define MRVXTRA_POSIX_DESKTOP_ACCESSOR "MrvXtraPosixDesktop"
using PosixDesktopAccessor = PosixDesktop* (*)();
