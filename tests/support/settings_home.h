// The host application's folder for a test of the settings methods, and so
// the folder of MrvXtra.INI. Natively it is a temporary folder of the test's
// own, named to the module through the bench's simulated desktop, which the
// test also uses to drive time, windows and message boxes. On Windows the
// module takes the test program's own folder: the file is removed there
// before and after each test.
#pragma once

#include <optional>
#include <string>

#include "posix_desktop.h"
#include "support/temporary_folder.h"

class SettingsHome {
 public:
  SettingsHome();
  ~SettingsHome();
  SettingsHome(const SettingsHome&) = delete;
  SettingsHome& operator=(const SettingsHome&) = delete;

  // The folder as the module names it: a Windows path ending in a backslash.
  const std::string& appDirectory() const { return appDirectory_; }
  // The text with "{app}" replaced by appDirectory() and "{scratch}" by the
  // scratch folder's Windows path, for settings and commands in case tables.
  std::string expand(std::string text) const;

  // The native path of a file in that folder.
  std::string native(const std::string& name) const { return nativeFolder_ + name; }

  // MrvXtra.INI byte for byte; nothing when there is no file.
  std::optional<std::string> settings() const;
  void writeSettings(const std::string& bytes) const;

  // A scratch folder for further files, removed after the test.
  const TemporaryFolder& scratch() const { return scratch_; }

#if !defined(_WIN32)
  bench::SimulatedDesktop desktop;
#endif

 private:
  TemporaryFolder scratch_;
  std::string nativeFolder_;  // ends in the separator
  std::string appDirectory_;
};
