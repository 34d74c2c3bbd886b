// The class questions a host asks through the exports, answered by the
// loaded module file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "support/id_text.h"
#include "support/module_path.h"
#include "support/recording_owner.h"

namespace {

const ComponentId kRegistrationClass = idFromText("{3C5B7E21-4D0A-4F6B-9E12-7A1C2B3D4E51}");
const ComponentId kScriptClass = idFromText("{3C5B7E22-4D0A-4F6B-9E12-7A1C2B3D4E51}");
const ComponentId kRegisterInterface = idFromText("{AC3E7803-0002-8FE5-0000-080007160DC3}");
const ComponentId kScriptInterface = idFromText("{AC401FB6-0001-F9B0-0000-0800072C6326}");
const ComponentId kBaseInterface = idFromText("{00000001-0000-0000-C000-000000000046}");
const ComponentId kUnknownId = idFromText("{12345678-1234-1234-1234-123456789ABC}");

void appendBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
  auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + size);
}
void appendWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}
void appendId(std::vector<std::uint8_t>& out, const ComponentId& id) {
  appendWord(out, id.data1);
  for (std::uint16_t half : {id.data2, id.data3})
    for (int i = 0; i < 2; ++i) out.push_back(static_cast<std::uint8_t>(half >> (8 * i)));
  appendBytes(out, id.data4, 8);
}

}  // namespace

TEST(DllGetClassInfo, HandsOutFiveRecordsByteForByte) {
  RecordingOwner owner;
  HostAllocator* allocator = owner.allocator();
  ClassInfoRecord* records = nullptr;
  ASSERT_EQ(loadedModule().getClassInfo(allocator, &records), kOk);
  ASSERT_NE(records, nullptr);
  EXPECT_EQ(owner.events, std::vector<std::string>{"allocator.allocate 200"});

  std::vector<std::uint8_t> expected;
  const std::uint32_t version = 0x01000040;
  for (auto [classId, interfaceId] :
       {std::pair{kRegistrationClass, kRegisterInterface}, std::pair{kScriptClass, kScriptInterface}}) {
    appendId(expected, classId);
    appendWord(expected, version);
    appendId(expected, kBaseInterface);
    appendWord(expected, 1);
    appendId(expected, classId);
    appendWord(expected, version);
    appendId(expected, interfaceId);
    appendWord(expected, version);
  }
  std::vector<std::uint8_t> actual;
  appendBytes(actual, records, 160);
  EXPECT_EQ(actual, expected);

  // The fifth record ends the array: only its two IDs are written, as zeros.
  const std::uint8_t zeros[16] = {};
  EXPECT_EQ(std::memcmp(&records[4].classId, zeros, 16), 0);
  EXPECT_EQ(std::memcmp(&records[4].interfaceId, zeros, 16), 0);
  allocator->free(records);
}

TEST(DllGetClassInfo, RefusedAllocationAsksOnceAndReportsNull) {
  RecordingOwner owner;
  owner.refusalsLeft = 10;
  ClassInfoRecord* records = reinterpret_cast<ClassInfoRecord*>(&owner);
  EXPECT_EQ(loadedModule().getClassInfo(owner.allocator(), &records),
            kMemoryNotAvailable);
  EXPECT_EQ(records, nullptr);
  EXPECT_EQ(owner.events.size(), 1u);
}

TEST(DllGetClassForm, AnswersForEachClassAndRefusesOthers) {
  // The header is six pointer-sized words; a script object adds seventeen.
  const std::uint32_t registrationSize = 6 * sizeof(void*);
  const std::uint32_t scriptSize = (6 + 17) * sizeof(void*);
  if (sizeof(void*) == 4) {
    EXPECT_EQ(registrationSize, 24u);
    EXPECT_EQ(scriptSize, 92u);
  }

  struct Form {
    std::uint32_t size = 0xDDDDDDDD;
    CreateRoutine create = reinterpret_cast<CreateRoutine>(std::uintptr_t{1});
    DestroyRoutine destroy = reinterpret_cast<DestroyRoutine>(std::uintptr_t{1});
  };
  const ModuleLibrary& module = loadedModule();
  Form registration, script, byNull, unknown;
  EXPECT_EQ(module.getClassForm(&kRegistrationClass, &registration.size, &registration.create,
                                &registration.destroy), kOk);
  EXPECT_EQ(module.getClassForm(&kScriptClass, &script.size, &script.create, &script.destroy),
            kOk);
  EXPECT_EQ(module.getClassForm(nullptr, &byNull.size, &byNull.create, &byNull.destroy), kOk);
  EXPECT_EQ(module.getClassForm(&kUnknownId, &unknown.size, &unknown.create, &unknown.destroy),
            kClassNotFound);

  EXPECT_EQ(registration.size, registrationSize);
  EXPECT_EQ(script.size, scriptSize);
  EXPECT_NE(registration.create, script.create);
  // Each class has its own destroy routine: one shared routine could not tell
  // a 24-byte registration record from a script object.
  EXPECT_NE(registration.destroy, script.destroy);
  // A null class ID stands for the first row, the registration class.
  EXPECT_EQ(byNull.size, registration.size);
  EXPECT_EQ(byNull.create, registration.create);
  EXPECT_EQ(byNull.destroy, registration.destroy);
  // Refused: the outputs are untouched.
  Form untouched;
  EXPECT_EQ(unknown.size, untouched.size);
  EXPECT_EQ(unknown.create, untouched.create);
  EXPECT_EQ(unknown.destroy, untouched.destroy);
}

TEST(DllGetInterface, ServesAnInterfaceOnlyFromItsOwnRow) {
  struct Case {
    const char* what;
    const ComponentId* classId;
    ComponentId interfaceId;
    HostCode expected;
  };
  const Case cases[] = {
      {"registration class, its interface", &kRegistrationClass, kRegisterInterface, kOk},
      {"script class, its interface", &kScriptClass, kScriptInterface, kOk},
      {"registration class, script interface", &kRegistrationClass, kScriptInterface,
       kRequestNotServed},
      {"script class, register interface", &kScriptClass, kRegisterInterface, kRequestNotServed},
      {"any class, script interface", nullptr, kScriptInterface, kOk},
      {"any class, register interface", nullptr, kRegisterInterface, kOk},
      {"base interface of the class records", nullptr, kBaseInterface, kRequestNotServed},
      {"unknown class", &kUnknownId, kScriptInterface, kRequestNotServed},
      {"unknown interface", &kScriptClass, kUnknownId, kRequestNotServed},
  };
  const ModuleLibrary& module = loadedModule();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingOwner owner;
    void* object = &owner;  // a sentinel that a refusal leaves in place
    EXPECT_EQ(module.getInterface(owner.instance(), c.classId, &c.interfaceId, &object),
              c.expected);
    if (c.expected != kOk) {
      EXPECT_EQ(object, &owner);
      EXPECT_TRUE(owner.events.empty());
      continue;
    }
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(static_cast<HostUnknown*>(object)->release(), 0u);
    EXPECT_EQ(owner.ownerReferences, 0);
  }
}

TEST(DllGetClassObject, AlwaysRefuses) {
  EXPECT_EQ(loadedModule().getClassObject(0, 0, 0), kClassNotFound);
  EXPECT_EQ(loadedModule().getClassObject(1, 0xFFFFFFFF, 42), kClassNotFound);
}
