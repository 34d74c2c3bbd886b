// launchLocal and launchPDA against the real platform: WinExec, the real
// companion program built beside the tests, FindWindowA on a real window,
// and the real message box, read and closed by a watcher thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "support/settings_bench.h"

namespace {

using bench::Value;

// Under 32-bit emulation a process takes about a minute to start.
constexpr DWORD kPatienceMilliseconds = 10 * 60 * 1000;

// Owns a top-level window with a title on a thread of its own, which pumps
// its messages until `until` holds (or patience runs out) and then
// destroys it.
class WindowOnItsOwnThread {
 public:
  template <typename Condition>
  WindowOnItsOwnThread(const char* title, Condition until)
      : thread_([this, title, until] {
          HWND window = CreateWindowA("STATIC", title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
          ready_ = true;
          const DWORD start = GetTickCount();
          while (!until() && GetTickCount() - start < kPatienceMilliseconds) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(20);
          }
          DestroyWindow(window);
        }) {
    while (!ready_) Sleep(1);
  }
  ~WindowOnItsOwnThread() { thread_.join(); }

 private:
  std::atomic<bool> ready_{false};
  std::thread thread_;
};

struct SeenMessageBox {
  std::string caption, text;
};

// Waits for a message box with this caption, reads its text and presses OK.
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(std::string caption)
      : caption_(std::move(caption)), thread_([this] { watch(); }) {}
  ~MessageBoxWatcher() { seen(); }
  std::optional<SeenMessageBox> seen() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  static BOOL CALLBACK collectText(HWND child, LPARAM found) {
    char className[32] = {}, text[1024] = {};
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Static") == 0 && text[0] != '\0')
      *reinterpret_cast<std::string*>(found) = text;
    return TRUE;
  }
  void watch() {
    const DWORD start = GetTickCount();
    while (!stop_ && GetTickCount() - start < kPatienceMilliseconds) {
      if (HWND box = FindWindowA("#32770", caption_.c_str())) {
        std::string text;
        EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
        seen_ = SeenMessageBox{caption_, text};
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return;
      }
      Sleep(20);
    }
  }

  std::string caption_;
  std::optional<SeenMessageBox> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

std::string readAnswer(const std::string& companionSettings) {
  char answer[256] = {};
  GetPrivateProfileStringA("COMM", "GotoSection", "", answer, sizeof answer,
                           companionSettings.c_str());
  return answer;
}

}  // namespace

TEST(LaunchOnWindows, PDAHandsShakeWithTheRealCompanion) {
  SettingsBench bench;
  const std::string companionSettings = bench.home.native("PDA.INI");
  DeleteFileA(companionSettings.c_str());
  bench.home.writeSettings("[PDA]\r\nPDAPath=" + bench.home.appDirectory() + "\r\n");
  // The test's window stands for the companion's until the companion has
  // answered; its start-up time then does not matter.
  std::optional<bench::CallResult> result;
  DWORD elapsed = 0;
  {
    WindowOnItsOwnThread window("PDA", [&] {
      const std::string answer = readAnswer(companionSettings);
      return !answer.empty() && answer != "Waiting";
    });
    const DWORD start = GetTickCount();
    result = bench.call("launchPDA", {"Intro"});
    elapsed = GetTickCount() - start;
  }
  EXPECT_EQ(result->code, kOk);
  EXPECT_EQ(result->value, std::optional<Value>("AfterIntro"));
  EXPECT_GE(elapsed, 1000u);
  char shown[64] = {};
  GetPrivateProfileStringA("COMM", "ShowSection", "", shown, sizeof shown,
                           companionSettings.c_str());
  EXPECT_STREQ(shown, "Intro");
  DeleteFileA(companionSettings.c_str());
  bench.expectCleanAudit();
}

TEST(LaunchOnWindows, FailedStartShowsTheRealMessageBox) {
  struct Case {
    const char* what;
    std::string settings;
    std::string command;  // after "{app}" is replaced by the app folder
  };
  const std::string longFolder = "C:\\" + std::string(150, 'd') + "\\";
  const Case cases[] = {
      {"the default command", "", "{app}NoSuchViewer notes.txt"},
      {"a message longer than a hundred bytes",
       "[NoSuchViewer]\r\nPath=" + longFolder + "viewer.exe\r\n",
       longFolder + "viewer.exe notes.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    if (!c.settings.empty()) bench.home.writeSettings(c.settings);
    const std::string command = bench.home.expand(c.command);
    MessageBoxWatcher watcher("Morvath Xtra Message");
    EXPECT_EQ(bench.call("launchLocal", {"NoSuchViewer", "notes.txt"}).code, kOk);
    const std::optional<SeenMessageBox> seen = watcher.seen();
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->text, "Cannot find Program <" + command + ">");
    bench.expectCleanAudit();
  }
}

TEST(LaunchOnWindows, PDAThatCannotStartShowsItsMessageAndReturnsWaiting) {
  SettingsBench bench;
  TemporaryFolder empty;
  bench.home.writeSettings("[PDA]\r\nPDAPath=" + empty.windows() + "\r\n");
  MessageBoxWatcher watcher("Morvath Message");
  EXPECT_EQ(bench.call("launchPDA", {"Intro"}).value, std::optional<Value>("Waiting"));
  const std::optional<SeenMessageBox> seen = watcher.seen();
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->text, "Cannot find PDA");
  bench.expectCleanAudit();
}

// A program that opens no window: the wait still lasts the first second.
TEST(LaunchOnWindows, WaitLastsAtLeastTheFirstSecond) {
  SettingsBench bench;
  bench.home.writeSettings("[Idle]\r\nPath=\"" + bench.home.native("PDA.exe") + "\" --idle\r\n");
  const DWORD start = GetTickCount();
  EXPECT_EQ(bench.call("launchLocal", {"Idle", ""}).code, kOk);
  EXPECT_GE(GetTickCount() - start, 1000u);
  bench.expectCleanAudit();
}

// Line breaks in what the module writes stay within their line, with the
// platform's own profile functions too.
TEST(LaunchOnWindows, LineBreaksCannotRewriteTheCompanionsFile) {
  SettingsBench bench;
  TemporaryFolder companion;
  bench.home.writeSettings("[PDA]\r\nPDAPath=" + companion.windows() + "\r\n");
  MessageBoxWatcher watcher("Morvath Message");  // no companion there: the start fails
  EXPECT_EQ(bench.call("launchPDA", {"A\r\n[COMM]\r\nGotoSection=X"}).value,
            std::optional<Value>("Waiting"));
  EXPECT_EQ(companion.read("PDA.INI"),
            "[COMM]\r\nGotoSection=Waiting\r\nShowSection=A  [COMM]  GotoSection=X\r\n");
  EXPECT_TRUE(watcher.seen().has_value());
  bench.expectCleanAudit();
}
