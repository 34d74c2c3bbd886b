// The bench host as scenarios use it, in tests and in the xbench tool:
//
//   bench::Bench bench(modulePath);
//   bench.movie().setFrameCount(20).setLabel(5, "Intro");
//   bench.movie().cast(1).addMember(3, "bitmap", "ball");
//   bench.defineHandler("double", [](bench::HandlerCall& c) { return c.args[0].asInteger() * 2; });
//   bench.registerModule();
//   bench::ScriptObject xtra = bench.newScriptObject();
//   bench::CallResult r = xtra.call("callAFunction", {bench::Value::symbol("double"), 21});
//   // r.code == 0, *r.value == 42
//   bench::AuditReport audit = bench.finish();  // audit.clean()
//
// Process-wide services beyond the host's interfaces are not the Bench's: on
// Windows the module calls the operating system; on POSIX builds a scenario
// that needs time, windows or message boxes lends the module a
// SimulatedDesktop (posix_desktop.h) for as long as it runs.
//
// A Bench loads the module file itself, through its five exports only, and
// is one scenario: one host with a fresh trace, fault plan and audit. Run
// one Bench at a time per module file: the module's count of live objects,
// which finish() asks about, is shared by everything that loaded it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host.h"
#include "message_table.h"
#include "module_host.h"
#include "module_library.h"
#include "value.h"

namespace bench {

struct CallResult {
  HostCode code = kOk;
  // The value the method left in the result slot; none when it left the
  // slot as the host set it, or failed.
  std::optional<Value> value;
  bool ok() const { return code == kOk; }
};

struct AuditReport {
  std::vector<Finding> findings;
  bool clean() const { return findings.empty(); }
  bool has(Finding::Kind kind, const std::string& containing = {}) const;
  std::string text() const;  // one finding a line, for failure messages
};

class Bench;

// A script object the host created through the exports. Copies name the
// same object; the Bench owns it.
class ScriptObject {
 public:
  ScriptObject() = default;
  bool valid() const;
  // Why creation failed: the code of the create routine or DllGetInterface.
  HostCode createCode() const;

  // Calls a method by its name in the message table: an object method gets
  // the script object before `args`, a global method `args` alone.
  CallResult call(const std::string& method, std::vector<Value> args = {});
  // Calls by method index with exactly these arguments.
  CallResult callIndex(std::uint32_t index, std::vector<Value> args);
  // The script object as a value, as a script passes it.
  Value value() const;
  // Releases the host's interface reference and frees the instance.
  void destroy();

 private:
  friend class Bench;
  ScriptObject(Bench* bench, int id) : bench_(bench), id_(id) {}
  Bench* bench_ = nullptr;
  int id_ = 0;
};

class Bench {
 public:
  explicit Bench(const std::string& modulePath);
  ~Bench();
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  // Whether the module file loaded with its five exports, and why not.
  bool loaded() const { return library_ != nullptr; }
  const std::string& loadError() const { return loadError_; }

  // --- The host's world: set up before the module runs, or between calls.
  World& world() { return host_.world; }
  // The active movie; a new one when there is none.
  MovieModel& movie();
  void removeActiveMovie() { host_.world.movie.reset(); }
  PlayerModel& player() { return host_.world.player; }
  AppModel& app() { return host_.world.app; }
  void defineHandler(const std::string& name, Handler handler);
  // The callback refuses this service from now on.
  void withhold(const ComponentId& service) { host_.world.withheld.push_back(service); }
  const std::vector<std::string>& output() const { return host_.world.player.output; }

  // --- What the host saw.
  FaultPlan& faults() { return host_.monitor.faults(); }
  // Whether any fault is planned: a scenario run by the sweep checks its
  // results only when none is.
  bool faultsPlanned() { return !faults().empty(); }
  const std::vector<TraceEntry>& trace() const { return host_.monitor.trace(); }
  // Trace lines, "Movie.getProp(#frame)", of the operations whose names
  // begin with `prefix`.
  std::vector<std::string> traceLines(const std::string& prefix = {}) const;
  const std::vector<Finding>& findings() const { return host_.monitor.findings(); }
  Host& host() { return host_; }
  // The host's side of the module's edge; null when the file did not load.
  ModuleHost* moduleHost() { return module_.get(); }

  // --- The module.
  // Learns the classes and calls Register; the code Register returned.
  HostCode registerModule();
  // What the module registered; empty before registration.
  const MessageTable& messageTable() const { return messageTable_; }
  // Every entry the module wrote into the host's registration cache.
  const Registry& registry() const;
  ScriptObject newScriptObject();
  // Lets go of every script object, asks DllCanUnloadNow and audits. Later
  // calls return the same report.
  AuditReport finish();

 private:
  friend class ScriptObject;
  struct ScriptRecord {
    ModuleHost::Instance* instance = nullptr;
    ScriptInterface* object = nullptr;
    HostCode createCode = kOk;
    bool destroyed = false;
  };
  ScriptRecord* record(int id);
  CallResult call(int id, std::uint32_t index, const std::string& name, std::vector<Value> args);
  void destroy(ScriptRecord& record);

  Host host_;
  std::unique_ptr<ModuleLibrary> library_;
  std::string loadError_;
  std::unique_ptr<ModuleHost> module_;
  MessageTable messageTable_;
  std::deque<ScriptRecord> scripts_;  // a deque: a handler may add objects during a call
  int calls_ = 0;
  std::optional<AuditReport> report_;
};

}  // namespace bench
