// High-score lists kept in MrvXtra.INI, through the module's exports, with
// the settings file checked byte for byte (the platform's profile functions
// write CRLF lines and "key=value").
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/settings_bench.h"

namespace {

using bench::Value;

// The lines of a list section as the profile functions write them.
std::string entries(const std::vector<std::pair<std::string, int>>& list, int first = 1) {
  std::string text;
  int k = first;
  for (const auto& [name, score] : list) {
    text += "ScoreName" + std::to_string(k) + "=" + name + "\r\n";
    text += "ScoreValue" + std::to_string(k) + "=" + std::to_string(score) + "\r\n";
    ++k;
  }
  return text;
}

std::string section(const std::string& name, const std::string& lines) {
  return "[" + name + "]\r\n" + lines;
}

const std::string kName40(40, 'n');

}  // namespace

TEST(ScoreLists, AddScoreTakesItsRankedPlace) {
  struct Case {
    const char* what;
    std::optional<std::string> before;  // the settings file; none: no file
    int length, score;
    std::optional<int> place;           // none: no result, the file as it was
    std::optional<std::string> after;
  };
  const std::string fourStored = section("L", entries({{"A", 100}, {"B", 50}, {"C", 50}, {"D", 20}}));
  const std::string fiveStored =
      section("L", entries({{"A", 500}, {"B", 400}, {"C", 300}, {"D", 200}, {"E", 100}}));
  const std::vector<Case> cases = {
      {"a list never written", std::nullopt, 3, 10, 0,
       section("L", entries({{"New", 10}, {"", 0}, {"", 0}}))},
      {"a negative score on a list never written", std::nullopt, 3, -5, std::nullopt,
       std::nullopt},
      {"a tie goes above the entries it ties with", fourStored, 4, 50, 1,
       section("L", entries({{"A", 100}, {"New", 50}, {"B", 50}, {"C", 50}}))},
      {"the last place only", fourStored, 4, 30, 3,
       section("L", entries({{"A", 100}, {"B", 50}, {"C", 50}, {"New", 30}}))},
      {"below every entry", fourStored, 4, 19, std::nullopt, fourStored},
      {"a length of 0", fourStored, 0, 1000, std::nullopt, fourStored},
      {"a negative length", fourStored, -2, 1000, std::nullopt, fourStored},
      {"a length beyond what is stored", section("L", entries({{"A", 100}, {"B", 50}})), 4, 70, 1,
       section("L", entries({{"A", 100}, {"New", 70}, {"B", 50}, {"", 0}}))},
      {"entries above the length survive", fiveStored, 2, 450, 1,
       section("L", entries({{"A", 500}, {"New", 450}}) +
                        entries({{"C", 300}, {"D", 200}, {"E", 100}}, 3))},
      {"a rewrite cuts names to 30 characters and rewrites numbers as read",
       "[L]\r\nScoreName1=" + kName40 + "\r\nScoreValue1=0x40\r\nScoreName2=x\r\nScoreValue2= 7 \r\n",
       3, 60, 1,
       section("L", entries({{std::string(30, 'n'), 64}, {"New", 60}, {"x", 7}}))},
      {"other sections stay as they were",
       "[PATH]\r\nImages=C:\\img\\\r\n" + section("l", entries({{"A", 5}})), 1, 9, 0,
       "[PATH]\r\nImages=C:\\img\\\r\n" + section("l", entries({{"New", 9}}))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    if (c.before) bench.home.writeSettings(*c.before);
    const bench::CallResult result = bench.call("addScoreToList", {c.length, "L", c.score, "New"});
    EXPECT_EQ(result.code, kOk);
    if (c.place) {
      EXPECT_EQ(result.value, std::optional<Value>(*c.place));
    } else {
      EXPECT_FALSE(result.value.has_value());
    }
    EXPECT_EQ(bench.home.settings(), c.after);
    bench.expectCleanAudit();
  }
}

TEST(ScoreLists, ServeListsLongerThanAHundredEntries) {
  SettingsBench bench;
  std::vector<std::pair<std::string, int>> stored;
  for (int k = 1; k <= 120; ++k) stored.push_back({"P" + std::to_string(k), 200 - k});
  bench.home.writeSettings(section("Big", entries(stored)));

  EXPECT_EQ(bench.call("addScoreToList", {120, "Big", 90, "New"}).value, std::optional<Value>(109));

  const bench::CallResult values = bench.call("getScoreValues", {120, "Big"});
  ASSERT_TRUE(values.value.has_value());
  const Value::Elements& scores = values.value->elements();
  ASSERT_EQ(scores.size(), 120u);
  EXPECT_EQ(scores[108], Value(91));
  EXPECT_EQ(scores[109], Value(90));
  EXPECT_EQ(scores[110], Value(90));  // the old entry 110 moved down
  EXPECT_EQ(scores[119], Value(81));  // and the old last one, 80, was dropped
  bench.expectCleanAudit();
}

TEST(ScoreLists, ClearKeepsTheKeysUpToTheLength) {
  SettingsBench bench;
  bench.home.writeSettings(section("L", entries({{"A", 3}, {"B", 2}, {"C", 1}})));
  EXPECT_EQ(bench.call("clearScoreList", {2, "l"}).code, kOk);
  EXPECT_EQ(bench.home.settings(),
            section("L", entries({{"", 0}, {"", 0}}) + entries({{"C", 1}}, 3)));
  bench.expectCleanAudit();
}

TEST(ScoreLists, ListsReadEveryEntryUpToTheLength) {
  SettingsBench bench;
  const std::string longName(260, 'x');
  bench.home.writeSettings("[L]\r\nScoreName1=Ann\r\nScoreValue1=-5\r\nScoreName2=" + longName +
                           "\r\nScoreValue2=12abc\r\n");
  EXPECT_EQ(bench.call("getScoreValues", {3, "L"}).value, Value::list({-5, 12, 0}));
  EXPECT_EQ(bench.call("getScoreList", {3, "L"}).value,
            Value::list({"Ann", std::string(253, 'x'), ""}));
  EXPECT_EQ(bench.call("getScoreValues", {0, "L"}).value, Value::list());
  EXPECT_EQ(bench.call("getScoreList", {-1, "L"}).value, Value::list());
  EXPECT_EQ(bench.call("getScoreList", {2, "Nowhere"}).value, Value::list({"", ""}));
  bench.expectCleanAudit();
}

// A line break handed to the profile functions would become a new line of
// the file: this player's name would set the movie's image folder.
TEST(ScoreLists, LineBreaksInNamesAndSectionsCannotRewriteTheFile) {
  SettingsBench bench;
  const std::string name = "Ann\r\n[PATH]\r\nImages=evil";
  const std::string list = "L\n[PATH]";
  EXPECT_EQ(bench.call("addScoreToList", {1, list, 10, name}).value, std::optional<Value>(0));
  EXPECT_EQ(bench.home.settings(),
            section("L [PATH]", entries({{"Ann  [PATH]  Images=evil", 10}})));
  EXPECT_EQ(bench.call("getExternalPath", {0}).value, std::optional<Value>(""));
  EXPECT_EQ(bench.call("getScoreList", {1, list}).value,
            Value::list({"Ann  [PATH]  Images=evil"}));
  EXPECT_EQ(bench.call("addScoreToList", {1, list, 5, "Bob"}).value, std::nullopt);
  bench.expectCleanAudit();
}

TEST(ExternalPaths, ComeFromThePathSection) {
  struct Case {
    const char* what;
    std::optional<std::string> settings;
    int pathType;
    std::string expected;
  };
  const std::string configured = "[PATH]\r\nImages=C:\\Movie\\Images\\\r\nSounds=D:\\Sounds\\\r\n";
  const std::vector<Case> cases = {
      {"images", configured, 0, "C:\\Movie\\Images\\"},
      {"sounds", configured, 1, "D:\\Sounds\\"},
      {"another path type", configured, 2, ""},
      {"a negative path type", configured, -1, ""},
      {"no PATH section", std::string("[Other]\r\nImages=x\r\n"), 0, ""},
      {"no settings file", std::nullopt, 1, ""},
      {"a path longer than the read", "[PATH]\r\nImages=" + std::string(300, 'p') + "\r\n", 0,
       std::string(253, 'p')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBench bench;
    if (c.settings) bench.home.writeSettings(*c.settings);
    const bench::CallResult result = bench.call("getExternalPath", {c.pathType});
    EXPECT_EQ(result.code, kOk);
    EXPECT_EQ(result.value, std::optional<Value>(c.expected));
    EXPECT_EQ(bench.home.settings(), c.settings);  // read, never written
    bench.expectCleanAudit();
  }
}

TEST(ScoreLists, ScriptTextsAreCutToThirtyCharacters) {
  SettingsBench bench;
  const std::string longSection(40, 'S');
  const bench::CallResult result = bench.call("addScoreToList", {1, longSection, 5, kName40});
  EXPECT_EQ(result.code, kOk);
  EXPECT_EQ(bench.home.settings(),
            section(std::string(30, 'S'), entries({{std::string(30, 'n'), 5}})));
  bench.expectCleanAudit();
}

// The script must not be told "done" when the host could not make the value
// it asked for: the host's code comes back instead (the file work is done).
TEST(ScoreLists, AResultTheHostCannotMakeIsReportedWithItsCode) {
  struct Case {
    const char* method;
    const char* failing;
    int nth;
  };
  const Case cases[] = {
      {"addScoreToList", "ValueServices.integerToValue", 1},
      {"getScoreValues", "ListServices.newList", 1},
      {"getScoreValues", "ValueServices.integerToValue", 2},
      {"getScoreList", "ListServices.appendToList", 3},
      {"getScoreList", "ValueServices.stringToValue", 1},
  };
  const HostCode refused = toCode(0x8004B0DDu);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " with " + c.failing);
    SettingsBench bench;
    bench.bench.faults().failOn(c.failing, c.nth, refused);
    const std::vector<Value> args = std::string(c.method) == "addScoreToList"
                                        ? std::vector<Value>{3, "L", 10, "Ann"}
                                        : std::vector<Value>{3, "L"};
    EXPECT_EQ(bench.call(c.method, args).code, refused);
    bench.expectCleanAudit();
  }
}
