// The call entry: every script call fetches the active movie and its score
// access, runs the method its index names, and gives both back, the movie
// first, whatever the method did and however deeply calls nest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "support/id_text.h"
#include "sweep.h"

using bench::Bench;
using bench::Value;
using Lines = std::vector<std::string>;

namespace {

const Lines kPerCallWork = {"PlayerServices.getActiveMovie()", "Movie.getScoreAccess()",
                            "Movie.release()", "ScoreAccess.release()"};

// The host's operations on the movie and the player during the calls made
// since `from` in the trace.
Lines perCallWorkSince(const Bench& bench, std::size_t from) {
  Lines lines;
  for (std::size_t i = from; i < bench.trace().size(); ++i) {
    const std::string line = bench.trace()[i].line();
    if (line.rfind("PlayerServices.getActiveMovie", 0) == 0 || line.rfind("Movie.", 0) == 0 ||
        line.rfind("ScoreAccess.", 0) == 0)
      lines.push_back(line);
  }
  return lines;
}

struct Scripted {
  Bench bench{moduleUnderTest()};
  bench::ScriptObject xtra;
  Scripted() {
    EXPECT_EQ(bench.registerModule(), kOk);
    xtra = bench.newScriptObject();
    EXPECT_TRUE(xtra.valid());
  }
};

}  // namespace

TEST(CallDispatch, IndicesWithoutAMethodSucceedAndDoNothing) {
  for (std::uint32_t index : {0u, 3u, 43u, 1000u, 0x80000000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(index);
    Scripted s;
    const std::size_t before = s.bench.trace().size();
    const bench::CallResult result = s.xtra.callIndex(index, {s.xtra.value(), 1, "two"});
    EXPECT_EQ(result.code, kOk);
    EXPECT_FALSE(result.value.has_value());
    EXPECT_EQ(perCallWorkSince(s.bench, before), kPerCallWork);
    EXPECT_TRUE(isClean(s.bench.finish()));
  }
}

TEST(CallDispatch, WithoutAnActiveMovieNoIndexIsServed) {
  for (std::uint32_t index : {0u, 1u, 3u, 13u, 43u}) {
    SCOPED_TRACE(index);
    Scripted s;
    s.bench.removeActiveMovie();
    EXPECT_EQ(s.xtra.callIndex(index, {s.xtra.value()}).code, kRequestNotServed);
    EXPECT_TRUE(s.bench.traceLines("Movie.").empty());
    EXPECT_TRUE(isClean(s.bench.finish()));
  }
}

TEST(CallDispatch, WithoutScoreAccessTheMovieGoesBackAndNoMethodRuns) {
  Scripted s;
  s.bench.defineHandler("noted", [](bench::HandlerCall&) { return Value(1); });
  s.bench.faults().failAlways("Movie.getScoreAccess");
  const bench::CallResult result = s.xtra.call("callAFunction", {Value::symbol("noted")});
  EXPECT_EQ(result.code, kRequestNotServed);
  EXPECT_FALSE(result.value.has_value());
  EXPECT_TRUE(s.bench.traceLines("PlayerServices.callHandler").empty());
  EXPECT_EQ(s.bench.traceLines("Movie.release").size(), 1u);
  EXPECT_TRUE(s.bench.traceLines("ScoreAccess.").empty());
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(CallDispatch, AMethodsCodeReachesTheHostAndTheCallStillGivesBack) {
  const HostCode handlerFailure = toCode(0x8004B0CCu);
  Scripted s;
  s.bench.defineHandler("refuse", [&](bench::HandlerCall& c) {
    c.code = handlerFailure;
    return Value();
  });
  const std::size_t before = s.bench.trace().size();
  EXPECT_EQ(s.xtra.call("callAFunction", {Value::symbol("refuse")}).code, handlerFailure);
  const Lines work = perCallWorkSince(s.bench, before);
  ASSERT_EQ(work.size(), 4u);
  EXPECT_EQ(work[2], "Movie.release()");
  EXPECT_EQ(work[3], "ScoreAccess.release()");
  EXPECT_TRUE(isClean(s.bench.finish()));
}

// A handler run by a method calls the same script object again, twice deep:
// each call releases only what it fetched, and the outer calls find their own
// movie and score access when the inner ones return.
TEST(CallDispatch, NestedCallsOnTheSameObjectEachGiveBackTheirOwn) {
  Scripted s;
  bench::ScriptObject& xtra = s.xtra;
  s.bench.defineHandler("inner", [&](bench::HandlerCall& c) {
    return Value(c.args.at(0).asInteger() + 1);
  });
  s.bench.defineHandler("middle", [&](bench::HandlerCall& c) {
    bench::CallResult inner = xtra.call("callAFunction", {Value::symbol("inner"), c.args.at(0)});
    EXPECT_EQ(inner.code, kOk);
    return Value(inner.value.value_or(Value(-100)).asInteger() * 10);
  });
  const bench::CallResult outer = xtra.call("callAFunction", {Value::symbol("middle"), 4});
  EXPECT_EQ(outer.code, kOk);
  EXPECT_EQ(outer.value, Value(50));
  EXPECT_EQ(s.bench.traceLines("PlayerServices.getActiveMovie").size(), 2u);
  EXPECT_EQ(s.bench.traceLines("Movie.release").size(), 2u);
  EXPECT_EQ(s.bench.traceLines("ScoreAccess.release").size(), 2u);
  // The outer call goes on working after the inner one returned.
  EXPECT_EQ(xtra.call("callACommand", {Value::symbol("inner"), 1}).code, kOk);
  EXPECT_TRUE(isClean(s.bench.finish()));
}

TEST(CallDispatch, HandlerCallsHandOnTheFurtherArgumentsUnconverted) {
  Scripted s;
  std::vector<Value> seen;
  bool wantedResult = true;
  s.bench.defineHandler("collect", [&](bench::HandlerCall& c) {
    seen = c.args;
    wantedResult = c.wantsResult;
    return Value("done");
  });
  const bench::CallResult function = s.xtra.call(
      "callAFunction", {Value::symbol("collect"), 7, "text", Value::list({1, 2})});
  EXPECT_EQ(function.code, kOk);
  EXPECT_EQ(function.value, Value("done"));
  EXPECT_EQ(seen, (std::vector<Value>{7, "text", Value::list({1, 2})}));
  EXPECT_TRUE(wantedResult);

  const bench::CallResult command = s.xtra.call("callACommand", {Value::symbol("collect")});
  EXPECT_EQ(command.code, kOk);
  EXPECT_FALSE(command.value.has_value());
  EXPECT_TRUE(seen.empty());
  EXPECT_FALSE(wantedResult);
  EXPECT_TRUE(isClean(s.bench.finish()));
}

// Scripts may pass fewer values than a method declares. Nothing is read past
// the values passed (the sanitizers watch the native build); a method that
// must hand the missing value on to the host is not served.
TEST(CallDispatch, MissingArgumentsAreNeverRead) {
  struct Case {
    std::uint32_t index;  // 1 callAFunction, 2 callACommand (object methods); 11 to 17 global
    int valuesPassed;     // counting the script object for object methods
    HostCode expected;
  };
  const Case cases[] = {
      {1, 0, kRequestNotServed}, {1, 1, kRequestNotServed}, {2, 1, kRequestNotServed},
      {11, 0, kOk},              {11, 2, kOk},              {11, 3, kOk},
      {12, 1, kOk},              {13, 0, kOk},              {14, 1, kOk},
      {15, 1, kOk},              {17, 0, kOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("index " + std::to_string(c.index) + " with " + std::to_string(c.valuesPassed));
    Scripted s;
    // Values passed are the script object (object methods) and then zeros:
    // empty lists and, as texts, nothing to start or write.
    std::vector<Value> args;
    for (int i = 0; i < c.valuesPassed; ++i)
      args.push_back(i == 0 && c.index <= 2 ? s.xtra.value() : Value(0));
    EXPECT_EQ(s.xtra.callIndex(c.index, args).code, c.expected);
    if (c.index <= 2) {
      EXPECT_TRUE(s.bench.traceLines("PlayerServices.callHandler").empty());
      EXPECT_TRUE(s.bench.traceLines("ValueServices.").empty());
    }
    EXPECT_TRUE(isClean(s.bench.finish()));
  }
}

TEST(CallDispatch, SurvivesEachHostFailure) {
  const bench::SweepReport report = bench::sweep(moduleUnderTest(), [](Bench& bench) {
    bench.defineHandler("twice", [&](bench::HandlerCall& c) {
      return Value(c.args.empty() ? 0 : c.args[0].asInteger() * 2);
    });
    bench.registerModule();
    bench::ScriptObject xtra = bench.newScriptObject();
    bench.defineHandler("again", [&](bench::HandlerCall&) {
      return xtra.call("callAFunction", {Value::symbol("twice"), 3}).value.value_or(Value());
    });
    xtra.callIndex(0, {xtra.value()});
    xtra.callIndex(43, {xtra.value()});
    const bench::CallResult nested = xtra.call("callAFunction", {Value::symbol("again")});
    xtra.call("callACommand", {Value::symbol("twice"), 5});
    if (!bench.faultsPlanned()) {
      EXPECT_EQ(nested.value, Value(6));
    }
  });
  EXPECT_GT(report.runs, 20);
  EXPECT_TRUE(report.clean()) << report.text();
}

TEST(ScriptInstance, IsCreatedWhateverServicesTheHostWithholds) {
  const char* const services[] = {
      "{AB9D9921-7F02-2F99-487F-080007160DC3}", "{ACC7E2B8-000A-B4D0-0000-080007160DC3}",
      "{A7EBAA8A-78EC-11D0-9037-00059A20195A}", "{151A5780-32BD-11D0-8151-00AA005F3C08}",
      "{3F698780-32BE-11D0-8151-00AA005F3C08}", "{AC96CF98-0045-5C0B-0000-0040105023FB}",
      "{D9088161-32BF-11D0-8151-00AA005F3C08}", "{AC401B78-0000-FA7D-0000-0800072C6326}",
      "{AC96CFC0-0045-6597-0000-0040105023FB}",
  };
  Bench bench(moduleUnderTest());
  ASSERT_EQ(bench.registerModule(), kOk);
  for (const char* service : services) bench.withhold(idFromText(service));
  bench::ScriptObject xtra = bench.newScriptObject();
  ASSERT_TRUE(xtra.valid()) << xtra.createCode();
  // The services were asked for in this order, each once.
  const Lines requests = bench.traceLines("HostCallback.queryInterface");
  EXPECT_EQ(requests, (Lines{"HostCallback.queryInterface(AppInfoServices)",  // by Register
                             "HostCallback.queryInterface(HandleServices)",
                             "HostCallback.queryInterface(AppInfoServices)",
                             "HostCallback.queryInterface(ReservedServicesA)",
                             "HostCallback.queryInterface(ValueServices)",
                             "HostCallback.queryInterface(ReservedServicesB)",
                             "HostCallback.queryInterface(ListServices)",
                             "HostCallback.queryInterface(WindowsAppServices)",
                             "HostCallback.queryInterface(PlayerServices)",
                             "HostCallback.queryInterface(MediaServices)"}));
  // With no player there is no movie to fetch; nothing a failed request left
  // behind is ever used.
  EXPECT_EQ(xtra.call("getScoreValues", {2, "L"}).code, kRequestNotServed);
  EXPECT_TRUE(isClean(bench.finish()));
}

TEST(ScriptInstance, AMethodWhoseServiceWasWithheldIsNotServed) {
  Bench bench(moduleUnderTest());
  ASSERT_EQ(bench.registerModule(), kOk);
  bench.withhold(idFromText("{AC96CF98-0045-5C0B-0000-0040105023FB}"));  // lists
  bench::ScriptObject xtra = bench.newScriptObject();
  const bench::CallResult result = xtra.call("getScoreValues", {2, "L"});
  EXPECT_EQ(result.code, kRequestNotServed);
  EXPECT_FALSE(result.value.has_value());
  // The call itself still fetched and gave back the movie and score access.
  EXPECT_EQ(bench.traceLines("Movie.release").size(), 1u);
  EXPECT_TRUE(isClean(bench.finish()));
}
