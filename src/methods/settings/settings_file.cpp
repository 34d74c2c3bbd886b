#include "methods/settings/settings_file.h"

#include <vector>

#include "platform/platform.h"

std::string settings::settingsFilePath(const ScriptInstance& self) {
  return std::string(self.appDirectory) + "MrvXtra.INI";
}

std::string settings::withoutLineBreaks(const std::string& text) {
  std::string cleaned = text;
  for (char& c : cleaned)
    if (c == '\r' || c == '\n') c = ' ';
  return cleaned;
}

std::string settings::readText(const std::string& section, const std::string& key,
                               const std::string& defaultValue, std::uint32_t size,
                               const std::string& file) {
  std::vector<char> buffer(size + 1, '\0');
  platform::getPrivateProfileString(withoutLineBreaks(section).c_str(),
                                    withoutLineBreaks(key).c_str(),
                                    withoutLineBreaks(defaultValue).c_str(), buffer.data(), size,
                                    file.c_str());
  return buffer.data();
}

// A read cannot tell a missing key from its default, so a default that does
// not fit is not handed to it: a key that reads as empty with one default
// and as "-" with another is missing.
std::string settings::readTextWithWholeDefault(const std::string& section, const std::string& key,
                                               const std::string& defaultValue, std::uint32_t size,
                                               const std::string& file) {
  if (defaultValue.size() < size) return readText(section, key, defaultValue, size, file);
  std::string value = readText(section, key, "", size, file);
  if (value.empty() && readText(section, key, "-", size, file) == "-") {
    // As a read hands back a default: without line breaks or trailing blanks.
    std::string whole = withoutLineBreaks(defaultValue);
    whole.erase(whole.find_last_not_of(" \t") + 1);
    return whole;
  }
  return value;
}

std::int32_t settings::readInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue, const std::string& file) {
  return platform::getPrivateProfileInt(withoutLineBreaks(section).c_str(),
                                        withoutLineBreaks(key).c_str(), defaultValue,
                                        file.c_str());
}

void settings::writeText(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& file) {
  platform::writePrivateProfileString(withoutLineBreaks(section).c_str(),
                                      withoutLineBreaks(key).c_str(),
                                      withoutLineBreaks(value).c_str(), file.c_str());
}
