// The desktop the bench host lends the module on POSIX builds: a clock the
// test sets or that moves on by each pause the module takes, top-level
// windows the test opens and closes (or schedules), and message boxes that
// are recorded and closed at once. It also names the host application's
// executable, so that each test can place the application, and with it the
// settings file, in a folder of its own.
//
// Constructing one lends it to the module (through the accessor this file
// exports from the program); destroying it takes it back, and the module
// falls back to its plain desktop. One at a time.
#pragma once

#if !defined(_WIN32)

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/posix_desktop.h"

namespace bench {

struct ShownMessageBox {
  std::string text;
  std::string caption;
  std::uint32_t style;
  std::uint32_t tick;  // the clock when it was shown
};

class SimulatedDesktop final : public PosixDesktop {
 public:
  SimulatedDesktop();
  ~SimulatedDesktop();
  SimulatedDesktop(const SimulatedDesktop&) = delete;
  SimulatedDesktop& operator=(const SimulatedDesktop&) = delete;

  // The clock. Moving it runs what is due at the new time (see scheduleWindow).
  std::uint32_t now() const { return now_; }
  void advance(std::uint32_t milliseconds);
  void setTime(std::uint32_t tick) { now_ = tick; }  // nothing runs; e.g. a clock about to wrap

  // Pauses the module took and their total length. While pausesMoveClock
  // is set, each pause advances the clock by its length.
  bool pausesMoveClock = true;
  std::uint32_t pauseCount = 0;
  std::uint64_t pausedMilliseconds = 0;
  // Clock readings the module took.
  std::uint32_t tickReadings = 0;

  // Windows. A scheduled window exists from tick `from` (inclusive) until
  // tick `until` (exclusive), both taken round the clock's wrap;
  // `beforeClose` runs once when the clock reaches `until`, as a program
  // writes its answer before its window goes.
  void openWindow(const std::string& title);
  void closeWindow(const std::string& title);
  void scheduleWindow(const std::string& title, std::uint32_t from, std::uint32_t until,
                      std::function<void()> beforeClose = nullptr);
  std::vector<std::string> windowQueries;  // titles the module asked for, in order

  std::vector<ShownMessageBox> messageBoxes;

  // The native path of the executable the module takes for the host
  // application; empty for the program's own.
  std::string executable;

  // PosixDesktop, called by the module.
  std::uint32_t tickCount() override;
  void pause(std::uint32_t milliseconds) override;
  bool windowExists(const char* title) override;
  void showMessageBox(const char* text, const char* caption, std::uint32_t style) override;
  const char* executablePath() override;

 private:
  struct Window {
    std::string title;
    std::uint32_t from;
    std::uint32_t until;
    bool untilClosed;  // opened by openWindow: no end of its own
    bool closed;
    std::function<void()> beforeClose;
  };

  std::uint32_t now_ = 1000;
  std::vector<Window> windows_;
};

}  // namespace bench

#endif
