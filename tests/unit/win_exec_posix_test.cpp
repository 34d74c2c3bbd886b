// Starting programs on POSIX builds the way WinExec starts them on Windows:
// the program token split by Windows' rules, the arguments by the C
// runtime's, no shell in between, and a result of 31 or less when nothing
// could be started.
#if !defined(_WIN32)

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "posix_desktop.h"
#include "support/temporary_folder.h"

namespace {

// A program that writes its arguments, one a line, into args.txt beside it.
const char kRecorder[] =
    "#!/bin/sh\n"
    "out=\"$(dirname \"$0\")/args.txt\"\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.part\"\n"
    "mv \"$out.part\" \"$out\"\n";

void makeProgram(const TemporaryFolder& folder, const std::string& name,
                 const std::string& text = kRecorder, mode_t mode = 0755) {
  folder.write(name, text);
  chmod(folder.native(name).c_str(), mode);
}

// What the started program recorded, once it has; the program runs on its
// own, so this waits for it (a few seconds at most).
std::optional<std::string> recordedArguments(const TemporaryFolder& folder,
                                             const std::string& subfolder = "") {
  for (int i = 0; i < 500; ++i) {
    if (auto text = folder.read(subfolder + "args.txt")) return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

}  // namespace

TEST(WinExecPosix, SplitsTheCommandLineAsWindowsDoes) {
  struct Case {
    const char* what;
    std::string commandLine;  // after the folder's Windows path
    const char* expected;     // the arguments the program saw, one a line
  };
  TemporaryFolder folder;
  mkdir(folder.native("dir with space").c_str(), 0755);
  makeProgram(folder, "dir with space/record");
  makeProgram(folder, "my");
  makeProgram(folder, "my prog");
  makeProgram(folder, "tool.exe");
  const std::string at = folder.windows();
  const std::vector<Case> cases = {
      {"quoted program, quoted argument, escaped quote",
       "\"" + at + "dir with space\\record\" a \"b c\" d\\\"e", "a\nb c\nd\"e\n"},
      {"unquoted program with a blank in its folder", at + "dir with space\\record x y", "x\ny\n"},
      {"the shortest prefix that names a program wins", at + "my prog x", "prog\nx\n"},
      {"a program without extension found as .exe", at + "tool  one", "one\n"},
      {"backslashes escape only quotes",
       at + "my a\\\\\"b c\" d\\\\\\\"e \\\\x \"\"", "a\\b c\nd\\\"e\n\\\\x\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(folder.native("args.txt").c_str());
    std::remove(folder.native("dir with space/args.txt").c_str());
    EXPECT_GT(platform::winExec(c.commandLine.c_str(), 1), 31u);
    const bool inSubfolder = c.commandLine.find("record") != std::string::npos;
    EXPECT_EQ(recordedArguments(folder, inSubfolder ? "dir with space/" : "").value_or("<none>"),
              c.expected);
  }
}

TEST(WinExecPosix, FindsABareNameBesideTheHostApplication) {
  TemporaryFolder folder;
  makeProgram(folder, "Viewer");
  bench::SimulatedDesktop desktop;
  desktop.executable = folder.native("Director.exe");
  EXPECT_GT(platform::winExec("Viewer notes.txt", 1), 31u);
  EXPECT_EQ(recordedArguments(folder).value_or("<none>"), "notes.txt\n");
}

TEST(WinExecPosix, ReportsWhatCannotBeStarted) {
  TemporaryFolder folder;
  makeProgram(folder, "not-executable", kRecorder, 0644);
  makeProgram(folder, "no-format", "just text\n");
  mkdir(folder.native("folder").c_str(), 0755);
  bench::SimulatedDesktop desktop;  // no program beside the host application either
  desktop.executable = folder.native("Director.exe");
  for (const std::string& commandLine :
       {folder.windows("missing") + " x", folder.windows("not-executable"),
        folder.windows("no-format"), folder.windows("folder"), std::string("missing-anywhere"),
        std::string(""), std::string("\"") + folder.windows("missing")}) {
    SCOPED_TRACE(commandLine);
    EXPECT_LE(platform::winExec(commandLine.c_str(), 1), 31u);
  }
}

#endif
