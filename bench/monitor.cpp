#include "monitor.h"

namespace bench {

std::string Origin::text() const {
  return call > 0 ? operation + " #" + std::to_string(call) : operation;
}

const char* kindName(Finding::Kind kind) {
  switch (kind) {
    case Finding::Kind::Leak: return "leak";
    case Finding::Kind::ExtraRelease: return "extra release";
    case Finding::Kind::CallAfterRelease: return "call after release";
    case Finding::Kind::TrapUsed: return "trap used";
    case Finding::Kind::Unknown: return "unknown";
    case Finding::Kind::Misuse: return "misuse";
  }
  return "?";
}

std::string TraceEntry::line() const { return operation + "(" + detail + ")"; }

void FaultPlan::failOn(const std::string& operation, int nth, HostCode code) {
  rules_.push_back({operation, nth, code});
}

void FaultPlan::failAlways(const std::string& operation, HostCode code) {
  rules_.push_back({operation, 0, code});
}

void FaultPlan::failCall(int k, HostCode code) { rules_.push_back({std::string(), k, code}); }

std::optional<HostCode> FaultPlan::decide(const std::string& operation, int callOfOperation,
                                          int failableCall) const {
  for (const Rule& rule : rules_) {
    if (rule.operation.empty()) {
      if (rule.nth == failableCall) return rule.code;
    } else if (rule.operation == operation && (rule.nth == 0 || rule.nth == callOfOperation)) {
      return rule.code;
    }
  }
  return std::nullopt;
}

Monitor::Admission Monitor::enter(const std::string& operation, std::string detail,
                                  bool failable) {
  Admission admission;
  admission.origin = {operation, ++calls_[operation]};
  if (failable) {
    failableCalls_.push_back(operation);
    admission.fault = faults_.decide(operation, admission.origin.call,
                                     static_cast<int>(failableCalls_.size()));
  }
  TraceEntry entry;
  entry.sequence = static_cast<int>(trace_.size()) + 1;
  entry.operation = operation;
  entry.detail = std::move(detail);
  entry.faulted = admission.fault.has_value();
  trace_.push_back(std::move(entry));
  return admission;
}

void Monitor::find(Finding::Kind kind, std::string text) {
  findings_.push_back({kind, std::move(text)});
}

std::uint32_t Monitor::recordTrap(const Origin& origin) {
  traps_.push_back(origin);
  return static_cast<std::uint32_t>(traps_.size() - 1);
}

const Origin* Monitor::trapOrigin(std::uint32_t entry) const {
  return entry < traps_.size() ? &traps_[entry] : nullptr;
}

}  // namespace bench
