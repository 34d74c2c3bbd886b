#include "bench.h"

#include <cstdio>

namespace bench {

bool AuditReport::has(Finding::Kind kind, const std::string& containing) const {
  for (const Finding& finding : findings)
    if (finding.kind == kind && finding.text.find(containing) != std::string::npos) return true;
  return false;
}

std::string AuditReport::text() const {
  std::string text;
  for (const Finding& finding : findings)
    text += std::string(kindName(finding.kind)) + ": " + finding.text + "\n";
  return text;
}

bool ScriptObject::valid() const {
  const Bench::ScriptRecord* record = bench_ ? bench_->record(id_) : nullptr;
  return record != nullptr && record->object != nullptr && !record->destroyed;
}

HostCode ScriptObject::createCode() const {
  const Bench::ScriptRecord* record = bench_ ? bench_->record(id_) : nullptr;
  return record ? record->createCode : kClassNotFound;
}

CallResult ScriptObject::call(const std::string& method, std::vector<Value> args) {
  if (bench_ == nullptr) return {kObjectGone, std::nullopt};
  const MethodDeclaration* declared = bench_->messageTable().find(method);
  if (declared == nullptr) return {kNoHandler, std::nullopt};
  if (!declared->global) args.insert(args.begin(), value());
  return bench_->call(id_, declared->index, declared->name, std::move(args));
}

CallResult ScriptObject::callIndex(std::uint32_t index, std::vector<Value> args) {
  if (bench_ == nullptr) return {kObjectGone, std::nullopt};
  return bench_->call(id_, index, "#" + std::to_string(index), std::move(args));
}

Value ScriptObject::value() const { return Value::scriptObject(id_); }

void ScriptObject::destroy() {
  if (Bench::ScriptRecord* record = bench_ ? bench_->record(id_) : nullptr) bench_->destroy(*record);
}

Bench::Bench(const std::string& modulePath) {
  library_ = ModuleLibrary::open(modulePath, &loadError_);
  if (library_) module_ = std::make_unique<ModuleHost>(host_, *library_);
}

Bench::~Bench() { finish(); }

MovieModel& Bench::movie() {
  if (!host_.world.movie) host_.world.movie = std::make_shared<MovieModel>();
  return *host_.world.movie;
}

void Bench::defineHandler(const std::string& name, Handler handler) {
  host_.world.player.defineHandler(name, std::move(handler));
}

std::vector<std::string> Bench::traceLines(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const TraceEntry& entry : trace())
    if (entry.operation.compare(0, prefix.size(), prefix) == 0) lines.push_back(entry.line());
  return lines;
}

HostCode Bench::registerModule() {
  if (!module_) return kClassNotFound;
  const HostCode code = module_->registerModule();
  // The message table is written for the class that offers the script interface.
  const ClassForm* script = module_->classOffering(ids::kScriptInterface);
  const RegistryRecord* table =
      script ? module_->registry().find(script->classId, ids::kScriptInterface, "msgTable")
             : nullptr;
  if (table != nullptr && table->valueType == kRegistryText)
    messageTable_ = MessageTable::parse(table->text);
  return code;
}

const Registry& Bench::registry() const {
  static const Registry kNothingRegistered;
  return module_ ? module_->registry() : kNothingRegistered;
}

ScriptObject Bench::newScriptObject() {
  // Script records are never removed, so an object's number stays valid.
  scripts_.emplace_back();
  const int id = static_cast<int>(scripts_.size());
  ScriptRecord& script = scripts_.back();
  if (!module_) {
    script.createCode = kClassNotFound;
    return ScriptObject(this, id);
  }
  HostCode code = module_->learnClasses();
  const ClassForm* form = module_->classOffering(ids::kScriptInterface);
  if (code == kOk && form == nullptr) code = kClassNotFound;
  if (code == kOk) script.instance = module_->createInstance(*form, &code);
  void* object = nullptr;
  if (script.instance != nullptr) {
    code = module_->getInterface(*script.instance, &object);
    if (code != kOk || object == nullptr) {
      module_->destroyInstance(*script.instance);
      object = nullptr;
    }
  }
  script.object = static_cast<ScriptInterface*>(object);
  script.createCode = code;
  return ScriptObject(this, id);
}

Bench::ScriptRecord* Bench::record(int id) {
  if (id < 1 || static_cast<std::size_t>(id) > scripts_.size()) return nullptr;
  return &scripts_[static_cast<std::size_t>(id - 1)];
}

CallResult Bench::call(int id, std::uint32_t index, const std::string& name,
                       std::vector<Value> args) {
  ScriptRecord* script = record(id);
  if (script == nullptr || script->object == nullptr || script->destroyed)
    return {kObjectGone, std::nullopt};
  const std::string callName = "call " + std::to_string(++calls_) + " (" + name + ")";
  // Exactly as many words as values, so a module reading past argCount
  // leaves the block (which the sanitizers see) instead of landing in spare
  // capacity.
  std::vector<HostValue> words;
  words.reserve(args.size());
  for (std::size_t i = 0; i < args.size(); ++i)
    words.push_back(host_.values.hostOwned(args[i], "argument " + std::to_string(i) + " of " + callName));
  CallRecord record{};
  record.methodIndex = index;
  record.result = host_.values.hostOwned(Value(), "the result slot of " + callName);
  record.argCount = static_cast<std::int32_t>(words.size());
  record.args = words.data();
  const HostValue preset = record.result;

  host_.monitor.enter("module.Call", name, false);
  CallResult result;
  result.code = script->object->Call(&record);

  const bool filled = record.result.word0 != preset.word0 || record.result.word1 != preset.word1;
  if (filled && result.code == kOk) {
    const Origin reading{"the host reading the result of " + callName, 0};
    if (const Value* value = host_.values.read(&record.result, reading)) result.value = value->deepCopy();
  }
  // A value in the result slot is the host's now, even from a failing call.
  if (filled && host_.values.adopt(record.result)) host_.values.releaseHostOwned(record.result);
  for (const HostValue& word : words) host_.values.releaseHostOwned(word);
  host_.values.releaseHostOwned(preset);
  return result;
}

void Bench::destroy(ScriptRecord& script) {
  if (script.destroyed || script.object == nullptr) return;
  script.destroyed = true;
  host_.monitor.enter("module.release", "ScriptInterface", false);
  script.object->release();
  module_->destroyInstance(*script.instance);
}

AuditReport Bench::finish() {
  if (report_) return *report_;
  if (!module_) {
    host_.monitor.find(Finding::Kind::Misuse, "the module did not load: " + loadError_);
  } else {
    for (ScriptRecord& script : scripts_) destroy(script);
    const HostCode code = module_->canUnloadNow();
    if (code != kOk) {
      char text[16];
      std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
      host_.monitor.find(Finding::Kind::Leak,
                         std::string("DllCanUnloadNow answers ") + text +
                             " after the host let go of everything: module objects are still alive");
    }
  }
  host_.audit();
  report_ = AuditReport{host_.monitor.findings()};
  return *report_;
}

}  // namespace bench
