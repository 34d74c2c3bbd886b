#include "posix_desktop.h"

#if !defined(_WIN32)

namespace {

bench::SimulatedDesktop* gLent = nullptr;

}  // namespace

// The module looks this up in the program's exported symbols.
extern "C" __attribute__((visibility("default"))) PosixDesktop* MrvXtraPosixDesktop() {
  return gLent;
}

namespace bench {

SimulatedDesktop::SimulatedDesktop() { gLent = this; }

SimulatedDesktop::~SimulatedDesktop() {
  if (gLent == this) gLent = nullptr;
}

void SimulatedDesktop::advance(std::uint32_t milliseconds) {
  const std::uint32_t before = now_;
  now_ += milliseconds;
  // By index: an action may schedule further windows.
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    Window& window = windows_[i];
    if (window.untilClosed || window.closed) continue;
    const std::uint32_t ahead = window.until - before;  // round the wrap
    if (ahead == 0 || ahead > milliseconds) continue;
    window.closed = true;
    std::function<void()> action = std::move(window.beforeClose);
    if (action) action();
  }
}

void SimulatedDesktop::openWindow(const std::string& title) {
  windows_.push_back(Window{title, now_, now_, true, false, nullptr});
}

void SimulatedDesktop::closeWindow(const std::string& title) {
  for (Window& window : windows_)
    if (window.title == title) window.closed = true;
}

void SimulatedDesktop::scheduleWindow(const std::string& title, std::uint32_t from,
                                      std::uint32_t until, std::function<void()> beforeClose) {
  windows_.push_back(Window{title, from, until, false, false, std::move(beforeClose)});
}

std::uint32_t SimulatedDesktop::tickCount() {
  ++tickReadings;
  return now_;
}

void SimulatedDesktop::pause(std::uint32_t milliseconds) {
  ++pauseCount;
  pausedMilliseconds += milliseconds;
  if (pausesMoveClock) advance(milliseconds);
}

bool SimulatedDesktop::windowExists(const char* title) {
  windowQueries.push_back(title);
  for (const Window& window : windows_) {
    if (window.closed || window.title != title) continue;
    if (window.untilClosed || now_ - window.from < window.until - window.from) return true;
  }
  return false;
}

void SimulatedDesktop::showMessageBox(const char* text, const char* caption, std::uint32_t style) {
  messageBoxes.push_back(ShownMessageBox{text, caption, style, now_});
}

const char* SimulatedDesktop::executablePath() {
  return executable.empty() ? nullptr : executable.c_str();
}

}  // namespace bench

#endif
