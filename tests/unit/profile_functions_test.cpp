// The private profile functions the module calls, run on one table of
// scenarios: in the native tier against our own implementation, in the
// Windows tiers against the platform's real functions. The expected results
// and file bytes are the real functions' (as Wine gives them), so both
// tiers passing means both give the same results and the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/temporary_folder.h"

namespace {

struct Step {
  enum Kind { kWrite, kRead, kReadInteger, kBytes } kind;
  std::string section, key, text;  // the value written, the default read, or the bytes
  std::uint32_t size = 0;          // buffer size of a read
  std::int32_t integer = 0;        // default of an integer read
  std::string expected;            // text read
  std::int32_t expectedInteger = 0;
};

Step write(std::string section, std::string key, std::string value) {
  return {Step::kWrite, std::move(section), std::move(key), std::move(value), 0, 0, "", 0};
}
Step read(std::string section, std::string key, std::string defaultValue, std::string expected,
          std::uint32_t size = 254) {
  return {Step::kRead, std::move(section), std::move(key), std::move(defaultValue), size, 0,
          std::move(expected), 0};
}
Step readInteger(std::string section, std::string key, std::int32_t expected,
                 std::int32_t defaultValue = 77) {
  return {Step::kReadInteger, std::move(section), std::move(key), "", 0, defaultValue, "",
          expected};
}
// The file's bytes at this point; "<none>" for no file.
Step bytes(std::string expected) { return {Step::kBytes, "", "", std::move(expected), 0, 0, "", 0}; }

struct Scenario {
  const char* name;
  std::optional<std::string> before;  // the file as the test writes it first
  std::vector<Step> steps;
};

const std::vector<Scenario> kScenarios = {
    {"create file, sections and keys",
     std::nullopt,
     {write("Level1", "ScoreName1", "Ann"), write("Level1", "ScoreValue1", "500"),
      write("PATH", "Images", "C:\\img\\"), write("Level1", "ScoreName2", ""),
      bytes("[Level1]\r\nScoreName1=Ann\r\nScoreValue1=500\r\nScoreName2=\r\n"
            "[PATH]\r\nImages=C:\\img\\\r\n"),
      read("Level1", "ScoreName1", "", "Ann"), readInteger("Level1", "ScoreValue1", 500),
      read("PATH", "Images", "", "C:\\img\\"), read("Level1", "ScoreName2", "d", "")}},

    {"overwrite keeps the stored names and every other line",
     "[Level1]\r\nScoreName1=Ann\r\nScoreValue1=500\r\n[Other]\r\nx=1\r\n",
     {write("LEVEL1", "SCORENAME1", "Bob"), write("level1", "scorevalue2", "7"),
      write("Other", "x", "2"),
      bytes("[Level1]\r\nScoreName1=Bob\r\nScoreValue1=500\r\nscorevalue2=7\r\n[Other]\r\nx=2\r\n"),
      read("LEVEL1", "scorename1", "", "Bob"), readInteger("level1", "SCOREVALUE2", 7)}},

    {"a write that changes nothing leaves the file as it was",
     "[ Lvl ]\n  Key1 =  val 1  \n\n;note\n",
     {write("Lvl", "key1", "val 1"), write(" LVL ", "Key1", "  val 1"),
      bytes("[ Lvl ]\n  Key1 =  val 1  \n\n;note\n"), read(" lvl\t", " KEY1 ", "", "val 1")}},

    {"spaces around names and values",
     "[ Lvl ]\r\n\tKey1\t=\t val 1 \t\r\n",
     {write("Lvl ", " Key2 ", "  lead and trail  "),
      bytes("[Lvl]\r\nKey1=val 1\r\nKey2 =lead and trail  \r\n"), write(" New ", " k ", "v"),
      bytes("[Lvl]\r\nKey1=val 1\r\nKey2=lead and trail\r\n[New ]\r\nk =v\r\n"),
      write("Lvl", "Key1", "one"),
      bytes("[Lvl]\r\nKey1=one\r\nKey2=lead and trail\r\n[New]\r\nk=v\r\n"),
      read("lvl", "key2", "", "lead and trail"), read("Lvl", "Missing", "dflt  ", "dflt"),
      read("Lvl", "Missing", " lead\t", " lead\t"), read("Lvl", "Missing", "   ", " ")}},

    {"quotes around values and defaults",
     "[Q]\r\nk=\"quoted\"\r\nq2='x'\r\nq3=\"half\r\nq4=\"\r\nq5=\"\"\r\nq6='mixed\"\r\n",
     {read("q", "k", "", "quoted"), read("Q", "q2", "", "x"), read("Q", "q3", "", "\"half"),
      read("Q", "q4", "", "\""), read("Q", "q5", "d", ""), read("Q", "q6", "", "'mixed\""),
      read("Q", "k", "", "quote", 6), read("Q", "k", "", "quote", 7),
      read("Q", "k", "", "quoted", 8), read("Q", "none", "\"dq\"", "dq"),
      read("None", "none", "'dq'", "dq")}},

    {"missing file, section and key give the default",
     std::nullopt,
     {read("S", "k", "dflt", "dflt"), readInteger("S", "k", 77), bytes("<none>"),
      write("S", "k", "v"), read("T", "k", "d", "d"), read("S", "j", "d", "d"),
      readInteger("T", "k", -3, -3)}},

    {"keys without a value and empty values",
     "[A]\r\nnovalue\r\nempty=\r\n",
     {read("A", "novalue", "d", "d"), readInteger("A", "novalue", 5, 5), read("A", "empty", "d", ""),
      readInteger("A", "empty", 5, 5), write("A", "novalue", "x"), write("A", "empty", ""),
      bytes("[A]\r\nnovalue=x\r\nempty=\r\n")}},

    {"numbers as the integer read parses them",
     "[N]\r\na=-5\r\nb=12abc\r\nc= 42\r\nd=abc\r\ne=+7\r\nf=\"15\"\r\ng=\" -42\"\r\nh=-\r\n"
     "i=--3\r\nj=- 3\r\nk=99999999999\r\nl=4294967295\r\nm=-2147483648\r\n"
     "n=1234567890123456789012345678901234\r\no=0x10\r\np=0X10\r\nq=0b101\r\nr=0o17\r\n"
     "s=7 8\r\nt=\t-9\r\n",
     {readInteger("N", "a", -5), readInteger("N", "b", 12), readInteger("N", "c", 42),
      readInteger("N", "d", 0), readInteger("N", "e", 7), readInteger("N", "f", 15),
      readInteger("N", "g", -42), readInteger("N", "h", 0), readInteger("N", "i", 0),
      readInteger("N", "j", 0), readInteger("N", "k", 1215752191), readInteger("N", "l", -1),
      readInteger("N", "m", -2147483647 - 1), readInteger("N", "n", 1849262357),
      readInteger("N", "o", 16), readInteger("N", "p", 0), readInteger("N", "q", 5),
      readInteger("N", "r", 15), readInteger("N", "s", 7), readInteger("N", "t", -9),
      readInteger("N", "missing", 77)}},

    {"comments and foreign lines are kept, in the normal form",
     "; top comment\r\n  loose line  \r\n\r\n[S1]\r\n  Key1 =  val1  \r\n;c=1\r\nnovalue\r\n"
     "\r\n[S3]\nunix=1\n",
     {read("S1", ";c", "d", "1"), read("", "loose line", "d", "d"),
      read("s1", "KEY1", "d", "val1"), write("S1", "Key1", "new"),
      bytes("; top comment\r\nloose line\r\n[S1]\r\nKey1=new\r\n;c=1\r\nnovalue\r\n"
            "[S3]\r\nunix=1\r\n"),
      write("S1", "added", "a"),
      bytes("; top comment\r\nloose line\r\n[S1]\r\nKey1=new\r\n;c=1\r\nnovalue\r\nadded=a\r\n"
            "[S3]\r\nunix=1\r\n")}},

    {"sections sharing a file",
     "top=1\r\n[A]\r\nk=1\r\nk=2\r\n[B]\r\nk=b\r\n[a]\r\nk=3\r\nz=9\r\n",
     {read("", "top", "d", "1"), read("A", "k", "d", "1"), read("B", "K", "d", "b"),
      read("A", "z", "d", "d"), write("A", "z", "10"), write("B", "k", "bb"),
      write("C", "new", "c"), write("", "top2", "2"),
      bytes("top=1\r\ntop2=2\r\n[A]\r\nk=1\r\nk=2\r\nz=10\r\n[B]\r\nk=bb\r\n[a]\r\nk=3\r\nz=9\r\n"
            "[C]\r\nnew=c\r\n")}},

    {"line ends, a missing last line end and a byte-order mark",
     "\xEF\xBB\xBF[PATH]\rImages=C:\\img\r[B]\nj=2",
     {read("PATH", "Images", "d", "C:\\img"), read("B", "j", "d", "2"),
      write("PATH", "Sounds", "s"),
      bytes("\xEF\xBB\xBF[PATH]\r\nImages=C:\\img\r\nSounds=s\r\n[B]\r\nj=2\r\n")}},

    {"section lines that are not what they seem",
     "[A]x\r\nk=1\r\n[B\r\nj=2\r\n[C]]\r\nm=3\r\n[D] ; note\r\nn=4\r\n=v1\r\n  = v2\r\nx\x1a=1\x1a\r\n",
     {read("A", "j", "d", "2"), read("A", "[B", "d", "d"), read("C]", "m", "d", "3"),
      read("C", "m", "d", "d"), read("D", "", "d", "v1"), read("D", "x", "d", "1"),
      write("A", "k", "9"),
      bytes("[A]\r\nk=9\r\n[B\r\nj=2\r\n[C]]\r\nm=3\r\n[D]\r\nn=4\r\n=v1\r\nx=1\r\n")}},

    {"reads cut to the buffer",
     "[S]\r\nlong=abcdef\r\n",
     {read("S", "long", "", "", 1), read("S", "long", "", "ab", 3), read("S", "long", "", "abcdef", 7),
      read("S", "none", "defaultvalue", "def", 4)}},

    {"line breaks handed to a write become lines of the file",
     std::nullopt,
     {write("S", "n", "Ann\r\n[PATH]\r\nImages=x"), read("PATH", "Images", "d", "x"),
      bytes("[S]\r\nn=Ann\r\n[PATH]\r\nImages=x\r\n")}},
};

void run(const Scenario& scenario, const TemporaryFolder& folder, const std::string& name) {
  const std::string file = folder.windows(name);
  if (scenario.before) folder.write(name, *scenario.before);
  int number = 0;
  for (const Step& step : scenario.steps) {
    SCOPED_TRACE("step " + std::to_string(++number) + " [" + step.section + "] " + step.key);
    switch (step.kind) {
      case Step::kWrite:
        EXPECT_TRUE(platform::writePrivateProfileString(step.section.c_str(), step.key.c_str(),
                                                        step.text.c_str(), file.c_str()));
        break;
      case Step::kRead: {
        std::string buffer(300, '#');
        const std::uint32_t length = platform::getPrivateProfileString(
            step.section.c_str(), step.key.c_str(), step.text.c_str(), &buffer[0], step.size,
            file.c_str());
        EXPECT_EQ(std::string(buffer.c_str()), step.expected);
        EXPECT_EQ(length, step.expected.size());
        EXPECT_EQ(buffer[step.size], '#') << "written past the buffer";
        break;
      }
      case Step::kReadInteger:
        EXPECT_EQ(platform::getPrivateProfileInt(step.section.c_str(), step.key.c_str(),
                                                 step.integer, file.c_str()),
                  step.expectedInteger);
        break;
      case Step::kBytes:
        EXPECT_EQ(folder.read(name).value_or("<none>"), step.text);
        break;
    }
  }
}

}  // namespace

TEST(ProfileFunctions, BehaveAsThePlatformsDo) {
  TemporaryFolder folder;
  int number = 0;
  for (const Scenario& scenario : kScenarios) {
    SCOPED_TRACE(scenario.name);
    run(scenario, folder, "scenario" + std::to_string(++number) + ".ini");
  }
}

#if !defined(_WIN32)
// Our own writes replace the file whole through a temporary file beside it:
// nothing else is left in the folder, and a write that cannot read the old
// file or create the new one changes nothing.
TEST(ProfileFunctions, WritesReplaceTheFileWhole) {
  TemporaryFolder folder;
  for (int k = 0; k < 20; ++k)
    ASSERT_TRUE(platform::writePrivateProfileString("S", ("k" + std::to_string(k)).c_str(), "v",
                                                    folder.windows("file.ini").c_str()));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.native()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"file.ini"});

  std::filesystem::create_directory(folder.native("folder.ini"));
  EXPECT_FALSE(platform::writePrivateProfileString("S", "k", "v",
                                                   folder.windows("folder.ini").c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(folder.native("folder.ini")));
  EXPECT_FALSE(platform::writePrivateProfileString("S", "k", "v",
                                                   folder.windows("missing\\file.ini").c_str()));
  EXPECT_FALSE(std::filesystem::exists(folder.native("missing")));
}

// A read-only settings file keeps what it holds: Windows refuses the write
// by the file's read-only attribute; ours by the owner's write permission,
// even for root. (Wine run as root writes such a file anyway, so this case
// has no Windows tier here.)
TEST(ProfileFunctions, AReadOnlyFileIsNotWritten) {
  namespace fs = std::filesystem;
  const auto makeReadOnly = [](const std::string& path, bool readOnly) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
  };
  TemporaryFolder folder;
  const std::string file = folder.windows("locked.ini");
  ASSERT_TRUE(platform::writePrivateProfileString("Level1", "ScoreName1", "Ann", file.c_str()));
  makeReadOnly(folder.native("locked.ini"), true);
  EXPECT_FALSE(platform::writePrivateProfileString("Level1", "ScoreName1", "Bob", file.c_str()));
  char buffer[32] = {};
  platform::getPrivateProfileString("Level1", "ScoreName1", "", buffer, sizeof buffer,
                                    file.c_str());
  EXPECT_STREQ(buffer, "Ann");
  makeReadOnly(folder.native("locked.ini"), false);
}
#endif
