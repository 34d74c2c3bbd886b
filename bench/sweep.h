// The sweep: runs a scenario once on a fresh host to count the host
// operations that can fail, then once more per such call with exactly that
// call failing, each run on a fresh host, and audits every run. A scenario
// passes when no run crashes and no audit finds anything.
//
// The scenario drives the module and must take the same path up to the
// failing call in every run; it may check results when
// Bench::faultsPlanned() says no fault is planned. A run that finds
// another operation at the failing call than the counting run did is
// reported, as the sweep can no longer say what it failed.
//
// Should a run crash, the process prints which run it was before it ends.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bench.h"

namespace bench {

struct SweepRun {
  int failingCall = 0;      // 0: the counting run, with nothing failing
  std::string operation;    // the operation that failed, "Movie.getCastByIndex #1"
  std::vector<Finding> findings;
};

struct SweepReport {
  // The calls that could fail, in order, as the counting run made them.
  std::vector<std::string> operations;
  int runs = 0;                   // runs made, the counting run included
  std::vector<SweepRun> failures;  // the runs with findings
  bool clean() const { return failures.empty(); }
  std::string text() const;
};

using Scenario = std::function<void(Bench&)>;

SweepReport sweep(const std::string& modulePath, const Scenario& scenario,
                  HostCode code = kInjectedFault);

}  // namespace bench
