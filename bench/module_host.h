// The host's side of the module's edge: it learns the module's classes
// through the exports, allocates instances itself, fills their header,
// runs their create and destroy routines, obtains interface objects with
// DllGetInterface, and registers the module with a registration cache of
// its own. Calls into the module appear in the trace as "module.<name>".
//
// Instances: the host holds one reference on each instance it allocates;
// interface objects of the module hold more through the instance table. The
// host frees an instance only when its own reference is the last one; an
// instance still referenced is reported and kept. Instance memory stays
// reserved until the host ends, so a module that keeps a pointer to a freed
// instance touches no other memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "header_objects.h"
#include "host.h"
#include "module_library.h"
#include "registration_cache.h"

namespace bench {

struct ClassForm {
  ComponentId classId{};
  std::uint32_t classVersion = 0;
  ComponentId interfaceId{};  // the class's own interface
  std::uint32_t interfaceVersion = 0;
  std::uint32_t instanceSize = 0;
  CreateRoutine create = nullptr;
  DestroyRoutine destroy = nullptr;
};

class ModuleHost {
 public:
  struct Instance;

  ModuleHost(Host& host, const ModuleLibrary& library);
  ~ModuleHost();
  ModuleHost(const ModuleHost&) = delete;
  ModuleHost& operator=(const ModuleHost&) = delete;

  // DllGetClassInfo, then DllGetClassForm for each class it lists; the code
  // of the first export that fails. Asked once; later calls repeat the code.
  HostCode learnClasses();
  const std::vector<ClassForm>& classes() const { return classes_; }
  // The records DllGetClassInfo handed over, up to and with the end record.
  const std::vector<ClassInfoRecord>& classRecords() const { return records_; }
  const ClassForm* classOffering(const ComponentId& interfaceId) const;

  // Allocates an instance, fills its header and runs its create routine.
  // Null, with the routine's code, when it fails; the host then frees the
  // instance without its destroy routine.
  Instance* createInstance(const ClassForm& form, HostCode* code);
  // DllGetInterface for the instance's own class and interface.
  HostCode getInterface(Instance& instance, void** out);
  // Runs the destroy routine and frees the instance, unless the module
  // still references it.
  bool destroyInstance(Instance& instance);

  // Creates a registration instance and calls Register with a new
  // registration cache; the code Register returned.
  HostCode registerModule();
  Registry& registry() { return registry_; }
  const Registry& registry() const { return registry_; }

  HostCode canUnloadNow();

  CallbackObject* callback() const { return callback_; }
  AllocatorObject* allocator() const { return allocator_; }
  Host& host() { return host_; }

 private:
  static HostCode XCALL instanceQuery(void* instance, const ComponentId* interfaceId, void** out);
  static std::uint32_t XCALL instanceAddRef(void* instance);
  static std::uint32_t XCALL instanceRelease(void* instance);
  static const InstanceTable kInstanceTable;

  Host& host_;
  const ModuleLibrary& library_;
  CallbackObject* callback_;
  AllocatorObject* allocator_;
  std::vector<ClassForm> classes_;
  std::vector<ClassInfoRecord> records_;
  bool learned_ = false;
  HostCode learnCode_ = kOk;
  std::vector<std::unique_ptr<Instance>> instances_;
  Registry registry_;
  int dictionary_ = 0;  // its address is the xtraDictionary word Register passes on
};

}  // namespace bench
