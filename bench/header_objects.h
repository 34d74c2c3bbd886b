// The two host objects every instance header carries: the callback that
// hands out services by interface ID, and the allocator. The host holds
// both for the whole scenario; a module borrows them through the header
// and gives back only references it took with addRef.
#pragma once

#include <cstdint>
#include <map>

#include "audited_object.h"
#include "host.h"

namespace bench {

// The name of a service ID for traces and findings: "ValueServices".
std::string serviceName(const ComponentId& id);

class CallbackObject final : public HostObject<HostCallback> {
 public:
  explicit CallbackObject(Host& host);

 private:
  // Each request for a service the host serves and does not withhold gets a
  // new service object; any other ID is refused with kNoInterface.
  HostCode answerQuery(const ComponentId* interfaceId, void** out) override;
};

// Allocations are counted and kept: a block given back stays reserved until
// the scenario ends, so a second free is told from a free of a new block.
// New blocks are filled with 0xCD, so a module that reads what it never
// wrote reads garbage on every build.
class AllocatorObject final : public HostObject<HostAllocator> {
 public:
  explicit AllocatorObject(Host& host);
  ~AllocatorObject() override;

  void* XCALL allocate(std::uint32_t size) override;
  void XCALL free(void* block) override;

  // The host gives back a block the module handed to it (the class records).
  bool takeBack(void* block, std::uint32_t* size);

 private:
  void auditState(Monitor& monitor) const override;

  struct Block {
    std::uint32_t size;
    Origin origin;
    bool freed = false;
    Origin freedBy;
  };
  std::map<void*, Block> blocks_;
};

}  // namespace bench
