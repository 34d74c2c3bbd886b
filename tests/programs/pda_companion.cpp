// A companion program for the Windows launch tests: the other side of the
// hand-shake. It reads ShowSection from [COMM] of PDA.INI in its own folder
// and answers in GotoSection with "After" and the section it was asked to
// show. The window the module waits for is the test's own, which the test
// closes once this answer is there: a real program's start-up time under
// emulation would outlast the module's first second.
//
// Started with "--idle" it does nothing at all, for tests that need a
// program that starts and opens no window.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  if (std::strstr(commandLine, "--idle") != nullptr) return 0;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string settings = path;
  settings.erase(settings.rfind('\\') + 1);
  settings += "PDA.INI";
  char shown[256] = {};
  GetPrivateProfileStringA("COMM", "ShowSection", "", shown, sizeof shown, settings.c_str());
  const std::string answer = std::string("After") + shown;
  WritePrivateProfileStringA("COMM", "GotoSection", answer.c_str(), settings.c_str());
  return 0;
}
