// A tiny module that misbehaves on request, so that the bench host's audit,
// faults and traps can be shown catching what they are for. It has the
// same shape as a real module (five exports, a registration class, a
// script class with a message table) and one method per misdeed.
#include <cstdint>
#include <cstring>

#include "host/module_contract.h"

namespace {

constexpr ComponentId kRegistrationClass{
    0x5A17F001, 0x0001, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};
constexpr ComponentId kScriptClass{
    0x5A17F002, 0x0001, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};
constexpr std::uint32_t kVersion = 1;

const char kMessageTable[] =
    "xtra FaultyXtra -- misbehaves on request\n"
    "new object me\n"
    "-- WELL BEHAVED --\n"
    "fetchMovie object me -- fetches and gives back the movie and its score access\n"
    "* lookUpCast integer castIndex -- a cast's name, or the lookup's code\n"
    "callHandler object me, symbol handler, * -- runs a script handler for a result\n"
    "-- MISDEEDS --\n"
    "leakMovie object me -- keeps the movie\n"
    "releaseMovieTwice object me\n"
    "useMovieAfterRelease object me\n"
    "* useCastUnchecked integer castIndex -- uses the cast whatever the lookup said\n"
    "* leakValue integer number\n"
    "* releaseValueTwice integer number\n"
    "* releaseArgument any value -- gives back the host's own argument\n"
    "* echoIntegerUnchecked any value -- converts without looking at the code\n"
    "holdInstance object me -- takes a reference on its own instance and keeps it\n";

enum Method : std::uint32_t {
  kNew,
  kFetchMovie,
  kLookUpCast,
  kCallHandler,
  kLeakMovie,
  kReleaseMovieTwice,
  kUseMovieAfterRelease,
  kUseCastUnchecked,
  kLeakValue,
  kReleaseValueTwice,
  kReleaseArgument,
  kEchoIntegerUnchecked,
  kHoldInstance,
};

std::int32_t gLiveObjects = 0;

struct ScriptInstance {
  HostHeader header;
  PlayerServices* player;
  ValueServices* values;
};

HostHeader& headerOf(void* owner) { return *static_cast<HostHeader*>(owner); }

template <class T>
T* service(HostCallback* callback, const ComponentId& id) {
  void* out = nullptr;
  return callback->queryInterface(&id, &out) == kOk ? static_cast<T*>(out) : nullptr;
}

HostCode XCALL createScript(void* instance) noexcept {
  auto& self = *static_cast<ScriptInstance*>(instance);
  self.player = service<PlayerServices>(self.header.callback, ids::kPlayerServices);
  self.values = service<ValueServices>(self.header.callback, ids::kValueServices);
  return kOk;
}

HostCode XCALL createRegistration(void*) noexcept { return kOk; }

void XCALL destroyScript(void* instance) noexcept {
  auto& self = *static_cast<ScriptInstance*>(instance);
  if (self.player) self.player->release();
  if (self.values) self.values->release();
}

void XCALL destroyRegistration(void*) noexcept {}

// One object per interface request; it holds one reference on its owner.
template <class Interface>
class InterfaceObject : public Interface {
 public:
  explicit InterfaceObject(void* owner) : owner_(owner) {
    headerOf(owner).instanceTable->addRef(owner);
    ++gLiveObjects;
  }
  HostCode XCALL queryInterface(const ComponentId* id, void** out) override {
    return headerOf(owner_).instanceTable->queryInterface(owner_, id, out);
  }
  std::uint32_t XCALL addRef() override { return ++references_; }
  std::uint32_t XCALL release() override {
    if (--references_ > 0) return references_;
    void* owner = owner_;
    destroy();
    --gLiveObjects;
    headerOf(owner).instanceTable->release(owner);
    return 0;
  }

 protected:
  virtual void destroy() = 0;
  void* owner_;

 private:
  std::uint32_t references_ = 1;
};

class Registration final : public InterfaceObject<RegisterInterface> {
 public:
  using InterfaceObject::InterfaceObject;
  HostCode XCALL Register(RegistrationCache* cache, void* dictionary) override {
    RegistryEntry* entry = nullptr;
    HostCode code = cache->addRegistryEntry(dictionary, &kScriptClass, &ids::kScriptInterface, &entry);
    if (code != kOk) return code;
    code = entry->put(9, kMessageTable, 0, "msgTable");
    entry->release();
    return code;
  }

 private:
  void destroy() override { delete this; }
};

class Script final : public InterfaceObject<ScriptInterface> {
 public:
  using InterfaceObject::InterfaceObject;
  HostCode XCALL Call(CallRecord* record) override;

 private:
  void destroy() override { delete this; }
  ScriptInstance& self() { return *static_cast<ScriptInstance*>(owner_); }
  HostCode withMovie(CallRecord* record);
  HostCode withCast(CallRecord* record, bool checked);
  HostCode withValue(CallRecord* record);
};

HostCode Script::withMovie(CallRecord* record) {
  Movie* movie = nullptr;
  HostCode code = self().player->getActiveMovie(&movie);
  if (code != kOk) return code;
  switch (record->methodIndex) {
    case kFetchMovie: {
      ScoreAccess* score = nullptr;
      code = movie->getScoreAccess(&score);
      movie->release();
      if (code == kOk) score->release();
      return code;
    }
    case kLeakMovie: return kOk;
    case kReleaseMovieTwice:
      movie->release();
      movie->release();
      return kOk;
    case kUseMovieAfterRelease: {
      movie->release();
      ScoreAccess* score = nullptr;
      code = movie->getScoreAccess(&score);
      if (code == kOk) score->release();
      return code;
    }
  }
  movie->release();
  return kOk;
}

HostCode Script::withCast(CallRecord* record, bool checked) {
  ValueServices* values = self().values;
  std::int32_t index = 0;
  HostCode code = values->valueToInteger(&record->args[0], &index);
  if (code != kOk) return code;
  Movie* movie = nullptr;
  code = self().player->getActiveMovie(&movie);
  if (code != kOk) return code;
  Cast* cast = nullptr;
  code = movie->getCastByIndex(index, &cast);
  if (code == kOk || !checked) {
    HostSymbol name = 0;
    code = values->stringToSymbol("name", &name);
    if (code == kOk) code = cast->getProp(name, &record->result);
    cast->release();
  }
  movie->release();
  return code;
}

HostCode Script::withValue(CallRecord* record) {
  ValueServices* values = self().values;
  HostValue made{};
  std::int32_t number = 0;
  switch (record->methodIndex) {
    case kLeakValue:
      values->valueToInteger(&record->args[0], &number);
      return values->integerToValue(number, &made);
    case kReleaseValueTwice:
      values->valueToInteger(&record->args[0], &number);
      values->integerToValue(number, &made);
      values->releaseValue(&made);
      return values->releaseValue(&made);
    case kReleaseArgument: return values->releaseValue(&record->args[0]);
    case kEchoIntegerUnchecked:
      values->valueToInteger(&record->args[0], &number);
      return values->integerToValue(number, &record->result);
  }
  return kOk;
}

HostCode XCALL Script::Call(CallRecord* record) {
  if (self().player == nullptr || self().values == nullptr) return toCode(0x80040004u);
  switch (record->methodIndex) {
    case kFetchMovie:
    case kLeakMovie:
    case kReleaseMovieTwice:
    case kUseMovieAfterRelease: return withMovie(record);
    case kLookUpCast: return withCast(record, true);
    case kUseCastUnchecked: return withCast(record, false);
    case kCallHandler: {
      HostSymbol handler = 0;
      HostCode code = self().values->valueToSymbol(&record->args[1], &handler);
      if (code != kOk) return code;
      return self().player->callHandler(handler, record->argCount - 2, record->args + 2,
                                        &record->result);
    }
    case kLeakValue:
    case kReleaseValueTwice:
    case kReleaseArgument:
    case kEchoIntegerUnchecked: return withValue(record);
    case kHoldInstance: headerOf(owner_).instanceTable->addRef(owner_); return kOk;
  }
  return kOk;
}

HostCode XCALL createRegistrationInterface(void* owner, void** out) noexcept {
  *out = static_cast<RegisterInterface*>(new Registration(owner));
  return kOk;
}

HostCode XCALL createScriptInterface(void* owner, void** out) noexcept {
  *out = static_cast<ScriptInterface*>(new Script(owner));
  return kOk;
}

struct ClassRow {
  const ComponentId* classId;
  const ComponentId* interfaceId;
  std::uint32_t size;
  CreateRoutine create;
  DestroyRoutine destroy;
  InterfaceCreator creator;
};

const ClassRow kClasses[] = {
    {&kRegistrationClass, &ids::kRegisterInterface, sizeof(HostHeader), createRegistration,
     destroyRegistration, createRegistrationInterface},
    {&kScriptClass, &ids::kScriptInterface, sizeof(ScriptInstance), createScript, destroyScript,
     createScriptInterface},
};

}  // namespace

#if defined(_WIN32)
extern "C" int __stdcall DllMain(void*, unsigned long, void*) { return 1; }
#endif

extern "C" {

XEXPORT HostCode XCALL DllGetClassInfo(HostAllocator* allocator, ClassInfoRecord** out) noexcept {
  auto* records = static_cast<ClassInfoRecord*>(allocator->allocate(5 * sizeof(ClassInfoRecord)));
  *out = records;
  if (records == nullptr) return toCode(0x80040002u);
  std::memset(records, 0, 5 * sizeof(ClassInfoRecord));
  ClassInfoRecord* cursor = records;
  for (const ClassRow& row : kClasses) {
    *cursor++ = ClassInfoRecord{*row.classId, kVersion, ids::kBaseInterface, 1};
    *cursor++ = ClassInfoRecord{*row.classId, kVersion, *row.interfaceId, kVersion};
  }
  return kOk;
}

XEXPORT HostCode XCALL DllGetClassForm(const ComponentId* classId, std::uint32_t* size,
                                       CreateRoutine* create, DestroyRoutine* destroy) noexcept {
  for (const ClassRow& row : kClasses)
    if (classId == nullptr || *classId == *row.classId) {
      *size = row.size;
      *create = row.create;
      *destroy = row.destroy;
      return kOk;
    }
  return kClassNotFound;
}

XEXPORT HostCode XCALL DllGetInterface(void* owner, const ComponentId* classId,
                                       const ComponentId* interfaceId, void** out) noexcept {
  for (const ClassRow& row : kClasses)
    if ((classId == nullptr || *classId == *row.classId) && *interfaceId == *row.interfaceId)
      return row.creator(owner, out);
  return kRequestNotServed;
}

XEXPORT HostCode XCALL DllCanUnloadNow() noexcept { return gLiveObjects == 0 ? kOk : kModuleInUse; }

XEXPORT HostCode XCALL DllGetClassObject(std::uint32_t, std::uint32_t, std::uint32_t) noexcept {
  return kClassNotFound;
}

}  // extern "C"
