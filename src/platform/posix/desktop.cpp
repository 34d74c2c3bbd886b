#include "platform/posix/desktop.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/platform.h"

namespace {

// Used when the host process lends no desktop: the machine's own clock and
// sleep; there are no top-level windows, and a message box cannot be
// answered, so its text goes to standard error and it counts as closed.
struct PlainDesktop final : PosixDesktop {
  std::uint32_t tickCount() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(milliseconds);
  }
  void pause(std::uint32_t milliseconds) override {
    timespec left{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
  }
  bool windowExists(const char*) override { return false; }
  void showMessageBox(const char* text, const char* caption, std::uint32_t) override {
    std::fprintf(stderr, "[%s] %s\n", caption, text);
  }
  const char* executablePath() override { return nullptr; }
};

PlainDesktop gPlainDesktop;

}  // namespace

// The accessor is looked up once; what it returns is asked on every use, so
// the host may lend and take back its desktop between calls.
PosixDesktop& platform::posix::currentDesktop() {
  static const auto accessor =
      reinterpret_cast<PosixDesktopAccessor>(dlsym(RTLD_DEFAULT, MRVXTRA_POSIX_DESKTOP_ACCESSOR));
  PosixDesktop* lent = accessor != nullptr ? accessor() : nullptr;
  return lent != nullptr ? *lent : gPlainDesktop;
}

std::uint32_t platform::getTickCount() { return posix::currentDesktop().tickCount(); }

void platform::pause(std::uint32_t milliseconds) { posix::currentDesktop().pause(milliseconds); }

bool platform::topLevelWindowExists(const char* title) {
  return posix::currentDesktop().windowExists(title);
}

void platform::showMessageBox(const char* text, const char* caption, std::uint32_t style) {
  posix::currentDesktop().showMessageBox(text, caption, style);
}
