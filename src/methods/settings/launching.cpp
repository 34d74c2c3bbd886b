// Launching a local program, or the companion program, and holding the
// host's thread until the program's window has gone.
//
// Commands and paths are built whole, however long: the settings file may
// hold a command or folder of up to 253 characters, and the script adds an
// argument or a file name to it. Nothing is cut, so what starts is what was
// configured, and a failure message names the whole command.
#include <string>

#include "methods/settings/script_text.h"
#include "methods/settings/settings_file.h"
#include "methods/settings/settings_methods.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kShowNormal = 1;
constexpr std::uint32_t kLastFailureCode = 31;  // WinExec results up to this one: not started
constexpr std::uint32_t kInformationBox = 0x40;
constexpr std::uint32_t kFirstWaitMilliseconds = 1000;
// The wait polls; between two polls it gives the processor away, so that
// the program it waits for (and the rest of the machine) can run.
constexpr std::uint32_t kPollPauseMilliseconds = 10;

bool started(const std::string& commandLine) {
  return platform::winExec(commandLine.c_str(), kShowNormal) > kLastFailureCode;
}

// The program has the first second to open its window; then the wait lasts
// as long as a top-level window with the title exists, whoever owns it.
// The difference of two clock readings is taken by subtraction, so the
// clock's wrap does no harm. No window messages are dispatched meanwhile:
// the host's thread stands still until the wait ends.
void waitForWindow(const std::string& title) {
  const std::uint32_t start = platform::getTickCount();
  while (platform::getTickCount() - start < kFirstWaitMilliseconds)
    platform::pause(kPollPauseMilliseconds);
  while (platform::topLevelWindowExists(title.c_str())) platform::pause(kPollPauseMilliseconds);
}

}  // namespace

// The program name is the section holding the program's command ("Path"),
// the file name of the default command beside the host application, and the
// title of the window waited for.
HostCode launchLocal(MethodCall& call) {
  const std::string file = settings::settingsFilePath(call.self);
  const std::string program = settings::scriptText(call, 1);
  const std::string argument = settings::scriptText(call, 2);
  const std::string defaultCommand = std::string(call.self.appDirectory) + program;
  std::string command = settings::readTextWithWholeDefault(program, "Path", defaultCommand,
                                                           settings::kLongReadSize, file);
  command += ' ';  // even for an empty argument
  command += argument;
  if (program.empty()) return kOk;
  if (started(command)) {
    waitForWindow(program);
  } else {
    const std::string message = "Cannot find Program <" + command + ">";
    platform::showMessageBox(message.c_str(), "Morvath Xtra Message", kInformationBox);
  }
  return kOk;
}

// The hand-shake with the companion program: its settings file, PDA.INI in
// the companion's folder (PDAPath), tells it in [COMM] which section to show
// and receives in GotoSection the section the movie goes to next. Without a
// PDAPath the bare names are used and the platform resolves them.
HostCode launchPDA(MethodCall& call) {
  const std::string file = settings::settingsFilePath(call.self);
  const std::string folder = settings::readText("PDA", "PDAPath", "", settings::kLongReadSize, file);
  const std::string companionSettings = folder + "PDA.INI";
  const std::string companionProgram = folder + "PDA.EXE";
  const std::string section = settings::scriptText(call, 1);

  settings::writeText("COMM", "GotoSection", "Waiting", companionSettings);
  settings::writeText("COMM", "ShowSection", section, companionSettings);
  if (started(companionProgram)) {
    waitForWindow("PDA");
  } else {
    platform::showMessageBox("Cannot find PDA", "Morvath Message", kInformationBox);
  }
  return settings::textResult(call, settings::readText("COMM", "GotoSection", "Waiting",
                                                       settings::kLongReadSize,
                                                       companionSettings));
}
