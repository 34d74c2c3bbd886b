#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string uniqueName() {
  static std::atomic<unsigned> counter{0};
  std::ostringstream name;
  name << "mrvxtra-" << std::chrono::steady_clock::now().time_since_epoch().count() << "-"
       << ++counter;
  return name.str();
}

}  // namespace

std::string asWindowsPath(const std::string& nativePath) {
#if defined(_WIN32)
  return nativePath;
#else
  std::string path = "Z:" + nativePath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
#endif
}

TemporaryFolder::TemporaryFolder() {
  const fs::path folder = fs::temp_directory_path() / uniqueName();
  fs::create_directories(folder);
  native_ = (folder / "").string();
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  fs::remove_all(native_, ignored);
}

std::string TemporaryFolder::native(const std::string& name) const { return native_ + name; }

std::string TemporaryFolder::windows(const std::string& name) const {
  return asWindowsPath(native_ + name);
}

std::optional<std::string> readFileBytes(const std::string& nativePath) {
  std::ifstream file(nativePath, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool writeFileBytes(const std::string& nativePath, const std::string& bytes) {
  std::ofstream file(nativePath, std::ios::binary | std::ios::trunc);
  file << bytes;
  return file.good();
}

std::optional<std::string> TemporaryFolder::read(const std::string& name) const {
  return readFileBytes(native(name));
}

void TemporaryFolder::write(const std::string& name, const std::string& bytes) const {
  ASSERT_TRUE(writeFileBytes(native(name), bytes)) << "cannot write " << native(name);
}
