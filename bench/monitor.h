// What the bench host notes about every operation the module calls: the
// trace in call order, the faults planned for a scenario, the findings of
// the audit, and the book of traps left in out-parameters of operations
// that failed. One Monitor belongs to one host, and one host to one scenario.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/calling.h"
#include "host_codes.h"

namespace bench {

// Where something came from: an operation and which of its calls it was.
struct Origin {
  std::string operation;  // "Movie.getCastByIndex"
  int call = 0;           // 1 for its first call in the scenario, 0 for the host's own
  std::string text() const;
};

struct Finding {
  enum class Kind {
    Leak,              // handed out and never given back
    ExtraRelease,      // given back more often than handed out
    CallAfterRelease,  // used after its last release
    TrapUsed,          // used what a failing operation left in an out-parameter
    Unknown,           // a value, symbol, object or handle the host never made
    Misuse,            // anything else the host does not accept from a module
  };
  Kind kind;
  std::string text;
};
const char* kindName(Finding::Kind kind);

struct TraceEntry {
  int sequence = 0;
  std::string operation;  // "Movie.getCastByIndex"
  std::string detail;     // its main arguments, "2"
  bool faulted = false;   // a planned fault made this call fail
  std::string line() const;  // "Movie.getCastByIndex(2)"
};

// Faults planned for a scenario. Only operations that can report a failure
// take part: those returning a code, and allocate and newHandle (null).
// Operations that give something back or close what was opened always
// succeed, as a module could do nothing about their failure: release,
// releaseValue, releaseMediaInfo, free, unlockHandle and endUpdate.
class FaultPlan {
 public:
  // The nth call (from 1) of an operation fails with `code`.
  void failOn(const std::string& operation, int nth, HostCode code = kInjectedFault);
  // Every call of an operation fails with `code`.
  void failAlways(const std::string& operation, HostCode code = kInjectedFault);
  // The kth call (from 1) of any operation that can fail, as the sweep does.
  void failCall(int k, HostCode code = kInjectedFault);
  void clear() { rules_.clear(); }
  bool empty() const { return rules_.empty(); }

  std::optional<HostCode> decide(const std::string& operation, int callOfOperation,
                                 int failableCall) const;

 private:
  struct Rule {
    std::string operation;  // empty for a rule by failableCall
    int nth;                // 0: always
    HostCode code;
  };
  std::vector<Rule> rules_;
};

class Monitor {
 public:
  struct Admission {
    Origin origin;                 // this call
    std::optional<HostCode> fault;  // set when a planned fault makes it fail
  };

  // Notes one operation: counts it, traces it and, for an operation that
  // can fail, asks the fault plan.
  Admission enter(const std::string& operation, std::string detail, bool failable);

  void find(Finding::Kind kind, std::string text);
  const std::vector<Finding>& findings() const { return findings_; }

  const std::vector<TraceEntry>& trace() const { return trace_; }
  // The name of each call that could fail, in call order.
  const std::vector<std::string>& failableCalls() const { return failableCalls_; }
  FaultPlan& faults() { return faults_; }

  // The trap book: which failing call left each trap.
  std::uint32_t recordTrap(const Origin& origin);
  const Origin* trapOrigin(std::uint32_t entry) const;
  // The failing call that last left kTrapNumber or kTrapText behind.
  const Origin* lastPlainTrap() const { return lastPlainTrap_ ? &*lastPlainTrap_ : nullptr; }
  void notePlainTrap(const Origin& origin) { lastPlainTrap_ = origin; }

 private:
  std::vector<TraceEntry> trace_;
  std::map<std::string, int> calls_;
  std::vector<std::string> failableCalls_;
  std::vector<Finding> findings_;
  FaultPlan faults_;
  std::vector<Origin> traps_;
  std::optional<Origin> lastPlainTrap_;
};

}  // namespace bench
