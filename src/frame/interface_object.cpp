#include "frame/interface_object.h"

#include <new>

#include "frame/registration.h"
#include "script/call_dispatch.h"

namespace {

std::int32_t gLiveObjects = 0;

const RegisterFunctionTable kRegisterFunctions = {queryInterface, addRef, release, registerXtra};
const ScriptFunctionTable kScriptFunctions = {queryInterface, addRef, release, callMethod};

std::uint32_t ownerAddRef(void* owner) {
  return headerOf(owner).instanceTable->addRef(owner);
}
std::uint32_t ownerRelease(void* owner) {
  return headerOf(owner).instanceTable->release(owner);
}

HostCode createInterface(void* owner, const void* functionTable, void** outInterface) {
  auto* object = static_cast<InterfaceObject*>(
      allocateWithRetry(sizeof(InterfaceObject), headerOf(owner).allocator));
  if (object == nullptr) {
    *outInterface = nullptr;
    return kMemoryNotAvailable;
  }
  object->owner = owner;
  object->refCount = 1;
  // One reference for the object's own first reference, one that keeps the
  // owner alive until the object is freed.
  ownerAddRef(owner);
  ownerAddRef(owner);
  ++gLiveObjects;
  object->functionTable = functionTable;
  *outInterface = object;
  return kOk;
}

}  // namespace

HostCode XCALL createRegisterInterface(void* owner, void** outInterface) noexcept {
  return createInterface(owner, &kRegisterFunctions, outInterface);
}

HostCode XCALL createScriptInterface(void* owner, void** outInterface) noexcept {
  return createInterface(owner, &kScriptFunctions, outInterface);
}

HostCode XCALL queryInterface(InterfaceObject* object, const ComponentId* interfaceId,
                              void** out) noexcept {
  return headerOf(object->owner).instanceTable->queryInterface(object->owner, interfaceId, out);
}

std::uint32_t XCALL addRef(InterfaceObject* object) noexcept {
  ownerAddRef(object->owner);
  return static_cast<std::uint32_t>(++object->refCount);
}

std::uint32_t XCALL release(InterfaceObject* object) noexcept {
  void* owner = object->owner;
  const std::int32_t remaining = --object->refCount;
  if (remaining == 0) {
    // The allocator is reached through the owner, so the record goes back
    // before the owner may go away with its last reference.
    headerOf(owner).allocator->free(object);
    --gLiveObjects;
    ownerRelease(owner);
  }
  ownerRelease(owner);
  return static_cast<std::uint32_t>(remaining);
}

std::int32_t liveObjectCount() { return gLiveObjects; }

void* allocateWithRetry(std::uint32_t size, HostAllocator* allocator) {
  for (;;) {
    if (void* block = allocator->allocate(size)) return block;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) return nullptr;
    // The standard handler either frees memory, throws, or ends the process.
    // An exception must never leave the module, so it ends the retries.
    try {
      handler();
    } catch (...) {
      return nullptr;
    }
  }
}
