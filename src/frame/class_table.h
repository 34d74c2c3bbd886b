// The module's two classes and the one walker that every class question of
// the host goes through.
#pragma once

#include <cstdint>

#include "host/module_contract.h"

struct ClassTableRow {
  ComponentId classId;
  std::uint32_t classVersion;
  std::uint32_t instanceSize;
  CreateRoutine create;
  DestroyRoutine destroy;
  ComponentId interfaceId;
  std::uint32_t interfaceVersion;
  InterfaceCreator interfaceCreator;
};

// A visitor's non-zero result ends the walk and becomes the walk's result.
using ClassVisitor = std::int32_t (*)(const ComponentId& classId, std::uint32_t classVersion,
                                      std::uint32_t instanceSize, CreateRoutine create,
                                      DestroyRoutine destroy, void* context);
using InterfaceVisitor = std::int32_t (*)(const ComponentId& classId, std::uint32_t classVersion,
                                          const ComponentId& interfaceId,
                                          std::uint32_t interfaceVersion,
                                          InterfaceCreator creator, void* context);

// Visits the rows in table order whose class ID equals *filter (every row when
// filter is null): first the class visitor, then the interface visitor; either
// may be null. Returns the first non-zero visitor result, else 0.
std::int32_t walkClassTable(const ComponentId* filter, ClassVisitor classVisitor,
                            InterfaceVisitor interfaceVisitor, void* context);

// The class version and interface version of both rows.
constexpr std::uint32_t kClassVersion = 0x01000040;

// The implementations behind the exports of the same names.
HostCode getClassInfo(HostAllocator* allocator, ClassInfoRecord** outRecords);
HostCode getClassForm(const ComponentId* classId, std::uint32_t* outInstanceSize,
                      CreateRoutine* outCreate, DestroyRoutine* outDestroy);
HostCode getInterface(void* owner, const ComponentId* classId, const ComponentId* interfaceId,
                      void** outInterface);
