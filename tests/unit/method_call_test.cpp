// How methods read a script call's arguments, against the bench host's own
// value services: declared arguments by number, nothing read past what the
// script passed, and conversions that leave no trace of a failure.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host.h"
#include "script/method_call.h"
#include "services.h"

namespace {

struct Arguments {
  bench::Host host;
  ScriptInstance self{};
  std::vector<HostValue> values;
  CallRecord record{};

  explicit Arguments(std::vector<bench::Value> passed) {
    self.valueServices = static_cast<ValueServices*>(
        bench::makeService(host, ids::kValueServices, bench::Origin{"the test", 0}, false));
    for (bench::Value& value : passed)
      values.push_back(host.values.hostOwned(std::move(value), "an argument"));
    record.argCount = static_cast<std::int32_t>(values.size());
    record.args = values.empty() ? nullptr : values.data();
  }
  int conversions() const {
    int count = 0;
    for (const bench::TraceEntry& entry : host.monitor.trace())
      if (entry.operation.rfind("ValueServices.valueTo", 0) == 0) ++count;
    return count;
  }
};

}  // namespace

TEST(MethodCall, DeclaredArgumentsFollowTheMethodsForm) {
  Arguments a({bench::Value::scriptObject(1), 7, "eight"});
  MethodCall object(a.self, a.record, false);
  MethodCall global(a.self, a.record, true);
  std::int32_t number = -1;
  EXPECT_EQ(object.integerArgument(1, &number), kOk);
  EXPECT_EQ(number, 7);
  EXPECT_EQ(global.integerArgument(2, &number), kOk);
  EXPECT_EQ(number, 7);
  EXPECT_EQ(object.argument(3), nullptr);
  EXPECT_EQ(global.argument(3), &a.values[2]);
  EXPECT_EQ(object.countAfter(1), 1);
  EXPECT_EQ(object.argumentsAfter(1), &a.values[2]);
  EXPECT_EQ(object.countAfter(2), 0);
  EXPECT_EQ(object.argumentsAfter(2), a.values.data() + 3);  // none follow: the end
  EXPECT_EQ(object.countAfter(3), 0);
  EXPECT_EQ(object.argumentsAfter(3), nullptr);  // declared ones missing
}

TEST(MethodCall, MissingArgumentsConvertToNothingWithoutAskingTheHost) {
  Arguments a({bench::Value::scriptObject(1)});
  MethodCall call(a.self, a.record, false);
  std::int32_t number = 99;
  char text[8] = "garbage";
  HostSymbol symbol = 5;
  EXPECT_EQ(call.integerArgument(1, &number), kRequestNotServed);
  EXPECT_EQ(call.textArgument(1, text, sizeof text), kRequestNotServed);
  EXPECT_EQ(call.symbolArgument(1, &symbol), kRequestNotServed);
  EXPECT_EQ(call.integerThroughScratch(2, &number), kRequestNotServed);
  EXPECT_EQ(number, 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(symbol, 0u);
  EXPECT_EQ(a.conversions(), 0);
}

TEST(MethodCall, FailedConversionsLeaveZeroAndTheEmptyText) {
  Arguments a({bench::Value::list({1}), bench::Value("text")});
  MethodCall call(a.self, a.record, true);
  std::int32_t number = 99;
  char text[8] = "garbage";
  EXPECT_NE(call.integerArgument(2, &number), kOk);  // a string is no integer
  EXPECT_EQ(number, 0);
  EXPECT_NE(call.textThroughScratch(1, text, sizeof text), kOk);  // nor is a list a text
  EXPECT_STREQ(text, "");
  EXPECT_EQ(a.conversions(), 2);
}

TEST(MethodCall, ScratchConversionsGoThroughTheOneModuleWideValue) {
  Arguments a({bench::Value::scriptObject(1), 42, "a long name"});
  MethodCall call(a.self, a.record, false);
  std::int32_t number = 0;
  EXPECT_EQ(call.integerThroughScratch(1, &number), kOk);
  EXPECT_EQ(number, 42);
  EXPECT_EQ(std::memcmp(&scratchValue, &a.values[1], sizeof scratchValue), 0);
  char text[7];
  EXPECT_EQ(call.textThroughScratch(2, text, sizeof text), kOk);
  EXPECT_STREQ(text, "a long");  // cut to the size passed
  EXPECT_EQ(std::memcmp(&scratchValue, &a.values[2], sizeof scratchValue), 0);
}
