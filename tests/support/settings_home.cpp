#include "support/settings_home.h"

#include <cstdio>
#include <filesystem>
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

const char kSettingsFile[] = "MrvXtra.INI";

#if defined(_WIN32)
std::string programFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.erase(folder.rfind('\\') + 1);
}
#endif

}  // namespace

SettingsHome::SettingsHome() {
#if defined(_WIN32)
  nativeFolder_ = programFolder();
#else
  nativeFolder_ = scratch_.native("app/");
  std::filesystem::create_directory(scratch_.native("app"));
  desktop.executable = nativeFolder_ + "Director.exe";
#endif
  appDirectory_ = asWindowsPath(nativeFolder_);
  std::remove(native(kSettingsFile).c_str());
}

SettingsHome::~SettingsHome() { std::remove(native(kSettingsFile).c_str()); }

std::string SettingsHome::expand(std::string text) const {
  for (const auto& [mark, path] : {std::pair<std::string, std::string>{"{app}", appDirectory_},
                                   {"{scratch}", scratch_.windows()}}) {
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
      text.replace(at, mark.size(), path);
  }
  return text;
}

std::optional<std::string> SettingsHome::settings() const {
  return readFileBytes(native(kSettingsFile));
}

void SettingsHome::writeSettings(const std::string& bytes) const {
  writeFileBytes(native(kSettingsFile), bytes);
}
