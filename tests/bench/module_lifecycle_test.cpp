// The bench host drives the module through its exports as a host does:
// registration, a script object, calls, and the end of everything.
#include <gtest/gtest.h>

#include "bench/bench_support.h"

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
