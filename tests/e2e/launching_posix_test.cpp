// launchLocal and launchPDA on the POSIX platform: real program starts,
// with time, windows and message boxes on the bench's simulated desktop, so
// that no test waits a real second.
#if !defined(_WIN32)

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/settings_bench.h"

namespace {

using bench::Value;

// A program that writes its arguments, one a line, into args.txt in the
// current directory, replacing the file in one step.
const char kRecorder[] =
    "#!/bin/sh\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.part\n"
    "mv args.part args.txt\n";
void makeProgram(const std::string& nativePath, const char* text) {
  ASSERT_TRUE(writeFileBytes(nativePath, text));
  chmod(nativePath.c_str(), 0755);
}

// A program that starts and ends at once, needing no file of the test's
// folder (which may be gone by the time it runs).
void makeIdleProgram(const std::string& nativePath) {
  ASSERT_EQ(symlink("/bin/true", nativePath.c_str()), 0);
}

// Runs the test in the scratch folder, where the recorder writes and a bare
// PDA.INI goes, and back again.
class InScratchFolder {
 public:
  explicit InScratchFolder(const std::string& folder) : before_(getcwd(nullptr, 0)) {
    EXPECT_EQ(chdir(folder.c_str()), 0);
  }
  ~InScratchFolder() {
    EXPECT_EQ(chdir(before_), 0);
    free(before_);
  }

 private:
  char* before_;
};

// What the started program recorded; it runs on its own, so this waits.
std::string recorded(const TemporaryFolder& folder) {
  for (int i = 0; i < 500; ++i) {
    if (auto text = folder.read("args.txt")) return *text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return "<nothing started>";
}

}  // namespace

TEST(LaunchLocal, StartsTheCommandAndWaitsForTheProgramsWindow) {
  struct Case {
    const char* what;
    std::string settings;  // after the app folder is known; "" for none
    std::string program, argument;
    const char* arguments;  // what the program saw
  };
  const std::vector<Case> cases = {
      {"the default command beside the host application", "", "Viewer", "notes.txt",
       "notes.txt\n"},
      {"a configured command", "[viewer]\r\nPath={scratch}tools\\show -x \"two words\"\r\n",
       "Viewer", "notes.txt", "-x\ntwo words\nnotes.txt\n"},
      {"an empty argument", "", "Viewer", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    InScratchFolder here(bench.home.scratch().native());
    makeProgram(bench.home.native("Viewer"), kRecorder);
    mkdir(bench.home.scratch().native("tools").c_str(), 0755);
    makeProgram(bench.home.scratch().native("tools/show"), kRecorder);
    if (!c.settings.empty()) bench.home.writeSettings(bench.home.expand(c.settings));

    bench::SimulatedDesktop& desktop = bench.home.desktop;
    const std::uint32_t start = desktop.now();
    desktop.scheduleWindow(c.program, start + 300, start + 2500);
    const bench::CallResult result = bench.call("launchLocal", {c.program, c.argument});
    EXPECT_EQ(result.code, kOk);
    EXPECT_FALSE(result.value.has_value());
    EXPECT_EQ(recorded(bench.home.scratch()), c.arguments);
    // Back at the first poll after the window went; 10 ms between polls.
    EXPECT_EQ(desktop.now() - start, 2500u);
    EXPECT_EQ(desktop.pausedMilliseconds, 2500u);
    EXPECT_EQ(desktop.windowQueries.back(), c.program);
    EXPECT_TRUE(desktop.messageBoxes.empty());
    bench.expectCleanAudit();
  }
}

TEST(LaunchLocal, WaitsTheFirstSecondThenOnlyWhileTheWindowExists) {
  struct Case {
    const char* what;
    std::uint32_t clockAtStart;
    std::uint32_t windowFrom, windowUntil;  // after the start; equal for no window
    std::uint32_t returnsAfter;
  };
  const std::vector<Case> cases = {
      {"no window: one second", 5000, 0, 0, 1000},
      {"a window that opens after the first second is not waited for", 5000, 1200, 4000, 1000},
      {"a window that existed before the start", 5000, 0, 1730, 1730},
      {"a clock that wraps during the wait", 0xFFFFFF00u, 0, 3000, 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    makeIdleProgram(bench.home.native("Viewer"));
    bench::SimulatedDesktop& desktop = bench.home.desktop;
    desktop.setTime(c.clockAtStart);
    if (c.windowUntil != c.windowFrom)
      desktop.scheduleWindow("Viewer", c.clockAtStart + c.windowFrom,
                             c.clockAtStart + c.windowUntil);
    desktop.scheduleWindow("Other", c.clockAtStart, c.clockAtStart + 9000);
    EXPECT_EQ(bench.call("launchLocal", {"Viewer", "x"}).code, kOk);
    EXPECT_EQ(desktop.now() - c.clockAtStart, c.returnsAfter);
    // Never a poll without a pause: each wait step gives the processor away.
    EXPECT_EQ(desktop.pauseCount, c.returnsAfter / 10);
    bench.expectCleanAudit();
  }
}

TEST(LaunchLocal, FailedStartShowsTheWholeCommandAndDoesNotWait) {
  struct Case {
    const char* what;
    std::string settings;
    std::string program, argument;
    std::string command;  // after "{app}" is replaced by the app folder
  };
  const std::string longFolder = "Z:\\" + std::string(200, 'd') + "\\";
  const std::vector<Case> cases = {
      {"the default command", "", "Missing", "notes.txt", "{app}Missing notes.txt"},
      {"an empty argument keeps its space", "", "Missing", "", "{app}Missing "},
      {"a configured command", "[Missing]\r\nPath=C:\\Nowhere\\tool.exe /q\r\n", "Missing", "a",
       "C:\\Nowhere\\tool.exe /q a"},
      {"a message longer than a hundred bytes",
       "[Missing]\r\nPath=" + longFolder + "tool.exe\r\n", "Missing", std::string(30, 'a'),
       longFolder + "tool.exe " + std::string(30, 'a')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    if (!c.settings.empty()) bench.home.writeSettings(c.settings);
    const std::string command = bench.home.expand(c.command);
    bench::SimulatedDesktop& desktop = bench.home.desktop;
    desktop.openWindow(c.program);  // would hold a wait
    EXPECT_EQ(bench.call("launchLocal", {c.program, c.argument}).code, kOk);
    ASSERT_EQ(desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(desktop.messageBoxes[0].text, "Cannot find Program <" + command + ">");
    EXPECT_EQ(desktop.messageBoxes[0].caption, "Morvath Xtra Message");
    EXPECT_EQ(desktop.messageBoxes[0].style, 0x40u);
    EXPECT_EQ(desktop.pauseCount, 0u);
    EXPECT_TRUE(desktop.windowQueries.empty());
    bench.expectCleanAudit();
  }
}

// The default command of a long application folder does not fit a 254-byte
// read: it is used whole, not cut to what the read could hold.
TEST(LaunchLocal, LongDefaultCommandIsNotCut) {
  SettingsBench bench;
  bench::SimulatedDesktop& desktop = bench.home.desktop;
  desktop.executable = "/" + std::string(240, 'f') + "/Director.exe";
  bench::ScriptObject deep = bench.bench.newScriptObject();
  EXPECT_EQ(deep.call("launchLocal", {"Program" + std::string(23, 'x'), "argument"}).code, kOk);
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "Cannot find Program <Z:\\" + std::string(240, 'f') +
                                              "\\Program" + std::string(23, 'x') + " argument>");
  bench.expectCleanAudit();
}

TEST(LaunchLocal, EmptyProgramNameStartsAndShowsNothing) {
  SettingsBench bench;
  bench::SimulatedDesktop& desktop = bench.home.desktop;
  const std::uint32_t start = desktop.now();
  EXPECT_EQ(bench.call("launchLocal", {"", "notes.txt"}).code, kOk);
  EXPECT_EQ(bench.call("launchLocal", {}).code, kOk);  // nothing passed at all
  EXPECT_EQ(desktop.now(), start);
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_TRUE(desktop.windowQueries.empty());
  bench.expectCleanAudit();
}

TEST(LaunchPDA, HandsShakeThroughTheCompanionsSettingsFile) {
  struct Case {
    const char* what;
    bool companionExists;
    bool companionAnswers;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"the companion answers", true, true, "Scene2"},
      {"the companion closes without answering", true, false, "Waiting"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    const TemporaryFolder& companion = bench.home.scratch();
    bench.home.writeSettings("[PDA]\r\nPDAPath=" + companion.windows() + "\r\n");
    if (c.companionExists) makeIdleProgram(companion.native("PDA.EXE"));
    bench::SimulatedDesktop& desktop = bench.home.desktop;
    const std::uint32_t start = desktop.now();
    std::optional<std::string> seenByCompanion;
    desktop.scheduleWindow("PDA", start + 500, start + 1500, [&] {
      seenByCompanion = companion.read("PDA.INI");
      if (c.companionAnswers)
        companion.write("PDA.INI", "[COMM]\r\nGotoSection=Scene2\r\nShowSection=Intro\r\n");
    });
    const bench::CallResult result = bench.call("launchPDA", {"Intro"});
    EXPECT_EQ(result.code, kOk);
    EXPECT_EQ(result.value, std::optional<Value>(c.expected));
    EXPECT_EQ(seenByCompanion, "[COMM]\r\nGotoSection=Waiting\r\nShowSection=Intro\r\n");
    EXPECT_EQ(desktop.now() - start, 1500u);
    EXPECT_EQ(desktop.windowQueries.back(), "PDA");
    EXPECT_TRUE(desktop.messageBoxes.empty());
    bench.expectCleanAudit();
  }
}

TEST(LaunchPDA, CompanionThatCannotStartLeavesWaiting) {
  SettingsBench bench;
  const TemporaryFolder& companion = bench.home.scratch();
  bench.home.writeSettings("[PDA]\r\nPDAPath=" + companion.windows() + "\r\n");
  bench::SimulatedDesktop& desktop = bench.home.desktop;
  desktop.openWindow("PDA");
  const bench::CallResult result = bench.call("launchPDA", {"Intro"});
  EXPECT_EQ(result.value, std::optional<Value>("Waiting"));
  ASSERT_EQ(desktop.messageBoxes.size(), 1u);
  EXPECT_EQ(desktop.messageBoxes[0].text, "Cannot find PDA");
  EXPECT_EQ(desktop.messageBoxes[0].caption, "Morvath Message");
  EXPECT_EQ(desktop.messageBoxes[0].style, 0x40u);
  EXPECT_EQ(desktop.pauseCount, 0u);
  EXPECT_EQ(companion.read("PDA.INI"), "[COMM]\r\nGotoSection=Waiting\r\nShowSection=Intro\r\n");
  bench.expectCleanAudit();
}

// A PDAPath near the 253 characters a read can hold: the companion's files
// are named whole, not cut to a 256-byte buffer.
TEST(LaunchPDA, LongPDAPathIsNotCut) {
  SettingsBench bench;
  std::string folder = bench.home.scratch().native();
  for (std::size_t left; (left = 253 - asWindowsPath(folder).size()) > 1;) {
    folder += std::string(std::min<std::size_t>(60, left - 1), 'p') + "/";
    mkdir(folder.c_str(), 0755);
  }
  ASSERT_EQ(asWindowsPath(folder).size(), 253u);
  makeIdleProgram(folder + "PDA.EXE");
  bench.home.writeSettings("[PDA]\r\nPDAPath=" + asWindowsPath(folder) + "\r\n");
  EXPECT_EQ(bench.call("launchPDA", {"Intro"}).value, std::optional<Value>("Waiting"));
  EXPECT_TRUE(bench.home.desktop.messageBoxes.empty()) << bench.home.desktop.messageBoxes[0].text;
  EXPECT_EQ(readFileBytes(folder + "PDA.INI"),
            "[COMM]\r\nGotoSection=Waiting\r\nShowSection=Intro\r\n");
  bench.expectCleanAudit();
}

// Without a PDAPath the bare names are used: the program is found beside
// the host application, and the settings file is the current directory's.
TEST(LaunchPDA, BareNamesWithoutAPDAPath) {
  SettingsBench bench;
  InScratchFolder here(bench.home.scratch().native());
  makeIdleProgram(bench.home.native("PDA.EXE"));
  bench::SimulatedDesktop& desktop = bench.home.desktop;
  const bench::CallResult result = bench.call("launchPDA", {"Intro"});
  EXPECT_EQ(result.value, std::optional<Value>("Waiting"));
  EXPECT_TRUE(desktop.messageBoxes.empty());
  EXPECT_EQ(bench.home.scratch().read("PDA.INI"),
            "[COMM]\r\nGotoSection=Waiting\r\nShowSection=Intro\r\n");
  bench.expectCleanAudit();
}

#endif
