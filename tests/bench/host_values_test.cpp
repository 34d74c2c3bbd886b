// The bench host's values, symbols, lists and handles, called as a module
// calls them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bench/host_support.h"

using bench::Finding;
using bench::Value;

TEST(HostValues, ConvertOnlyFromTheMatchingKinds) {
  HostFixture f;
  struct Case {
    Value value;
    HostCode toInteger, toSymbol, toString;
  };
  const HostCode wrong = bench::kWrongKind;
  const Case cases[] = {
      {Value(42), kOk, wrong, wrong},
      {Value("Text"), wrong, kOk, kOk},
      {Value::symbol("Name"), wrong, kOk, kOk},
      {Value::floating(1.5), wrong, wrong, wrong},
      {Value::list({1}), wrong, wrong, wrong},
      {Value(), wrong, wrong, wrong},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.display());
    const HostValue value = f.host.values.hostOwned(c.value, "the test's value");
    std::int32_t number = 0;
    HostSymbol symbol = 0;
    char text[16] = "";
    EXPECT_EQ(f.values->valueToInteger(&value, &number), c.toInteger);
    EXPECT_EQ(f.values->valueToSymbol(&value, &symbol), c.toSymbol);
    EXPECT_EQ(f.values->valueToString(&value, text, sizeof text), c.toString);
    if (c.toInteger == kOk) {
      EXPECT_EQ(number, 42);
    }
    if (c.toString == kOk) {
      EXPECT_EQ(text, c.value.text());
      EXPECT_EQ(symbol, f.symbol(c.value.text().c_str()));
    }
  }
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostValues, SymbolsIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  HostFixture f;
  const HostSymbol first = f.symbol("MoaHandle");
  EXPECT_EQ(f.symbol("moahandle"), first);
  EXPECT_EQ(f.symbol("MOAHANDLE"), first);
  EXPECT_NE(f.symbol("moahandles"), first);
  char text[32];
  ASSERT_EQ(f.values->symbolToString(first, text, sizeof text), kOk);
  EXPECT_STREQ(text, "MoaHandle");
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostValues, TextsAreCutToTheCallersBuffer) {
  HostFixture f;
  const HostValue value = f.host.values.hostOwned(Value("abcdefgh"), "the test's text");
  char text[8];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(f.values->valueToString(&value, text, 4), kOk);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(text[4], 'x');
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostLists, CountFromOneAndKeepTheirOwnCopies) {
  HostFixture f;
  HostValue list{};
  ASSERT_EQ(f.lists->newList(&list), kOk);
  for (int n : {10, 20}) {
    HostValue element = f.integer(n);
    EXPECT_EQ(f.lists->appendToList(&list, &element), kOk);
    EXPECT_EQ(f.values->releaseValue(&element), kOk);
  }
  EXPECT_EQ(f.lists->countElements(&list), 2);
  HostValue element{};
  ASSERT_EQ(f.lists->getElement(&list, 1, &element), kOk);
  EXPECT_EQ(f.read(element), Value(10));
  EXPECT_EQ(f.values->releaseValue(&element), kOk);
  for (std::int32_t outside : {0, 3}) {
    HostValue missing{};
    EXPECT_EQ(f.lists->getElement(&list, outside, &missing), bench::kOutOfRange);
    // What a failing operation left is a trap, and using it is a finding.
    std::int32_t type = 0;
    EXPECT_NE(f.values->getValueType(&missing, &type), kOk);
  }
  EXPECT_EQ(f.values->releaseValue(&list), kOk);
  const bench::AuditReport audit = f.audit();
  ASSERT_EQ(audit.findings.size(), 2u) << audit.text();
  EXPECT_TRUE(audit.has(Finding::Kind::TrapUsed,
                        "ValueServices.getValueType #1 used the value that failing "
                        "ListServices.getElement #2 left in its out-parameter"));
}

TEST(HostValues, ValuesTheHostNeverMadeAreFindings) {
  HostFixture f;
  const HostValue forged{1, 2};
  std::int32_t number = 0;
  EXPECT_EQ(f.values->valueToInteger(&forged, &number), bench::kUnknownValue);
  char text[8];
  EXPECT_EQ(f.values->symbolToString(12345, text, sizeof text), bench::kUnknownValue);
  const bench::AuditReport audit = f.audit();
  EXPECT_EQ(audit.findings.size(), 2u) << audit.text();
  EXPECT_TRUE(audit.has(Finding::Kind::Unknown, "used a value the host never made"));
  EXPECT_TRUE(audit.has(Finding::Kind::Unknown, "used symbol 12345"));
}

TEST(HostHandles, KeepSizeAndLocksAndMustBeHandedOnOrGivenBack) {
  HostFixture f;
  HostHandle kept = f.handles->newHandle(3);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(f.handles->getHandleSize(kept), 3u);
  auto* bytes = static_cast<std::uint8_t*>(f.handles->lockHandle(kept));
  ASSERT_NE(bytes, nullptr);
  bytes[2] = 7;
  f.handles->unlockHandle(kept);
  f.handles->unlockHandle(kept);  // not locked any more

  // Given back through a media descriptor, a handle ends; the other leaks.
  HostHandle given = f.handles->newHandle(0);
  MediaInfo info{};
  ASSERT_EQ(f.media->newMediaInfo(f.symbol("composite"), f.symbol("moahandle"), given, 0, 0, &info), kOk);
  EXPECT_EQ(f.media->releaseMediaInfo(&info), kOk);
  EXPECT_EQ(f.handles->getHandleSize(given), 0u);

  const bench::AuditReport audit = f.audit();
  ASSERT_EQ(audit.findings.size(), 3u) << audit.text();
  EXPECT_TRUE(audit.has(Finding::Kind::Misuse, "HandleServices.unlockHandle #2 unlocked a handle that was not locked"));
  EXPECT_TRUE(audit.has(Finding::Kind::CallAfterRelease, "HandleServices.getHandleSize #2 used the handle of 0 bytes"));
  EXPECT_TRUE(audit.has(Finding::Kind::Leak, "the handle of 3 bytes made by HandleServices.newHandle #1 was never handed on"));
}
