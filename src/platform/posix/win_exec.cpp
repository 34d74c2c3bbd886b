// WinExec on POSIX: the program of a Windows command line is started
// directly, without a shell, and is not waited for.
//
// The command line is split as Windows splits it. A quoted first token runs
// to its closing quote. An unquoted one may contain blanks: the shortest
// prefix ending at a blank that names a program is taken ("C:\Program
// Files\app.exe" starts "C:\Program Files\app.exe" when "C:\Program" does
// not exist), else the whole line, else the text up to the first blank. The
// arguments after it are split by the C runtime's rules (blanks separate,
// quotes group, backslashes escape quotes) and passed as they are: only the
// program's own path is mapped to a native one.
//
// A program named with a folder is taken from there; one without is looked
// for in the host application's folder, the current directory, then the
// folders of PATH, as Windows looks in the application's folder, the current
// one and its system folders. Where no file has the name and the name has no
// extension, the name with ".exe" is tried too.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/native_path.h"

namespace {

constexpr std::uint32_t kStarted = 33;        // above 31: started
constexpr std::uint32_t kOutOfResources = 0;  // WinExec's codes for a failed start
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kBadFormat = 11;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isProgramFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

std::string hostApplicationFolder() {
  char path[1024];
  platform::getModuleFileName(path, sizeof path);
  const std::string native = platform::posix::nativePath(path);
  const std::size_t slash = native.rfind('/');
  return slash == std::string::npos ? "./" : native.substr(0, slash + 1);
}

// The native file a program name starts, if there is one.
std::optional<std::string> findProgram(const std::string& windowsName) {
  if (windowsName.empty()) return std::nullopt;
  const std::string name = platform::posix::nativePath(windowsName);
  std::vector<std::string> candidates;
  if (name.find('/') != std::string::npos) {
    candidates.push_back(name);
  } else {
    candidates.push_back(hostApplicationFolder() + name);
    candidates.push_back(name);
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
      std::size_t end = folders.find(':', start);
      if (end == std::string::npos) end = folders.size();
      if (end > start) candidates.push_back(folders.substr(start, end - start) + "/" + name);
      start = end + 1;
    }
  }
  const std::size_t lastSlash = name.rfind('/');
  const bool hasExtension = name.find('.', lastSlash == std::string::npos ? 0 : lastSlash) !=
                            std::string::npos;
  for (const std::string& candidate : candidates) {
    if (isProgramFile(candidate)) return candidate;
    if (!hasExtension && isProgramFile(candidate + ".exe")) return candidate + ".exe";
  }
  return std::nullopt;
}

struct ProgramToken {
  std::string name;  // as written, without its quotes
  std::string rest;  // the arguments' text
};

ProgramToken splitProgram(const std::string& line) {
  std::size_t start = 0;
  while (start < line.size() && isBlank(line[start])) ++start;
  if (start < line.size() && line[start] == '"') {
    const std::size_t close = line.find('"', start + 1);
    if (close == std::string::npos) return {line.substr(start + 1), ""};
    return {line.substr(start + 1, close - start - 1), line.substr(close + 1)};
  }
  for (std::size_t end = start; end <= line.size(); ++end) {
    if (end < line.size() && !isBlank(line[end])) continue;
    const std::string prefix = line.substr(start, end - start);
    if (findProgram(prefix)) return {prefix, line.substr(end)};
  }
  std::size_t end = start;
  while (end < line.size() && !isBlank(line[end])) ++end;
  return {line.substr(start, end - start), line.substr(end)};
}

std::vector<std::string> splitArguments(const std::string& text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i == text.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !isBlank(text[i]))) {
      if (text[i] == '\\') {
        std::size_t backslashes = 0;
        while (i < text.size() && text[i] == '\\') ++backslashes, ++i;
        if (i < text.size() && text[i] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) argument += text[i++];
        } else {
          argument.append(backslashes, '\\');
        }
      } else if (text[i] == '"') {
        if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        argument += text[i++];
      }
    }
    arguments.push_back(argument);
  }
}

std::uint32_t codeFor(int error) {
  switch (error) {
    case ENOENT: return kFileNotFound;
    case ENOTDIR: return kPathNotFound;
    case ENOMEM:
    case EAGAIN: return kOutOfResources;
    default: return kBadFormat;
  }
}

// Starts the program in a grandchild, so that nobody has to wait for it to
// end: the intermediate child exits at once and is reaped here, and the
// system adopts the program. A pipe that closes on a successful exec tells
// whether the program could be started.
std::uint32_t start(const std::string& program, std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return kOutOfResources;
  const pid_t middle = fork();
  if (middle == 0) {
    const pid_t child = fork();
    if (child == 0) {
      execv(program.c_str(), argv.data());
      const int error = errno;
      (void)!write(report[1], &error, sizeof error);
      _exit(127);
    }
    if (child < 0) {
      const int error = errno;
      (void)!write(report[1], &error, sizeof error);
    }
    _exit(0);
  }
  close(report[1]);
  int error = 0;
  if (middle < 0) {
    error = errno;
  } else {
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    ssize_t got;
    while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got != static_cast<ssize_t>(sizeof error)) error = 0;
  }
  close(report[0]);
  return error == 0 ? kStarted : codeFor(error);
}

}  // namespace

std::uint32_t platform::winExec(const char* commandLine, std::uint32_t) {
  const ProgramToken token = splitProgram(commandLine);
  const std::optional<std::string> program = findProgram(token.name);
  if (!program) return kFileNotFound;
  std::vector<std::string> arguments = splitArguments(token.rest);
  arguments.insert(arguments.begin(), token.name);
  return start(*program, std::move(arguments));
}
