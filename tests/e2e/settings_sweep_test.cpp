// Each settings method run with every host operation it calls failing in
// turn: whatever fails, every value and reference it was handed goes back
// once, and nothing a failed operation left behind is used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/module_path.h"
#include "support/settings_home.h"
#include "sweep.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

using bench::Value;

struct MethodCase {
  const char* method;
  std::vector<Value> args;
};

}  // namespace

TEST(SettingsMethods, SurviveEachHostFailure) {
  SettingsHome home;
  TemporaryFolder companion;
  const std::string settings = "[L]\r\nScoreName1=A\r\nScoreValue1=100\r\n"
                               "[PATH]\r\nImages=C:\\img\\\r\n"
                               "[PDA]\r\nPDAPath=" + companion.windows() + "\r\n";
  std::vector<MethodCase> cases = {
      {"addScoreToList", {3, "L", 50, "Ann"}},
      {"clearScoreList", {2, "L"}},
      {"getScoreValues", {3, "L"}},
      {"getScoreList", {3, "L"}},
      {"getExternalPath", {0}},
      {"launchLocal", {"", "x"}},
  };
#if !defined(_WIN32)
  // On the simulated desktop the waits cost no real time.
  ASSERT_EQ(symlink("/bin/true", home.native("Viewer").c_str()), 0);
  ASSERT_EQ(symlink("/bin/true", companion.native("PDA.EXE").c_str()), 0);
  cases.push_back({"launchLocal", {"Viewer", "x"}});
  cases.push_back({"launchPDA", {"Intro"}});
#endif
  for (const MethodCase& c : cases) {
    SCOPED_TRACE(c.method);
    const bench::SweepReport report = bench::sweep(moduleUnderTest(), [&](bench::Bench& bench) {
      home.writeSettings(settings);  // every run starts from the same file
      bench.registerModule();
      bench::ScriptObject xtra = bench.newScriptObject();
      const bench::CallResult result = xtra.call(c.method, c.args);
      if (!bench.faultsPlanned()) {
        EXPECT_EQ(result.code, kOk);
      }
    });
    EXPECT_TRUE(report.clean()) << report.text();
    EXPECT_GT(report.runs, 1);
  }
}
