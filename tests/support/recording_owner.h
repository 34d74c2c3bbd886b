// A minimal instance owner for tests of the module's component frame: it
// records, in order, every call the module makes on the owner and on its
// allocator, and can refuse allocations.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/module_contract.h"

class RecordingOwner {
 public:
  RecordingOwner();

  // The record handed to the module as an owner; its first bytes are the header.
  void* instance() { return &block_; }
  HostAllocator* allocator() { return &allocator_; }

  std::vector<std::string> events;  // "owner.addRef", "allocator.free", ...
  int refusalsLeft = 0;             // allocate() returns null this many times
  int allocations = 0;
  int frees = 0;
  int ownerReferences = 0;          // addRef minus release on the owner
  HostCode queryResult = kOk;       // what the owner's queryInterface answers
  void* queryOutput = nullptr;      // and stores

 private:
  struct Allocator final : HostAllocator {
    RecordingOwner* owner;
    HostCode XCALL queryInterface(const ComponentId*, void**) override { return kRequestNotServed; }
    std::uint32_t XCALL addRef() override { return 1; }
    std::uint32_t XCALL release() override { return 1; }
    void* XCALL allocate(std::uint32_t size) override;
    void XCALL free(void* block) override;
  };
  struct Block {
    HostHeader header;
    RecordingOwner* self;
    std::uintptr_t body[32];
  };

  static HostCode XCALL ownerQuery(void* instance, const ComponentId*, void** out);
  static std::uint32_t XCALL ownerAddRef(void* instance);
  static std::uint32_t XCALL ownerRelease(void* instance);
  static RecordingOwner& from(void* instance) { return *static_cast<Block*>(instance)->self; }

  static const InstanceTable kTable;
  Allocator allocator_;
  Block block_{};
};
