#include "registration_cache.h"

#include <cstring>

namespace bench {

const RegistryRecord* Registry::find(const ComponentId& classId, const ComponentId& entryKind,
                                     const std::string& key) const {
  for (auto it = records.rbegin(); it != records.rend(); ++it)
    if (it->classId == classId && it->entryKind == entryKind && it->key == key) return &*it;
  return nullptr;
}

RegistrationCacheObject::RegistrationCacheObject(Host& host, Origin origin, Registry* registry,
                                                 void* dictionary)
    : HostObject(host, "RegistrationCache", std::move(origin), false),
      registry_(registry),
      dictionary_(dictionary) {}

HostCode XCALL RegistrationCacheObject::addRegistryEntry(void* xtraDictionary,
                                                         const ComponentId* classId,
                                                         const ComponentId* entryKind,
                                                         RegistryEntry** out) {
  Gate gate = enter("addRegistryEntry");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin()) || !host_.out(classId, gate.origin()) ||
      !host_.out(entryKind, gate.origin()))
    return kBadArgument;
  if (xtraDictionary != dictionary_) {
    host_.monitor.find(Finding::Kind::Misuse, gate.origin().text() +
                                                  " was passed a dictionary other than the one "
                                                  "Register was given");
    return host_.fail(gate.origin(), kBadArgument, out);
  }
  *out = host_.objects.make<RegistryEntryObject>(host_, gate.origin(), registry_, *classId,
                                                 *entryKind);
  return kOk;
}

RegistryEntryObject::RegistryEntryObject(Host& host, Origin origin, Registry* registry,
                                         const ComponentId& classId, const ComponentId& entryKind)
    : HostObject(host, "RegistryEntry", std::move(origin), registry == nullptr),
      registry_(registry),
      classId_(classId),
      entryKind_(entryKind) {}

HostCode XCALL RegistryEntryObject::put(std::int32_t valueType, const void* value,
                                        std::int32_t size, const char* key) {
  Gate gate = enter("put", std::to_string(valueType) + ", " + host_.showText(key));
  if (!gate) return gate.code();
  const char* checkedKey = host_.text(key, gate.origin());
  if (checkedKey == nullptr || !host_.out(value, gate.origin())) return kBadArgument;
  RegistryRecord record;
  record.classId = classId_;
  record.entryKind = entryKind_;
  record.key = checkedKey;
  record.valueType = valueType;
  if (valueType == kRegistryInteger) {
    std::memcpy(&record.integer, value, sizeof record.integer);
  } else if (valueType == kRegistryText) {
    record.text = static_cast<const char*>(value);
  } else if (size > 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(value);
    record.bytes.assign(bytes, bytes + size);
  } else {
    return kBadArgument;
  }
  registry_->records.push_back(std::move(record));
  return kOk;
}

}  // namespace bench
