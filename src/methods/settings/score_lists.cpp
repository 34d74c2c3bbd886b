// High-score lists: a section of the settings file per list, chosen by the
// script, holding "ScoreName<k>" and "ScoreValue<k>" for entries 1 to n,
// best first. The script passes the length n on every call; the file does
// not record it, and keys above n are left as they are.
#include <string>
#include <vector>

#include "methods/settings/script_text.h"
#include "methods/settings/settings_file.h"
#include "methods/settings/settings_methods.h"

namespace {

using settings::kLongReadSize;
using settings::kNameReadSize;

std::string scoreName(std::int64_t entry) { return "ScoreName" + std::to_string(entry); }
std::string scoreValue(std::int64_t entry) { return "ScoreValue" + std::to_string(entry); }

// What every score method starts with: the file, the length, the section.
struct ScoreList {
  std::string file;
  std::int32_t length;
  std::string section;

  explicit ScoreList(const MethodCall& call)
      : file(settings::settingsFilePath(call.self)),
        length(settings::scriptInteger(call, 1)),
        section(settings::scriptText(call, 2)) {}
};

struct ScoreEntry {
  std::int32_t score;
  std::string name;  // at most 30 characters, as read or converted
};

// Makes the call's result a list of the list's n entries, entry 1 first;
// `makeElement(k, &value)` reads entry k and makes it a value, which the
// list copies and this then gives back.
template <typename MakeElement>
HostCode listResult(MethodCall& call, std::int32_t length, MakeElement makeElement) {
  ValueServices* values = call.self.valueServices;
  ListServices* lists = call.self.listServices;
  HostCode code = lists->newList(call.result());
  if (code != kOk) return code;  // no list to hand over
  for (std::int64_t entry = 1; entry <= length; ++entry) {
    HostValue element{};
    code = makeElement(entry, &element);
    if (code != kOk) return code;
    code = lists->appendToList(call.result(), &element);
    values->releaseValue(&element);
    if (code != kOk) return code;
  }
  return kOk;
}

}  // namespace

// Puts a score into its ranked place: the first entry whose score is not
// above it, so that an equal score goes above the entries it ties with.
// The whole list is read, moved down from that place (dropping the last
// entry) and written back, so each name in it is cut to 30 characters and
// each score rewritten as the number read. The table has the length the
// script asked for, however long.
HostCode addScoreToList(MethodCall& call) {
  const ScoreList list(call);
  const std::int32_t score = settings::scriptInteger(call, 3);
  const std::string name = settings::scriptText(call, 4);
  if (list.length <= 0) return kOk;

  std::vector<ScoreEntry> table;
  for (std::int64_t entry = 1; entry <= list.length; ++entry) {
    ScoreEntry read;
    read.name = settings::readText(list.section, scoreName(entry), "", kNameReadSize, list.file);
    read.score = settings::readInteger(list.section, scoreValue(entry), 0, list.file);
    table.push_back(std::move(read));
  }

  std::size_t place = 0;
  while (place < table.size() && score < table[place].score) ++place;
  if (place == table.size()) return kOk;  // below every entry: nothing changes
  table.pop_back();
  table.insert(table.begin() + static_cast<std::ptrdiff_t>(place), ScoreEntry{score, name});

  for (std::int64_t entry = 1; entry <= list.length; ++entry) {
    const ScoreEntry& written = table[static_cast<std::size_t>(entry - 1)];
    settings::writeText(list.section, scoreName(entry), written.name, list.file);
    settings::writeText(list.section, scoreValue(entry), std::to_string(written.score), list.file);
  }
  return call.self.valueServices->integerToValue(static_cast<std::int32_t>(place), call.result());
}

// Empties entries 1 to n, keeping their keys: an empty name and the score 0.
HostCode clearScoreList(MethodCall& call) {
  const ScoreList list(call);
  for (std::int64_t entry = 1; entry <= list.length; ++entry) {
    settings::writeText(list.section, scoreName(entry), "", list.file);
    settings::writeText(list.section, scoreValue(entry), "0", list.file);
  }
  return kOk;
}

HostCode getScoreValues(MethodCall& call) {
  const ScoreList list(call);
  ValueServices* values = call.self.valueServices;
  return listResult(call, list.length, [&](std::int64_t entry, HostValue* element) {
    return values->integerToValue(
        settings::readInteger(list.section, scoreValue(entry), 0, list.file), element);
  });
}

// Names of up to 253 characters, though a rewrite by addScoreToList keeps 30.
HostCode getScoreList(MethodCall& call) {
  const ScoreList list(call);
  ValueServices* values = call.self.valueServices;
  return listResult(call, list.length, [&](std::int64_t entry, HostValue* element) {
    return values->stringToValue(
        settings::readText(list.section, scoreName(entry), "", kLongReadSize, list.file).c_str(),
        element);
  });
}
