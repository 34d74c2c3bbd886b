// wait_cpu_benchmark: the processor time the host spends while launchLocal
// waits three seconds for a started program's window to go.
//
// The module polls for the window; between two polls it gives the processor
// away for about 10 ms. The program starts itself (with "--idle", which
// ends at once) as the launched program, keeps a window with the program's
// title for three seconds, and prints the host's processor time (user and
// system) against the wall time of the call. On POSIX builds the window and
// the clock are a desktop lent to the module with a real clock and a real
// sleep; it is also run with a pause that returns at once, which is what the
// wait costs when it polls without pausing.
//
//   wait_cpu_benchmark [seconds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "bench.h"
#include "support/module_path.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix_desktop.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

const char kTitle[] = "WaitBench";

double processorSeconds() {
#if defined(_WIN32)
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

std::string selfPath() {
#if defined(_WIN32)
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
#else
  return std::filesystem::read_symlink("/proc/self/exe").string();
#endif
}

#if !defined(_WIN32)
// A desktop on real time: the window exists until its deadline.
struct RealTimeDesktop final : PosixDesktop {
  std::string executable;
  Clock::time_point windowGone;
  bool pauses = true;

  std::uint32_t tickCount() override {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          Clock::now().time_since_epoch())
                                          .count());
  }
  void pause(std::uint32_t milliseconds) override {
    if (pauses) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  bool windowExists(const char* title) override {
    return std::strcmp(title, kTitle) == 0 && Clock::now() < windowGone;
  }
  void showMessageBox(const char* text, const char*, std::uint32_t) override {
    std::fprintf(stderr, "message box: %s\n", text);
  }
  const char* executablePath() override { return executable.c_str(); }
};

RealTimeDesktop gDesktop;
#endif

}  // namespace

#if !defined(_WIN32)
extern "C" __attribute__((visibility("default"))) PosixDesktop* MrvXtraPosixDesktop() {
  return &gDesktop;
}
#endif

namespace {

// One launchLocal whose program's window stays `seconds`; prints the figures.
void measure(const std::string& folder, const char* what, double seconds) {
  bench::Bench bench(moduleUnderTest());
  if (!bench.loaded()) {
    std::fprintf(stderr, "cannot load %s: %s\n", moduleUnderTest(), bench.loadError().c_str());
    std::exit(1);
  }
  bench.registerModule();
  bench::ScriptObject xtra = bench.newScriptObject();
  std::ofstream(folder + "MrvXtra.INI", std::ios::binary)
      << "[" << kTitle << "]\r\nPath=\"" << selfPath() << "\" --idle\r\n";

  const auto window = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(seconds));
#if defined(_WIN32)
  std::thread owner([window] {
    HWND handle = CreateWindowA("STATIC", kTitle, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    const auto gone = Clock::now() + window;
    while (Clock::now() < gone) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(20);
    }
    DestroyWindow(handle);
  });
  Sleep(100);  // the window exists before the call
#else
  gDesktop.windowGone = Clock::now() + window;
#endif
  const double processorBefore = processorSeconds();
  const auto start = Clock::now();
  const bench::CallResult result = xtra.call("launchLocal", {kTitle, ""});
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double processor = processorSeconds() - processorBefore;
#if defined(_WIN32)
  owner.join();
#endif
  std::remove((folder + "MrvXtra.INI").c_str());
  std::printf("%-34s code %d, wall %.2f s, processor %.3f s (%.1f%% of one processor)\n", what,
              static_cast<int>(result.code), wall, processor, 100.0 * processor / wall);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--idle") == 0) return 0;  // as the launched program
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  std::string folder = selfPath();
#if defined(_WIN32)
  folder.erase(folder.rfind('\\') + 1);
  std::printf("module %s, window for %.1f s\n", moduleUnderTest(), seconds);
  measure(folder, "wait with the module's pause", seconds);
#else
  char scratch[] = "/tmp/wait-benchmark-XXXXXX";
  if (mkdtemp(scratch) == nullptr) return 1;
  folder = std::string(scratch) + "/";
  gDesktop.executable = folder + "host";
  std::printf("module %s, window for %.1f s\n", moduleUnderTest(), seconds);
  measure(folder, "wait with the module's pause", seconds);
  gDesktop.pauses = false;
  measure(folder, "wait polling without a pause", seconds);
  rmdir(scratch);
#endif
  return 0;
}
