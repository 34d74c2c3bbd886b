// Our private profile (INI) functions, behaving as Wine's do, byte for byte:
//  - lines end at CR or LF; each line is trimmed of white space (Ctrl-Z
//    counts as white space) and empty lines are skipped;
//  - "[name]" up to the last "]" starts a section; anything else is a key
//    line "name=value", or a name alone; comments and foreign lines are key
//    lines too, so they are kept; lines before the first section belong to
//    the nameless section "";
//  - section and key names match without regard to ASCII letter case, after
//    trimming; the first match counts;
//  - a read strips one pair of matching quotes around the value;
//  - a write that changes nothing leaves the file untouched; any other write
//    rewrites the whole file in the normal form: "[name]" and "key=value"
//    lines ending in CRLF, new keys at the end of their section, new
//    sections at the end of the file; a value loses its leading space.
// No file is cached: every call reads the file afresh. A write goes to a
// temporary file beside the old one and is renamed over it, so a file is
// never left half written.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/native_path.h"

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool isProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string withoutLeadingSpace(const std::string& text) {
  std::size_t first = 0;
  while (first < text.size() && isProfileSpace(text[first])) ++first;
  return text.substr(first);
}

std::string trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && isProfileSpace(text[first])) ++first;
  while (last > first && isProfileSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

struct KeyLine {
  std::string name;
  std::optional<std::string> value;  // none for a line without "="
};

struct Section {
  std::string name;
  std::vector<KeyLine> keys;
};

struct Profile {
  bool utf8Mark = false;
  std::vector<Section> sections{Section{}};  // the nameless section comes first
};

Profile parse(const std::string& bytes) {
  Profile profile;
  std::size_t position = 0;
  if (bytes.compare(0, 3, kUtf8Mark) == 0) {
    profile.utf8Mark = true;
    position = 3;
  }
  while (position < bytes.size()) {
    const std::size_t start = position;
    while (position < bytes.size() && bytes[position] != '\n' && bytes[position] != '\r')
      ++position;
    const std::string line = trimmed(bytes.substr(start, position - start));
    while (position < bytes.size() && (bytes[position] == '\n' || bytes[position] == '\r'))
      ++position;
    if (line.empty()) continue;

    const std::size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string::npos && close > 0) {
      profile.sections.push_back(Section{trimmed(line.substr(1, close - 1)), {}});
      continue;
    }
    KeyLine key;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      key.name = line;
    } else {
      key.name = trimmed(line.substr(0, equals));
      key.value = trimmed(line.substr(equals + 1));
    }
    // Runs of lines without a name collapse into their first.
    std::vector<KeyLine>& keys = profile.sections.back().keys;
    if (!key.name.empty() || keys.empty() || !keys.back().name.empty())
      keys.push_back(std::move(key));
  }
  return profile;
}

std::string serialize(const Profile& profile) {
  std::string bytes = profile.utf8Mark ? kUtf8Mark : "";
  for (const Section& section : profile.sections) {
    if (!section.name.empty()) bytes += "[" + section.name + "]\r\n";
    for (const KeyLine& key : section.keys) {
      bytes += key.name;
      if (key.value) bytes += "=" + *key.value;
      bytes += "\r\n";
    }
  }
  return bytes;
}

// A missing file reads as empty; a file that exists but cannot be read is
// a failure, so that a write never replaces what it could not see.
bool readFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR;
  char chunk[4096];
  ssize_t got;
  while ((got = read(fd, chunk, sizeof chunk)) != 0) {
    if (got < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return false;
    }
    bytes->append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  return true;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Writes a temporary file beside the old one and renames it over it: a
// reader sees the old file or the new one, never a part of either.
bool replaceFile(const std::string& path, const std::string& bytes) {
  // A file whose owner may not write it is read-only, as Windows keeps it
  // (Wine maps its read-only attribute to these bits): replacing it through a
  // rename would get past that, even as root.
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0 && (existing.st_mode & S_IWUSR) == 0) return false;
  static unsigned counter = 0;
  const std::string temporary =
      path + "." + std::to_string(getpid()) + "." + std::to_string(++counter) + ".tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  if (existing.st_mode != 0) fchmod(fd, existing.st_mode & 07777);
  const bool written = writeAll(fd, bytes) && fdatasync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (written && closed && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

KeyLine* findKey(Profile& profile, const std::string& section, const std::string& key) {
  const std::string sectionName = trimmed(section), keyName = trimmed(key);
  for (Section& candidate : profile.sections) {
    if (!sameName(candidate.name, sectionName)) continue;
    for (KeyLine& line : candidate.keys)
      if (sameName(line.name, keyName)) return &line;
    return nullptr;
  }
  return nullptr;
}

// Copies a value as a read hands it out: one pair of matching quotes
// around it is dropped, and at most size - 1 characters are copied. As on
// Wine, the closing quote's place is cut even when the value was cut short
// of it by exactly one character.
std::uint32_t copyEntry(const std::string& value, char* buffer, std::uint32_t size) {
  std::string text = value;
  bool quoted = false;
  if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
    quoted = true;
    text.erase(0, 1);
  }
  std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), length);
  if (quoted && size >= text.size() && length > 0) --length;
  buffer[length] = '\0';
  return static_cast<std::uint32_t>(length);
}

// A default loses its trailing blanks, though never its first character.
std::string withoutTrailingBlanks(const char* text) {
  std::string result = text;
  while (result.size() > 1 && result.back() == ' ') result.pop_back();
  return result;
}

// The number at the start of a text, as the platform reads it: white space,
// a sign, then decimal digits, or binary, octal or hexadecimal ones after
// "0b", "0o" or "0x"; it ends at the first other character and wraps at 2^32.
std::int32_t leadingNumber(const char* text) {
  const char* c = text;
  while (*c != '\0' && static_cast<unsigned char>(*c) <= ' ') ++c;
  bool negative = false;
  if (*c == '+' || *c == '-') negative = *c++ == '-';
  unsigned base = 10;
  if (c[0] == '0' && (c[1] == 'b' || c[1] == 'o' || c[1] == 'x')) {
    base = c[1] == 'b' ? 2 : c[1] == 'o' ? 8 : 16;
    c += 2;
  }
  std::uint32_t total = 0;
  for (;; ++c) {
    unsigned digit;
    if (*c >= '0' && *c <= '9') digit = static_cast<unsigned>(*c - '0');
    else if (*c >= 'a' && *c <= 'z') digit = static_cast<unsigned>(*c - 'a' + 10);
    else if (*c >= 'A' && *c <= 'Z') digit = static_cast<unsigned>(*c - 'A' + 10);
    else break;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return static_cast<std::int32_t>(negative ? 0u - total : total);
}

}  // namespace

std::uint32_t platform::getPrivateProfileString(const char* section, const char* key,
                                                const char* defaultValue, char* buffer,
                                                std::uint32_t size, const char* file) {
  if (size == 0) return 0;
  std::string bytes;
  Profile profile;
  if (readFile(posix::nativePath(file), &bytes)) profile = parse(bytes);
  const KeyLine* found = findKey(profile, section, key);
  const std::string value =
      found != nullptr && found->value ? *found->value : withoutTrailingBlanks(defaultValue);
  return copyEntry(value, buffer, size);
}

std::int32_t platform::getPrivateProfileInt(const char* section, const char* key,
                                            std::int32_t defaultValue, const char* file) {
  char text[30];  // the platform reads no more of a number than this
  if (getPrivateProfileString(section, key, "", text, sizeof text, file) == 0) return defaultValue;
  return leadingNumber(text);
}

bool platform::writePrivateProfileString(const char* section, const char* key, const char* value,
                                         const char* file) {
  const std::string path = posix::nativePath(file);
  std::string bytes;
  if (!readFile(path, &bytes)) return false;
  Profile profile = parse(bytes);

  const std::string text = withoutLeadingSpace(value);
  KeyLine* line = findKey(profile, section, key);
  if (line == nullptr) {
    // Names are matched trimmed, but a new one keeps its trailing space
    // until the file is next read.
    Section* target = nullptr;
    for (Section& candidate : profile.sections)
      if (target == nullptr && sameName(candidate.name, trimmed(section))) target = &candidate;
    if (target == nullptr)
      target = &profile.sections.emplace_back(Section{withoutLeadingSpace(section), {}});
    line = &target->keys.emplace_back(KeyLine{withoutLeadingSpace(key), std::nullopt});
  }
  if (line->value && *line->value == text) return true;
  line->value = text;
  return replaceFile(path, serialize(profile));
}
