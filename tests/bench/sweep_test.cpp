// The sweep fails each host operation of a scenario in turn, on a fresh
// host each time, and audits every run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "sweep.h"

using bench::Bench;
using bench::Finding;

namespace {

bench::Scenario callOnce(const char* method, std::vector<bench::Value> args = {}) {
  return [=](Bench& bench) {
    bench.registerModule();
    bench.newScriptObject().call(method, args);
  };
}

}  // namespace

TEST(BenchSweep, VisitsEveryOperationOfAScenarioThatCanFail) {
  const bench::SweepReport report = bench::sweep(faultyModule(), callOnce("fetchMovie"));
  const std::vector<std::string> expected = {
      "HostAllocator.allocate",             // the class records
      "RegistrationCache.addRegistryEntry",  // Register
      "RegistryEntry.put",
      "HostCallback.queryInterface",  // the script object's services
      "HostCallback.queryInterface",
      "PlayerServices.getActiveMovie",  // the call
      "Movie.getScoreAccess",
  };
  EXPECT_EQ(report.operations, expected);
  EXPECT_EQ(report.runs, static_cast<int>(expected.size()) + 1);
  EXPECT_TRUE(report.clean()) << report.text();
}

TEST(BenchSweep, ReportsTheRunsWhoseFailingOperationTheModuleMishandles) {
  const bench::SweepReport report = bench::sweep(faultyModule(), callOnce("useCastUnchecked", {1}));
  ASSERT_EQ(report.failures.size(), 1u) << report.text();
  EXPECT_EQ(report.failures[0].operation, "Movie.getCastByIndex #1");
  ASSERT_FALSE(report.failures[0].findings.empty());
  EXPECT_EQ(report.failures[0].findings[0].kind, Finding::Kind::TrapUsed);
}

TEST(BenchSweep, ReportsAScenarioThatLeaksInEveryRun) {
  const bench::SweepReport report = bench::sweep(faultyModule(), callOnce("leakMovie"));
  // Every run that reaches the call leaks the movie, the counting run too;
  // the runs that fail before it do not.
  ASSERT_FALSE(report.failures.empty());
  EXPECT_EQ(report.failures[0].failingCall, 0);
  for (const bench::SweepRun& run : report.failures)
    EXPECT_EQ(run.findings[0].kind, Finding::Kind::Leak) << report.text();
  EXPECT_LT(report.failures.size(), static_cast<std::size_t>(report.runs));
}
