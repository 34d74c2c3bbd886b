// What the bench host's tests share: the two module files they drive, and a
// check that prints every finding of an audit when it is not clean.
#pragma once

#include <gtest/gtest.h>

#include "bench.h"
#include "support/module_path.h"

// The deliberately faulty module built beside the real one.
inline const char* faultyModule() { return MRVXTRA_FAULTY_MODULE; }

inline ::testing::AssertionResult isClean(const bench::AuditReport& report) {
  if (report.clean()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "audit findings:\n" << report.text();
}
