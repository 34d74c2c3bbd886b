#include "sweep.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace bench {

namespace {

// Which run is under way, for a crash to name before the process ends.
char gRun[512];

void printRun() {
  if (gRun[0] != '\0') std::fprintf(stderr, "\nbench sweep: crashed in %s\n", gRun);
}

extern "C" void onFatalSignal(int signal) {
  printRun();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void watchForCrashes() {
  static bool watching = false;
  if (watching) return;
  watching = true;
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers own the fatal signals and report first; then they die.
  __sanitizer_set_death_callback(printRun);
#else
  std::signal(SIGSEGV, onFatalSignal);
  std::signal(SIGABRT, onFatalSignal);
  std::signal(SIGFPE, onFatalSignal);
  std::signal(SIGILL, onFatalSignal);
#endif
}

// "Movie.getCastByIndex #2": the operation of failable call k (from 1).
std::string nameCall(const std::vector<std::string>& calls, std::size_t k) {
  int call = 0;
  for (std::size_t i = 0; i < k; ++i)
    if (calls[i] == calls[k - 1]) ++call;
  return calls[k - 1] + " #" + std::to_string(call);
}

}  // namespace

std::string SweepReport::text() const {
  std::string text = std::to_string(runs) + " runs over " + std::to_string(operations.size()) +
                     " operations that can fail\n";
  for (const SweepRun& run : failures) {
    text += run.failingCall == 0 ? std::string("with nothing failing")
                                 : "with " + run.operation + " failing (call " +
                                       std::to_string(run.failingCall) + ")";
    text += ":\n";
    for (const Finding& finding : run.findings)
      text += std::string("  ") + kindName(finding.kind) + ": " + finding.text + "\n";
  }
  return text;
}

SweepReport sweep(const std::string& modulePath, const Scenario& scenario, HostCode code) {
  watchForCrashes();
  SweepReport report;
  for (std::size_t k = 0; k == 0 || k <= report.operations.size(); ++k) {
    SweepRun run;
    run.failingCall = static_cast<int>(k);
    if (k > 0) run.operation = nameCall(report.operations, k);
    std::snprintf(gRun, sizeof gRun, "the run with %s failing",
                  k == 0 ? "nothing" : run.operation.c_str());

    Bench bench(modulePath);
    if (k > 0) bench.faults().failCall(static_cast<int>(k), code);
    scenario(bench);
    run.findings = bench.finish().findings;
    ++report.runs;

    const std::vector<std::string>& calls = bench.host().monitor.failableCalls();
    if (k == 0) {
      report.operations = calls;
    } else if (calls.size() < k || nameCall(calls, k) != run.operation) {
      run.findings.push_back({Finding::Kind::Misuse,
                              "the scenario took another path: call " + std::to_string(k) +
                                  " was " + (calls.size() < k ? "never made" : nameCall(calls, k))});
    }
    if (!run.findings.empty()) report.failures.push_back(std::move(run));
  }
  gRun[0] = '\0';
  return report;
}

}  // namespace bench
