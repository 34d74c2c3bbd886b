// What the host and this module agree on at the module's edge: the header the
// host puts in front of every instance, the routines and records the exports
// hand out, and the two interfaces the module serves.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/calling.h"
#include "host/component_id.h"
#include "host/services.h"
#include "host/values.h"

// The host's own operations on an instance it allocated.
struct InstanceTable {
  HostCode(XCALL* queryInterface)(void* instance, const ComponentId* interfaceId, void** out);
  std::uint32_t(XCALL* addRef)(void* instance);
  std::uint32_t(XCALL* release)(void* instance);
};

// The first six words of every instance, filled by the host before the create
// routine runs. The module reads words 0, 2 and 3 and never writes any.
struct HostHeader {
  const InstanceTable* instanceTable;
  std::uintptr_t hostWord1;
  HostCallback* callback;
  HostAllocator* allocator;
  std::uintptr_t hostWord4;
  std::uintptr_t hostWord5;
};

// Routines the class table hands to the host.
using CreateRoutine = HostCode(XCALL*)(void* instance);
using DestroyRoutine = void(XCALL*)(void* instance);
using InterfaceCreator = HostCode(XCALL*)(void* owner, void** outInterface);

// One record of the array DllGetClassInfo returns; 40 bytes, no gaps.
struct ClassInfoRecord {
  ComponentId classId;
  std::uint32_t classVersion;
  ComponentId interfaceId;
  std::uint32_t interfaceVersion;
};
static_assert(sizeof(ClassInfoRecord) == 40, "class records are 40 bytes without gaps");
static_assert(offsetof(ClassInfoRecord, interfaceId) == 20, "class record layout");

// The interfaces the module serves, as the host calls them.
struct RegisterInterface : HostUnknown {
  virtual HostCode XCALL Register(RegistrationCache* cache, void* xtraDictionary) = 0;
};
struct ScriptInterface : HostUnknown {
  virtual HostCode XCALL Call(CallRecord* record) = 0;
};

// The five exports, as a host looks them up by name. None lets an
// exception out.
using DllGetClassInfoFn = HostCode(XCALL*)(HostAllocator* allocator, ClassInfoRecord** outRecords) noexcept;
using DllGetClassFormFn = HostCode(XCALL*)(const ComponentId* classId,
                                           std::uint32_t* outInstanceSize,
                                           CreateRoutine* outCreate, DestroyRoutine* outDestroy) noexcept;
using DllGetInterfaceFn = HostCode(XCALL*)(void* owner, const ComponentId* classId,
                                           const ComponentId* interfaceId, void** outInterface) noexcept;
using DllCanUnloadNowFn = HostCode(XCALL*)() noexcept;
using DllGetClassObjectFn = HostCode(XCALL*)(std::uint32_t, std::uint32_t, std::uint32_t) noexcept;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(HostHeader) == 24, "the host header is six 32-bit words");
#endif
