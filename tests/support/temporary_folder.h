// A folder of the test's own, removed with everything in it when the test
// ends. Files are named to the module as Windows paths on every build (the
// POSIX platform maps "Z:\tmp\..." back to "/tmp/..."), and read and
// written byte for byte by the test itself.
#pragma once

#include <optional>
#include <string>

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  // The native path of a file in the folder (the folder itself for "").
  std::string native(const std::string& name = "") const;
  // The same as Windows names it, with a trailing backslash for "".
  std::string windows(const std::string& name = "") const;

  // The file's bytes, or nothing when it does not exist.
  std::optional<std::string> read(const std::string& name) const;
  void write(const std::string& name, const std::string& bytes) const;

 private:
  std::string native_;  // ends in the separator
};

// A file's bytes, or nothing when it does not exist; writing replaces them.
std::optional<std::string> readFileBytes(const std::string& nativePath);
bool writeFileBytes(const std::string& nativePath, const std::string& bytes);

// A Windows path as the POSIX platform writes it ("Z:\dir\file" for
// "/dir/file"); Windows paths unchanged.
std::string asWindowsPath(const std::string& nativePath);
