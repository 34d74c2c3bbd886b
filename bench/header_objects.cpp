#include "header_objects.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "services.h"

namespace bench {

std::string serviceName(const ComponentId& id) {
  static const std::pair<const ComponentId*, const char*> kNames[] = {
      {&ids::kAppInfoServices, "AppInfoServices"},
      {&ids::kHandleServices, "HandleServices"},
      {&ids::kValueServices, "ValueServices"},
      {&ids::kListServices, "ListServices"},
      {&ids::kWindowsAppServices, "WindowsAppServices"},
      {&ids::kPlayerServices, "PlayerServices"},
      {&ids::kMediaServices, "MediaServices"},
      {&ids::kReservedServicesA, "ReservedServicesA"},
      {&ids::kReservedServicesB, "ReservedServicesB"},
  };
  for (const auto& [known, name] : kNames)
    if (*known == id) return name;
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-...}", static_cast<unsigned>(id.data1),
                static_cast<unsigned>(id.data2), static_cast<unsigned>(id.data3));
  return text;
}

CallbackObject::CallbackObject(Host& host) : HostObject(host, "HostCallback", Origin{"the host", 0}, false) {
  holdByHost();
}

HostCode CallbackObject::answerQuery(const ComponentId* interfaceId, void** out) {
  Gate gate = enter("queryInterface", interfaceId ? serviceName(*interfaceId) : "null");
  const ComponentId id = interfaceId ? *interfaceId : ComponentId{};
  if (!gate) {
    if (out) *out = host_.serviceTrap(id, gate.origin());
    return gate.code();
  }
  if (!host_.out(out, gate.origin()) || !host_.out(interfaceId, gate.origin())) return kBadArgument;
  for (const ComponentId& withheld : host_.world.withheld)
    if (withheld == id) {
      *out = host_.serviceTrap(id, gate.origin());
      return kNoInterface;
    }
  void* service = makeService(host_, id, gate.origin(), false);
  if (service == nullptr) {
    *out = host_.serviceTrap(id, gate.origin());
    return kNoInterface;
  }
  *out = service;
  return kOk;
}

AllocatorObject::AllocatorObject(Host& host)
    : HostObject(host, "HostAllocator", Origin{"the host", 0}, false) {
  holdByHost();
}

AllocatorObject::~AllocatorObject() {
  for (auto& [block, record] : blocks_) std::free(block);
}

void* XCALL AllocatorObject::allocate(std::uint32_t size) {
  Gate gate = enter("allocate", std::to_string(size));
  if (!gate) return nullptr;
  // Never a null block for a size of 0, so such a block can be freed too.
  void* block = std::malloc(size > 0 ? size : 1);
  if (block == nullptr) return nullptr;
  std::memset(block, 0xCD, size > 0 ? size : 1);
  blocks_[block] = Block{size, gate.origin(), false, Origin{}};
  return block;
}

void XCALL AllocatorObject::free(void* block) {
  Gate gate = enter("free", {}, false);
  if (!gate || block == nullptr) return;
  auto found = blocks_.find(block);
  if (found == blocks_.end()) {
    host_.monitor.find(Finding::Kind::Unknown,
                       gate.origin().text() + " freed a block this allocator never handed out");
    return;
  }
  Block& record = found->second;
  if (record.freed) {
    host_.monitor.find(Finding::Kind::ExtraRelease,
                       gate.origin().text() + " freed the block of " + std::to_string(record.size) +
                           " bytes from " + record.origin.text() + " again; " +
                           record.freedBy.text() + " had freed it");
    return;
  }
  record.freed = true;
  record.freedBy = gate.origin();
}

bool AllocatorObject::takeBack(void* block, std::uint32_t* size) {
  auto found = blocks_.find(block);
  if (found == blocks_.end() || found->second.freed) return false;
  found->second.freed = true;
  found->second.freedBy = Origin{"the host", 0};
  *size = found->second.size;
  return true;
}

void AllocatorObject::auditState(Monitor& monitor) const {
  for (const auto& [block, record] : blocks_)
    if (!record.freed)
      monitor.find(Finding::Kind::Leak, "the block of " + std::to_string(record.size) +
                                            " bytes from " + record.origin.text() +
                                            " was never freed");
}

}  // namespace bench
