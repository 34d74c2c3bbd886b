#include "module_host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

// Header word 4 marks an instance of this host; the module never touches it.
constexpr std::uintptr_t kInstanceMark = 0x494E5354u;  // "INST"

std::string className(const ComponentId& interfaceId) {
  if (interfaceId == ids::kRegisterInterface) return "registration class";
  if (interfaceId == ids::kScriptInterface) return "script class";
  return "class " + serviceName(interfaceId);
}

bool isEnd(const ClassInfoRecord& record) {
  return record.classId == ComponentId{} && record.interfaceId == ComponentId{};
}

}  // namespace

struct ModuleHost::Instance {
  enum class State { Allocated, Created, Freed };
  ModuleHost* owner = nullptr;
  ClassForm form;
  int number = 0;
  int references = 1;  // the host's own
  State state = State::Allocated;
  std::unique_ptr<std::max_align_t[]> memory;

  void* block() { return memory.get(); }
  std::string name() const { return "instance " + std::to_string(number) + " of the " + className(form.interfaceId); }

  static Instance& from(void* block) {
    auto* header = static_cast<HostHeader*>(block);
    if (header == nullptr || header->hostWord4 != kInstanceMark) {
      std::fprintf(stderr, "bench host: an instance operation was called on %p, which is no instance of this host\n", block);
      std::abort();
    }
    return *reinterpret_cast<Instance*>(header->hostWord1);
  }
};

const InstanceTable ModuleHost::kInstanceTable = {instanceQuery, instanceAddRef, instanceRelease};

ModuleHost::ModuleHost(Host& host, const ModuleLibrary& library)
    : host_(host),
      library_(library),
      callback_(host.objects.make<CallbackObject>(host)),
      allocator_(host.objects.make<AllocatorObject>(host)) {}

ModuleHost::~ModuleHost() = default;

HostCode ModuleHost::learnClasses() {
  if (learned_) return learnCode_;
  learned_ = true;
  host_.monitor.enter("module.DllGetClassInfo", {}, false);
  ClassInfoRecord* records = nullptr;
  HostCode code = library_.getClassInfo(allocator_, &records);
  if (code != kOk) return learnCode_ = code;
  std::uint32_t size = 0;
  if (!allocator_->takeBack(records, &size)) {
    host_.monitor.find(Finding::Kind::Misuse,
                       "DllGetClassInfo handed the host records not allocated from its allocator");
    return learnCode_ = kBadArgument;
  }
  // One record per class with the base interface ID, then one per interface
  // of that class; two zero IDs end the array.
  bool ended = false;
  for (std::uint32_t i = 0; i < size / sizeof(ClassInfoRecord) && !ended; ++i) {
    const ClassInfoRecord& record = records[i];
    records_.push_back(record);
    if (isEnd(record)) {
      ended = true;
    } else if (record.interfaceId == ids::kBaseInterface) {
      classes_.push_back(ClassForm{record.classId, record.classVersion});
    } else if (!classes_.empty() && classes_.back().classId == record.classId) {
      classes_.back().interfaceId = record.interfaceId;
      classes_.back().interfaceVersion = record.interfaceVersion;
    }
  }
  if (!ended)
    host_.monitor.find(Finding::Kind::Misuse, "the class records of DllGetClassInfo have no end record");

  for (ClassForm& form : classes_) {
    host_.monitor.enter("module.DllGetClassForm", className(form.interfaceId), false);
    code = library_.getClassForm(&form.classId, &form.instanceSize, &form.create, &form.destroy);
    if (code != kOk) return learnCode_ = code;
  }
  return learnCode_ = kOk;
}

const ClassForm* ModuleHost::classOffering(const ComponentId& interfaceId) const {
  for (const ClassForm& form : classes_)
    if (form.interfaceId == interfaceId) return &form;
  return nullptr;
}

ModuleHost::Instance* ModuleHost::createInstance(const ClassForm& form, HostCode* code) {
  auto instance = std::make_unique<Instance>();
  instance->owner = this;
  instance->form = form;
  instance->number = static_cast<int>(instances_.size()) + 1;
  const std::size_t size = std::max<std::size_t>(form.instanceSize, sizeof(HostHeader));
  const std::size_t units = (size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  instance->memory.reset(new std::max_align_t[units]());
  auto& header = *static_cast<HostHeader*>(instance->block());
  header.instanceTable = &kInstanceTable;
  header.hostWord1 = reinterpret_cast<std::uintptr_t>(instance.get());
  header.callback = callback_;
  header.allocator = allocator_;
  header.hostWord4 = kInstanceMark;
  header.hostWord5 = 0;

  Instance* raw = instance.get();
  instances_.push_back(std::move(instance));
  host_.monitor.enter("module.create", raw->name(), false);
  *code = form.create(raw->block());
  if (*code != kOk) {
    raw->state = Instance::State::Freed;
    return nullptr;
  }
  raw->state = Instance::State::Created;
  return raw;
}

HostCode ModuleHost::getInterface(Instance& instance, void** out) {
  host_.monitor.enter("module.DllGetInterface", instance.name(), false);
  return library_.getInterface(instance.block(), &instance.form.classId,
                               &instance.form.interfaceId, out);
}

bool ModuleHost::destroyInstance(Instance& instance) {
  if (instance.state != Instance::State::Created) return false;
  if (instance.references > 1) {
    const int held = instance.references - 1;
    host_.monitor.find(Finding::Kind::Leak,
                       "the module still holds " + std::to_string(held) +
                           (held == 1 ? " reference" : " references") + " on " + instance.name() +
                           " when the host lets it go; the host does not free it");
    return false;
  }
  host_.monitor.enter("module.destroy", instance.name(), false);
  instance.form.destroy(instance.block());
  instance.references = 0;
  instance.state = Instance::State::Freed;
  return true;
}

HostCode ModuleHost::registerModule() {
  HostCode code = learnClasses();
  if (code != kOk) return code;
  const ClassForm* form = classOffering(ids::kRegisterInterface);
  if (form == nullptr) return kClassNotFound;
  Instance* instance = createInstance(*form, &code);
  if (instance == nullptr) return code;
  void* object = nullptr;
  code = getInterface(*instance, &object);
  if (code == kOk && object != nullptr) {
    auto* cache = host_.objects.make<RegistrationCacheObject>(host_, Origin{"the host", 0},
                                                              &registry_, &dictionary_);
    cache->holdByHost();
    host_.monitor.enter("module.Register", {}, false);
    code = static_cast<RegisterInterface*>(object)->Register(cache, &dictionary_);
    // The cache serves one registration; using it later is a finding.
    cache->releaseByHost();
    host_.monitor.enter("module.release", "RegisterInterface", false);
    static_cast<HostUnknown*>(object)->release();
  }
  destroyInstance(*instance);
  return code;
}

HostCode ModuleHost::canUnloadNow() {
  host_.monitor.enter("module.DllCanUnloadNow", {}, false);
  return library_.canUnloadNow();
}

HostCode XCALL ModuleHost::instanceQuery(void* block, const ComponentId* interfaceId, void** out) {
  Instance& self = Instance::from(block);
  Host& host = self.owner->host_;
  Monitor::Admission admission = host.monitor.enter(
      "Instance.queryInterface", interfaceId ? serviceName(*interfaceId) : "null",
      self.state == Instance::State::Created);
  if (!host.out(out, admission.origin) || !host.out(interfaceId, admission.origin))
    return kBadArgument;
  if (self.state != Instance::State::Created) {
    host.monitor.find(Finding::Kind::CallAfterRelease,
                      admission.origin.text() + " was called on " + self.name() + " after it was freed");
    return host.fail(admission.origin, kObjectGone, out);
  }
  if (admission.fault) return host.fail(admission.origin, *admission.fault, out);
  // An instance answers for its own class's interface with a new object.
  if (*interfaceId == self.form.interfaceId) return self.owner->getInterface(self, out);
  return host.fail(admission.origin, kNoInterface, out);
}

std::uint32_t XCALL ModuleHost::instanceAddRef(void* block) {
  Instance& self = Instance::from(block);
  Host& host = self.owner->host_;
  Monitor::Admission admission = host.monitor.enter("Instance.addRef", self.name(), false);
  if (self.state != Instance::State::Created) {
    host.monitor.find(Finding::Kind::CallAfterRelease,
                      admission.origin.text() + " was called on " + self.name() + " after it was freed");
    return 0;
  }
  return static_cast<std::uint32_t>(++self.references);
}

std::uint32_t XCALL ModuleHost::instanceRelease(void* block) {
  Instance& self = Instance::from(block);
  Host& host = self.owner->host_;
  Monitor::Admission admission = host.monitor.enter("Instance.release", self.name(), false);
  if (self.state != Instance::State::Created || self.references <= 1) {
    host.monitor.find(Finding::Kind::ExtraRelease,
                      admission.origin.text() + " released " + self.name() +
                          (self.state == Instance::State::Created
                               ? " more often than the module referenced it"
                               : " after it was freed"));
    return static_cast<std::uint32_t>(self.references);
  }
  return static_cast<std::uint32_t>(--self.references);
}

}  // namespace bench
