// The module's only entry points. Each is a thin shell: no exception may
// cross into the host, which knows nothing of them.
#include <type_traits>

#include "frame/class_table.h"
#include "frame/interface_object.h"

#if defined(_WIN32)
// The module needs no work of its own at load or unload, for any reason.
// Declared without the system headers, whose own declarations of two of the
// exports below differ from the host's.
extern "C" int __stdcall DllMain(void* /*module*/, unsigned long /*reason*/,
                                 void* /*reserved*/) {
  return 1;
}
#endif

extern "C" {

XEXPORT HostCode XCALL DllGetClassInfo(HostAllocator* allocator,
                                       ClassInfoRecord** outRecords) noexcept {
  return getClassInfo(allocator, outRecords);
}

XEXPORT HostCode XCALL DllGetClassForm(const ComponentId* classId,
                                       std::uint32_t* outInstanceSize, CreateRoutine* outCreate,
                                       DestroyRoutine* outDestroy) noexcept {
  return getClassForm(classId, outInstanceSize, outCreate, outDestroy);
}

XEXPORT HostCode XCALL DllGetInterface(void* owner, const ComponentId* classId,
                                       const ComponentId* interfaceId,
                                       void** outInterface) noexcept {
  return getInterface(owner, classId, interfaceId, outInterface);
}

XEXPORT HostCode XCALL DllCanUnloadNow() noexcept {
  return liveObjectCount() == 0 ? kOk : kModuleInUse;
}

XEXPORT HostCode XCALL DllGetClassObject(std::uint32_t, std::uint32_t, std::uint32_t) noexcept {
  return kClassNotFound;
}

}  // extern "C"

// A host calls the exports through exactly these types; on 32-bit Windows a
// convention lost here would still link and export the plain names, and only
// a real host's stack would show it.
static_assert(std::is_same_v<decltype(&DllGetClassInfo), DllGetClassInfoFn>);
static_assert(std::is_same_v<decltype(&DllGetClassForm), DllGetClassFormFn>);
static_assert(std::is_same_v<decltype(&DllGetInterface), DllGetInterfaceFn>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), DllCanUnloadNowFn>);
static_assert(std::is_same_v<decltype(&DllGetClassObject), DllGetClassObjectFn>);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(!std::is_same_v<HostCode(XCALL*)(), HostCode (*)()>,
              "XCALL must select __stdcall on 32-bit Windows");
#endif
