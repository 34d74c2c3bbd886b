#include "frame/registration.h"

#include <cstring>

#include "host/component_id.h"
#include "host/host_ref.h"
#include "script/method_table.h"

namespace {

// The option written for the script class's load control entry.
constexpr std::int32_t kLoadControlOptions = 3;
constexpr std::int32_t kIntegerEntry = 3;
constexpr std::int32_t kTextEntry = 9;
constexpr std::int32_t kInfoBufferSize = 64;
constexpr std::int32_t kProductNameInfo = 5;
constexpr std::int32_t kVersionInfo = 6;

// Only the named product at a major version of 6 or later loads the Xtra.
HostCode checkHost(AppInfoServices* appInfo) {
  char buffer[kInfoBufferSize] = {};
  HostCode code = appInfo->getInfoString(kProductNameInfo, buffer, kInfoBufferSize);
  if (code != kOk) return code;
  buffer[kInfoBufferSize - 1] = '\0';
  if (std::strcmp(buffer, "Director") != 0) return kRequestNotServed;

  buffer[0] = '\0';
  code = appInfo->getInfoString(kVersionInfo, buffer, kInfoBufferSize);
  if (code != kOk) return code;
  // The first character, compared as a signed byte: "10" is refused as "1".
  if (static_cast<signed char>(buffer[0]) < '6') return kRequestNotServed;
  return kOk;
}

}  // namespace

HostCode XCALL registerXtra(InterfaceObject* object, RegistrationCache* cache,
                            void* xtraDictionary) noexcept {
  HostHeader& ownerHeader = headerOf(object->owner);

  HostRef<AppInfoServices> appInfo;
  if (appInfo.fetch([&](AppInfoServices** out) {
        return ownerHeader.callback->queryInterface(&ids::kAppInfoServices,
                                              reinterpret_cast<void**>(out));
      }) != kOk)
    return kRequestNotServed;
  if (HostCode code = checkHost(appInfo.get()); code != kOk) return code;

  {
    HostRef<RegistryEntry> entry;
    HostCode code = entry.fetch([&](RegistryEntry** out) {
      return cache->addRegistryEntry(xtraDictionary, &ids::kScriptClass,
                                     &ids::kLoadControlEntry, out);
    });
    if (code != kOk) return code;
    const std::int32_t options = kLoadControlOptions;
    entry->put(kIntegerEntry, &options, 0, "XtraLoadControlOptions");
  }

  HostRef<RegistryEntry> entry;
  HostCode code = entry.fetch([&](RegistryEntry** out) {
    return cache->addRegistryEntry(xtraDictionary, &ids::kScriptClass, &ids::kScriptInterface,
                                   out);
  });
  if (code != kOk) return code;

  // A module whose methods the host never learned must not look registered.
  auto* text = static_cast<char*>(ownerHeader.allocator->allocate(kMessageTableBufferSize));
  if (text == nullptr) return kMemoryNotAvailable;
  writeMessageTable(text);
  // The entry keeps its own copy, so the buffer goes back at once.
  code = entry->put(kTextEntry, text, 0, "msgTable");
  ownerHeader.allocator->free(text);
  return code;
}
