#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script/script_instance.h"

TEST(AppDirectory, KeepsThePathUpToTheLastBackslash) {
  struct Case {
    const char* path;
    const char* directory;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Host\\Projector.exe", "C:\\Program Files\\Host\\"},
      {"C:\\Projector.exe", "C:\\"},
      {"Projector.exe", "Projector.exe"},            // no backslash: stays whole
      {"\\Projector.exe", "\\Projector.exe"},        // only a leading one: stays whole
      {"\\\\server\\share\\a\\b.exe", "\\\\server\\share\\a\\"},
      {"", ""},
  };
  for (const Case& c : cases) {
    char buffer[255];
    std::strcpy(buffer, c.path);
    keepDirectoryPart(buffer);
    EXPECT_EQ(std::string(buffer), c.directory) << "path " << c.path;
  }
}
