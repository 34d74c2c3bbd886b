// Reference counting of the interface objects a host obtains, and the
// unload answer that follows from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/id_text.h"
#include "support/module_path.h"
#include "support/recording_owner.h"

namespace {

const ComponentId kScriptInterface = idFromText("{AC401FB6-0001-F9B0-0000-0800072C6326}");
const ComponentId kRegisterInterface = idFromText("{AC3E7803-0002-8FE5-0000-080007160DC3}");

HostUnknown* createFor(RecordingOwner& owner, const ComponentId& interfaceId) {
  void* object = nullptr;
  EXPECT_EQ(loadedModule().getInterface(owner.instance(), nullptr, &interfaceId, &object), kOk);
  return static_cast<HostUnknown*>(object);
}

using Events = std::vector<std::string>;

}  // namespace

TEST(InterfaceObject, CreateAndReleaseBalanceTheOwnerAndFreeTheRecordFirst) {
  for (const ComponentId& interfaceId : {kRegisterInterface, kScriptInterface}) {
    RecordingOwner owner;
    HostUnknown* object = createFor(owner, interfaceId);
    ASSERT_NE(object, nullptr);
    const std::string allocation = "allocator.allocate " + std::to_string(3 * sizeof(void*));
    EXPECT_EQ(owner.events, (Events{allocation, "owner.addRef", "owner.addRef"}));

    owner.events.clear();
    EXPECT_EQ(object->release(), 0u);
    // The record goes back through the owner's allocator before the owner may go.
    EXPECT_EQ(owner.events, (Events{"allocator.free", "owner.release", "owner.release"}));
    EXPECT_EQ(owner.ownerReferences, 0);
    EXPECT_EQ(owner.allocations, owner.frees);
  }
}

TEST(InterfaceObject, EachReferenceHoldsTheOwner) {
  RecordingOwner owner;
  HostUnknown* object = createFor(owner, kScriptInterface);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->addRef(), 2u);
  EXPECT_EQ(owner.ownerReferences, 3);

  EXPECT_EQ(object->release(), 1u);
  EXPECT_EQ(owner.ownerReferences, 2);
  EXPECT_EQ(owner.frees, 0);

  EXPECT_EQ(object->release(), 0u);
  EXPECT_EQ(owner.ownerReferences, 0);
  EXPECT_EQ(owner.frees, 1);
}

TEST(InterfaceObject, QueryInterfaceIsTheOwnersAnswer) {
  RecordingOwner owner;
  HostUnknown* object = createFor(owner, kScriptInterface);
  ASSERT_NE(object, nullptr);
  int marker = 0;
  for (HostCode answer : {kOk, toCode(0x80004002u)}) {
    owner.queryResult = answer;
    owner.queryOutput = &marker;
    void* out = nullptr;
    const int referencesBefore = owner.ownerReferences;
    EXPECT_EQ(object->queryInterface(&kScriptInterface, &out), answer);
    EXPECT_EQ(out, &marker);
    EXPECT_EQ(owner.ownerReferences, referencesBefore);
  }
  // The reference count was not touched: one release frees the object.
  EXPECT_EQ(object->release(), 0u);
}

TEST(InterfaceObject, RefusedAllocationTakesNoReference) {
  RecordingOwner owner;
  owner.refusalsLeft = 1;
  void* object = &owner;
  EXPECT_EQ(loadedModule().getInterface(owner.instance(), nullptr, &kScriptInterface, &object),
            kMemoryNotAvailable);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(owner.events, (Events{"allocator.allocate " + std::to_string(3 * sizeof(void*))}));
  EXPECT_EQ(loadedModule().canUnloadNow(), kOk);
}

TEST(DllCanUnloadNow, FollowsTheLiveInterfaceObjects) {
  const ModuleLibrary& module = loadedModule();
  RecordingOwner owner;
  EXPECT_EQ(module.canUnloadNow(), kOk);
  HostUnknown* first = createFor(owner, kScriptInterface);
  HostUnknown* second = createFor(owner, kRegisterInterface);
  EXPECT_EQ(module.canUnloadNow(), kModuleInUse);
  first->addRef();
  first->release();
  first->release();
  EXPECT_EQ(module.canUnloadNow(), kModuleInUse);
  second->release();
  EXPECT_EQ(module.canUnloadNow(), kOk);
  EXPECT_EQ(owner.ownerReferences, 0);
}
