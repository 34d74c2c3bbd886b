// The bench host drives the module through its exports as a host does:
// registration, a script object, calls, and the end of everything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "sweep.h"

using bench::Bench;
using bench::Value;

TEST(BenchLifecycle, RegistersCreatesCallsAndLetsGoWithACleanAudit) {
  Bench bench(moduleUnderTest());
  ASSERT_TRUE(bench.loaded()) << bench.loadError();
  ASSERT_EQ(bench.registerModule(), kOk);

  const bench::MessageTable& table = bench.messageTable();
  EXPECT_EQ(table.xtraName(), "MorvathXtras");
  ASSERT_EQ(table.methods().size(), 43u);
  const bench::MethodDeclaration* callAFunction = table.find("CALLAFUNCTION");
  ASSERT_NE(callAFunction, nullptr);
  EXPECT_EQ(callAFunction->index, 1u);
  EXPECT_FALSE(callAFunction->global);
  EXPECT_TRUE(callAFunction->variadic);
  const bench::MethodDeclaration* addScore = table.find("addScoreToList");
  ASSERT_NE(addScore, nullptr);
  EXPECT_EQ(addScore->index, 11u);
  EXPECT_TRUE(addScore->global);
  EXPECT_EQ(addScore->arguments.size(), 4u);

  bench::ScriptObject xtra = bench.newScriptObject();
  ASSERT_TRUE(xtra.valid()) << xtra.createCode();
  bench::CallResult created = xtra.call("new");
  EXPECT_EQ(created.code, kOk);
  EXPECT_FALSE(created.value.has_value());
  // A global method with a list for a result: the list passes to the host.
  bench::CallResult values = xtra.call("getScoreValues", {0, "Level1"});
  EXPECT_EQ(values.code, kOk);
  EXPECT_EQ(values.value, Value::list());

  EXPECT_TRUE(isClean(bench.finish()));
  EXPECT_FALSE(xtra.valid());
}

TEST(BenchLifecycle, TheTraceStatesTheOrderOfACall) {
  Bench bench(moduleUnderTest());
  bench.registerModule();
  bench::ScriptObject xtra = bench.newScriptObject();
  const std::size_t before = bench.trace().size();
  xtra.call("new");
  std::vector<std::string> call;
  for (std::size_t i = before; i < bench.trace().size(); ++i) call.push_back(bench.trace()[i].line());
  // The movie goes back before its score access.
  EXPECT_EQ(call, (std::vector<std::string>{"module.Call(new)", "PlayerServices.getActiveMovie()",
                                            "Movie.getScoreAccess()", "Movie.release()",
                                            "ScoreAccess.release()"}));
  EXPECT_TRUE(isClean(bench.finish()));
}

TEST(BenchLifecycle, AHostOfAnotherNameIsRefusedAndNothingIsRegistered) {
  Bench bench(moduleUnderTest());
  bench.app().infoStrings[5] = "director";
  EXPECT_EQ(bench.registerModule(), kRequestNotServed);
  EXPECT_TRUE(bench.messageTable().empty());
  EXPECT_TRUE(isClean(bench.finish()));
}

TEST(BenchLifecycle, WithoutAnActiveMovieACallIsNotServed) {
  Bench bench(moduleUnderTest());
  bench.registerModule();
  bench::ScriptObject xtra = bench.newScriptObject();
  bench.removeActiveMovie();
  EXPECT_EQ(xtra.call("new").code, kRequestNotServed);
  EXPECT_TRUE(bench.traceLines("Movie.").empty());
  EXPECT_TRUE(isClean(bench.finish()));
}

TEST(BenchLifecycle, TheModuleSurvivesEachHostFailureOfItsLifecycle) {
  const bench::SweepReport report = bench::sweep(moduleUnderTest(), [](Bench& bench) {
    bench.registerModule();
    bench::ScriptObject xtra = bench.newScriptObject();
    xtra.call("new");
    xtra.destroy();
  });
  EXPECT_GT(report.runs, 10);
  EXPECT_TRUE(report.clean()) << report.text();
}
