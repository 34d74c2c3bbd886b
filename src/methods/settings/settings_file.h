// The module's settings file, "MrvXtra.INI" beside the host application,
// and the profile functions as the settings methods call them.
//
// Every section name, key and value handed to the profile functions, reads
// included, has its line breaks (CR and LF) replaced by spaces: a profile
// function writes a line break as a new line of the file, so a player named
// "Ann\r\n[PATH]\r\nImages=..." would otherwise rewrite the movie's media
// folder, and a read must look for what the write stored.
#pragma once

#include <cstdint>
#include <string>

#include "script/script_instance.h"

namespace settings {

// The sizes passed to the profile reads: they limit the texts read.
constexpr std::uint32_t kNameReadSize = 31;   // names kept in a score list: 30 characters
constexpr std::uint32_t kLongReadSize = 254;  // names, paths, commands, answers: 253

// The host application's directory followed directly by "MrvXtra.INI",
// built anew for each call and never cut, however long the directory.
std::string settingsFilePath(const ScriptInstance& self);

// The text with each CR and LF replaced by a space.
std::string withoutLineBreaks(const std::string& text);

// GetPrivateProfileStringA with a buffer of `size` bytes: at most size - 1
// characters of the value, or of the default when the key is missing.
std::string readText(const std::string& section, const std::string& key,
                     const std::string& defaultValue, std::uint32_t size, const std::string& file);

// As readText, for a default that may be longer than such a read can hold:
// a missing key gives the whole default rather than its first size - 1
// characters.
std::string readTextWithWholeDefault(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::uint32_t size,
                                     const std::string& file);

std::int32_t readInteger(const std::string& section, const std::string& key,
                         std::int32_t defaultValue, const std::string& file);

void writeText(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file);

}  // namespace settings
