// The registration cache the host hands to Register, and the entries a
// module writes into it. Each entry keeps its own copy of what put hands
// it, so the module may free its buffers at once. What was written stays in
// the host's Registry, where the host reads the message table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audited_object.h"
#include "host.h"

namespace bench {

// put's value types the host understands; any other type takes `size` bytes.
constexpr std::int32_t kRegistryInteger = 3;  // a 32-bit integer
constexpr std::int32_t kRegistryText = 9;     // a zero-terminated text

struct RegistryRecord {
  ComponentId classId{};
  ComponentId entryKind{};
  std::string key;
  std::int32_t valueType = 0;
  std::int32_t integer = 0;  // kRegistryInteger
  std::string text;          // kRegistryText
  std::vector<std::uint8_t> bytes;  // any other type
};

struct Registry {
  std::vector<RegistryRecord> records;
  // The last record written under this class, entry kind and key.
  const RegistryRecord* find(const ComponentId& classId, const ComponentId& entryKind,
                             const std::string& key) const;
};

class RegistrationCacheObject final : public HostObject<RegistrationCache> {
 public:
  // `dictionary` is the host's own word that Register passes through.
  RegistrationCacheObject(Host& host, Origin origin, Registry* registry, void* dictionary);
  HostCode XCALL addRegistryEntry(void* xtraDictionary, const ComponentId* classId,
                                  const ComponentId* entryKind, RegistryEntry** out) override;

 private:
  Registry* registry_;
  void* dictionary_;
};

class RegistryEntryObject final : public HostObject<RegistryEntry> {
 public:
  // A null registry makes a trap.
  RegistryEntryObject(Host& host, Origin origin, Registry* registry,
                      const ComponentId& classId = {}, const ComponentId& entryKind = {});
  HostCode XCALL put(std::int32_t valueType, const void* value, std::int32_t size,
                     const char* key) override;

 private:
  Registry* registry_;
  ComponentId classId_;
  ComponentId entryKind_;
};

}  // namespace bench
