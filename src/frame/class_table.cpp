#include "frame/class_table.h"

#include <cstddef>

#include "frame/interface_object.h"
#include "script/script_instance.h"

namespace {

const ClassTableRow kClassTable[] = {
    {ids::kRegistrationClass, kClassVersion, sizeof(RegistrationInstance),
     createRegistrationInstance, destroyRegistrationInstance, ids::kRegisterInterface, kClassVersion,
     createRegisterInterface},
    {ids::kScriptClass, kClassVersion, sizeof(ScriptInstance), createScriptInstance,
     destroyInstance, ids::kScriptInterface, kClassVersion, createScriptInterface},
};

// --- DllGetClassInfo: one record per class, then one per interface ---------

struct RecordWriter {
  std::uint32_t count;
  ClassInfoRecord* cursor;  // null while only counting
};

void writeRecord(RecordWriter& writer, const ComponentId& classId, std::uint32_t classVersion,
                 const ComponentId& interfaceId, std::uint32_t interfaceVersion) {
  ++writer.count;
  if (writer.cursor == nullptr) return;
  writer.cursor->classId = classId;
  writer.cursor->classVersion = classVersion;
  writer.cursor->interfaceId = interfaceId;
  writer.cursor->interfaceVersion = interfaceVersion;
  ++writer.cursor;
}

std::int32_t recordClass(const ComponentId& classId, std::uint32_t classVersion, std::uint32_t,
                         CreateRoutine, DestroyRoutine, void* context) {
  writeRecord(*static_cast<RecordWriter*>(context), classId, classVersion, ids::kBaseInterface, 1);
  return 0;
}

std::int32_t recordInterface(const ComponentId& classId, std::uint32_t classVersion,
                             const ComponentId& interfaceId, std::uint32_t interfaceVersion,
                             InterfaceCreator, void* context) {
  writeRecord(*static_cast<RecordWriter*>(context), classId, classVersion, interfaceId,
              interfaceVersion);
  return 0;
}

// --- DllGetClassForm: the first class visited -------------------------------

struct FormRequest {
  std::uint32_t* outInstanceSize;
  CreateRoutine* outCreate;
  DestroyRoutine* outDestroy;
  bool found;
};

std::int32_t takeForm(const ComponentId&, std::uint32_t, std::uint32_t instanceSize,
                      CreateRoutine create, DestroyRoutine destroy, void* context) {
  auto& request = *static_cast<FormRequest*>(context);
  *request.outInstanceSize = instanceSize;
  *request.outCreate = create;
  *request.outDestroy = destroy;
  request.found = true;
  return 1;
}

// --- DllGetInterface: the first row offering the interface -------------------

struct CreatorSearch {
  const ComponentId* interfaceId;
  InterfaceCreator creator;
};

std::int32_t findCreator(const ComponentId&, std::uint32_t, const ComponentId& interfaceId,
                         std::uint32_t, InterfaceCreator creator, void* context) {
  auto& search = *static_cast<CreatorSearch*>(context);
  if (interfaceId != *search.interfaceId) return 0;
  search.creator = creator;
  return 1;
}

}  // namespace

std::int32_t walkClassTable(const ComponentId* filter, ClassVisitor classVisitor,
                            InterfaceVisitor interfaceVisitor, void* context) {
  for (const ClassTableRow& row : kClassTable) {
    if (filter != nullptr && *filter != row.classId) continue;
    if (classVisitor != nullptr) {
      std::int32_t stop = classVisitor(row.classId, row.classVersion, row.instanceSize, row.create,
                                       row.destroy, context);
      if (stop != 0) return stop;
    }
    if (interfaceVisitor != nullptr) {
      std::int32_t stop = interfaceVisitor(row.classId, row.classVersion, row.interfaceId,
                                           row.interfaceVersion, row.interfaceCreator, context);
      if (stop != 0) return stop;
    }
  }
  return 0;
}

HostCode getClassInfo(HostAllocator* allocator, ClassInfoRecord** outRecords) {
  RecordWriter writer{0, nullptr};
  walkClassTable(nullptr, recordClass, recordInterface, &writer);

  // One more record than the table yields: its zero IDs end the array.
  const std::uint32_t recordCount = writer.count + 1;
  auto* records =
      static_cast<ClassInfoRecord*>(allocator->allocate(recordCount * sizeof(ClassInfoRecord)));
  *outRecords = records;
  if (records == nullptr) return kMemoryNotAvailable;

  writer.cursor = records;
  walkClassTable(nullptr, recordClass, recordInterface, &writer);
  writer.cursor->classId = ComponentId{};
  writer.cursor->interfaceId = ComponentId{};
  return kOk;
}

HostCode getClassForm(const ComponentId* classId, std::uint32_t* outInstanceSize,
                      CreateRoutine* outCreate, DestroyRoutine* outDestroy) {
  FormRequest request{outInstanceSize, outCreate, outDestroy, false};
  walkClassTable(classId, takeForm, nullptr, &request);
  return request.found ? kOk : kClassNotFound;
}

HostCode getInterface(void* owner, const ComponentId* classId, const ComponentId* interfaceId,
                      void** outInterface) {
  CreatorSearch search{interfaceId, nullptr};
  walkClassTable(classId, nullptr, findCreator, &search);
  if (search.creator == nullptr) return kRequestNotServed;
  return search.creator(owner, outInterface);
}
