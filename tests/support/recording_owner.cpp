#include "support/recording_owner.h"

const InstanceTable RecordingOwner::kTable = {ownerQuery, ownerAddRef, ownerRelease};

RecordingOwner::RecordingOwner() {
  allocator_.owner = this;
  block_.header.instanceTable = &kTable;
  block_.header.allocator = &allocator_;
  block_.self = this;
}

void* XCALL RecordingOwner::Allocator::allocate(std::uint32_t size) {
  owner->events.push_back("allocator.allocate " + std::to_string(size));
  if (owner->refusalsLeft > 0) {
    --owner->refusalsLeft;
    return nullptr;
  }
  ++owner->allocations;
  return std::malloc(size);
}

void XCALL RecordingOwner::Allocator::free(void* block) {
  owner->events.push_back("allocator.free");
  ++owner->frees;
  std::free(block);
}

HostCode XCALL RecordingOwner::ownerQuery(void* instance, const ComponentId*, void** out) {
  RecordingOwner& self = from(instance);
  self.events.push_back("owner.queryInterface");
  *out = self.queryOutput;
  return self.queryResult;
}

std::uint32_t XCALL RecordingOwner::ownerAddRef(void* instance) {
  RecordingOwner& self = from(instance);
  self.events.push_back("owner.addRef");
  return static_cast<std::uint32_t>(++self.ownerReferences);
}

std::uint32_t XCALL RecordingOwner::ownerRelease(void* instance) {
  RecordingOwner& self = from(instance);
  self.events.push_back("owner.release");
  return static_cast<std::uint32_t>(--self.ownerReferences);
}
