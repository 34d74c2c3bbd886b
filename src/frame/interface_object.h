// The small object through which the host reaches one instance's operations.
// It lives in the owner's allocator and keeps its owner alive: while it lives
// it holds refCount + 1 references on the owner.
#pragma once

#include <cstdint>

#include "host/module_contract.h"

struct InterfaceObject {
  const void* functionTable;  // RegisterFunctionTable or ScriptFunctionTable
  void* owner;                // the instance it serves, allocated by the host
  std::int32_t refCount;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(InterfaceObject) == 12, "the host sees a 12-byte interface record");
#endif

using QueryOperation = HostCode(XCALL*)(InterfaceObject* object, const ComponentId* interfaceId,
                                        void** out);
using CountOperation = std::uint32_t(XCALL*)(InterfaceObject* object);

// Slot for slot the same as RegisterInterface and ScriptInterface, which is
// how the host sees these objects.
struct RegisterFunctionTable {
  QueryOperation queryInterface;
  CountOperation addRef;
  CountOperation release;
  HostCode(XCALL* registerXtra)(InterfaceObject* object, RegistrationCache* cache,
                                void* xtraDictionary);
};
struct ScriptFunctionTable {
  QueryOperation queryInterface;
  CountOperation addRef;
  CountOperation release;
  HostCode(XCALL* call)(InterfaceObject* object, CallRecord* record);
};

// The interface creators of the class table: a new object with refCount 1 in
// *outInterface and 0, or null and kMemoryNotAvailable.
HostCode XCALL createRegisterInterface(void* owner, void** outInterface) noexcept;
HostCode XCALL createScriptInterface(void* owner, void** outInterface) noexcept;

HostCode XCALL queryInterface(InterfaceObject* object, const ComponentId* interfaceId, void** out) noexcept;
std::uint32_t XCALL addRef(InterfaceObject* object) noexcept;
std::uint32_t XCALL release(InterfaceObject* object) noexcept;

// Interface objects created and not yet freed, across the whole module.
std::int32_t liveObjectCount();

// allocate(size) on the allocator; while it refuses and the standard
// library's out-of-memory handler is installed, runs the handler and tries
// again. Null only when it refuses with no handler left.
void* allocateWithRetry(std::uint32_t size, HostAllocator* allocator);

// The instance header every owner starts with.
inline HostHeader& headerOf(void* owner) { return *static_cast<HostHeader*>(owner); }
