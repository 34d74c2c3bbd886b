// The audit, faults and traps of the bench host, shown on a module that
// misbehaves on request: each misdeed is found, once, and named by the
// operation that produced what was misused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"

using bench::AuditReport;
using bench::Bench;
using bench::Finding;
using bench::Value;

namespace {

// A registered faulty module with one script object.
struct FaultyScenario {
  FaultyScenario() {
    EXPECT_EQ(bench.registerModule(), kOk);
    xtra = bench.newScriptObject();
    EXPECT_TRUE(xtra.valid());
  }
  Bench bench{faultyModule()};
  bench::ScriptObject xtra;
};

constexpr HostCode kPlanned = toCode(0x80001234u);

}  // namespace

TEST(BenchAudit, AWellBehavedCallLeavesNothingToFind) {
  FaultyScenario s;
  EXPECT_EQ(s.xtra.call("fetchMovie").code, kOk);
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(BenchAudit, FindsEachMisdeedOnceAndNamesWhereItCameFrom) {
  struct Case {
    const char* method;
    std::vector<Value> args;
    Finding::Kind kind;
    const char* finding;
  };
  const Case cases[] = {
      {"leakMovie", {}, Finding::Kind::Leak,
       "the Movie made by PlayerServices.getActiveMovie #1 still holds 1 reference"},
      {"releaseMovieTwice", {}, Finding::Kind::ExtraRelease,
       "Movie.release #2 released the Movie made by PlayerServices.getActiveMovie #1 again after "
       "Movie.release #1 gave back its last reference"},
      {"useMovieAfterRelease", {}, Finding::Kind::CallAfterRelease,
       "Movie.getScoreAccess #1 was called on the Movie made by PlayerServices.getActiveMovie #1 "
       "after Movie.release #1 gave back its last reference"},
      {"leakValue", {7}, Finding::Kind::Leak,
       "the value 7 made by ValueServices.integerToValue #1 was never released"},
      {"releaseValueTwice", {7}, Finding::Kind::ExtraRelease,
       "ValueServices.releaseValue #2 released the value 7 made by ValueServices.integerToValue #1 "
       "again; ValueServices.releaseValue #1 had released it"},
      {"releaseArgument", {"mine"}, Finding::Kind::ExtraRelease,
       "ValueServices.releaseValue #1 released the value \"mine\" made by argument 0 of call 1 "
       "(releaseArgument), which the host owns"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    FaultyScenario s;
    s.xtra.call(c.method, c.args);
    const AuditReport audit = s.bench.finish();
    ASSERT_EQ(audit.findings.size(), 1u) << audit.text();
    EXPECT_EQ(audit.findings[0].kind, c.kind);
    EXPECT_EQ(audit.findings[0].text, c.finding);
  }
}

TEST(BenchAudit, AnInstanceTheModuleStillReferencesIsNeitherDestroyedNorFreed) {
  FaultyScenario s;
  s.xtra.call("holdInstance");
  const AuditReport audit = s.bench.finish();
  ASSERT_EQ(audit.findings.size(), 3u) << audit.text();
  EXPECT_EQ(audit.findings[0].text,
            "the module still holds 1 reference on instance 2 of the script class when the host "
            "lets it go; the host does not free it");
  // Its destroy routine never ran, so the services it holds were never given back.
  EXPECT_TRUE(audit.has(Finding::Kind::Leak, "the PlayerServices made by HostCallback.queryInterface #1"));
  EXPECT_TRUE(audit.has(Finding::Kind::Leak, "the ValueServices made by HostCallback.queryInterface #2"));
  EXPECT_EQ(s.bench.traceLines("module.destroy").size(), 1u);  // the registration instance only
}

TEST(BenchFaults, FailTheNthCallOfAnOperationExactlyThere) {
  FaultyScenario s;
  s.bench.faults().failOn("PlayerServices.getActiveMovie", 2, kPlanned);
  EXPECT_EQ(s.xtra.call("fetchMovie").code, kOk);
  EXPECT_EQ(s.xtra.call("fetchMovie").code, kPlanned);
  EXPECT_EQ(s.xtra.call("fetchMovie").code, kOk);

  std::vector<bool> faulted;
  for (const bench::TraceEntry& entry : s.bench.trace())
    if (entry.operation == "PlayerServices.getActiveMovie") faulted.push_back(entry.faulted);
  EXPECT_EQ(faulted, (std::vector<bool>{false, true, false}));
  // The module looked at the code and left the trap alone.
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(BenchFaults, FailEveryCallOfAnOperation) {
  FaultyScenario s;
  s.bench.faults().failAlways("Movie.getScoreAccess", kPlanned);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.xtra.call("fetchMovie").code, kPlanned);
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(BenchTraps, AnObjectLeftByAFailingLookUpIsReportedOnEveryUse) {
  // Once by a lookup the host refuses of itself, once by a planned fault.
  for (bool planned : {false, true}) {
    SCOPED_TRACE(planned ? "planned fault" : "no such cast");
    FaultyScenario s;
    if (planned) s.bench.faults().failOn("Movie.getCastByIndex", 1, kPlanned);
    s.xtra.call("useCastUnchecked", {planned ? 1 : 99});
    const AuditReport audit = s.bench.finish();
    EXPECT_EQ(audit.findings.size(), 2u) << audit.text();
    EXPECT_TRUE(audit.has(Finding::Kind::TrapUsed,
                          "Cast.getProp #1 was called on the trap Cast that failing "
                          "Movie.getCastByIndex #1 left"));
    EXPECT_TRUE(audit.has(Finding::Kind::TrapUsed,
                          "Cast.release #1 released the trap Cast that failing "
                          "Movie.getCastByIndex #1 left"));
  }
  // A module that looks at the code touches no trap.
  FaultyScenario s;
  EXPECT_EQ(s.xtra.call("lookUpCast", {99}).code, bench::kNotFound);
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(BenchTraps, ANumberLeftByAFailingConversionIsReportedWhereItIsUsed) {
  FaultyScenario s;
  s.xtra.call("echoIntegerUnchecked", {"not a number"});
  const AuditReport audit = s.bench.finish();
  ASSERT_EQ(audit.findings.size(), 1u) << audit.text();
  EXPECT_EQ(audit.findings[0].kind, Finding::Kind::TrapUsed);
  EXPECT_EQ(audit.findings[0].text,
            "ValueServices.integerToValue #1 was passed the number that failing "
            "ValueServices.valueToInteger #1 left in its out-parameter");
}

TEST(BenchServices, AWithheldServiceIsRefusedAndAModuleCanDoWithout) {
  FaultyScenario s;
  s.bench.withhold(ids::kPlayerServices);
  bench::ScriptObject second = s.bench.newScriptObject();
  EXPECT_EQ(second.call("fetchMovie").code, kRequestNotServed);
  EXPECT_EQ(s.xtra.call("fetchMovie").code, kOk);  // made before the service was withheld
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(BenchHandlers, AHandlerMayCallTheModuleAgain) {
  FaultyScenario s;
  int depth = 0;
  s.bench.defineHandler("twice", [&](bench::HandlerCall& call) -> Value {
    ++depth;
    if (depth < 3) {
      bench::CallResult inner = s.xtra.call("callHandler", {Value::symbol("TWICE"), call.args[0]});
      return inner.value ? Value(inner.value->asInteger() * 2) : Value();
    }
    return call.args[0];
  });
  bench::CallResult result = s.xtra.call("callHandler", {Value::symbol("twice"), 5});
  EXPECT_EQ(result.code, kOk);
  EXPECT_EQ(result.value, Value(20));
  EXPECT_EQ(depth, 3);
  EXPECT_EQ(s.xtra.call("callHandler", {Value::symbol("missing")}).code, bench::kNoHandler);
  EXPECT_TRUE(isClean(s.bench.finish()));
}
