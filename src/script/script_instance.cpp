#include "script/script_instance.h"

#include <new>

#include "host/component_id.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kAppDirectoryBufferSize = 255;
constexpr std::uint32_t kModuleFileSize = 254;

// Stands in for the directory when its buffer cannot be had, so that every
// method can rely on a zero-terminated text.
char gNoDirectory[1] = {'\0'};

template <typename T>
void requestService(HostCallback* callback, const ComponentId& id, T*& field) {
  field = nullptr;
  if (callback == nullptr) return;
  void* service = nullptr;
  // A refused service stays null: whatever a failed request left is not ours.
  if (callback->queryInterface(&id, &service) == kOk) field = static_cast<T*>(service);
}

template <typename T>
void giveBack(T*& field) {
  if (field != nullptr) field->release();
  field = nullptr;
}

char* findAppDirectory() {
  char* directory = new (std::nothrow) char[kAppDirectoryBufferSize];
  if (directory == nullptr) return gNoDirectory;
  directory[kAppDirectoryBufferSize - 1] = '\0';
  if (platform::getModuleFileName(directory, kModuleFileSize) == 0) directory[0] = '\0';
  keepDirectoryPart(directory);
  return directory;
}

}  // namespace

void keepDirectoryPart(char* path) {
  std::size_t lastBackslash = 0;
  for (std::size_t i = 0; path[i] != '\0'; ++i)
    if (path[i] == '\\') lastBackslash = i;
  if (lastBackslash > 0) path[lastBackslash + 1] = '\0';
}

HostCode XCALL createScriptInstance(void* instance) noexcept {
  auto& self = *static_cast<ScriptInstance*>(instance);
  HostCallback* callback = self.header.callback;
  requestService(callback, ids::kHandleServices, self.handleServices);
  requestService(callback, ids::kAppInfoServices, self.appInfo);
  requestService(callback, ids::kReservedServicesA, self.reservedServicesA);
  requestService(callback, ids::kValueServices, self.valueServices);
  requestService(callback, ids::kReservedServicesB, self.reservedServicesB);
  requestService(callback, ids::kListServices, self.listServices);
  requestService(callback, ids::kWindowsAppServices, self.windowsAppServices);
  requestService(callback, ids::kPlayerServices, self.player);
  requestService(callback, ids::kMediaServices, self.mediaServices);

  self.reservedPointer = nullptr;
  self.stageWindow = nullptr;
  self.activeMovie = nullptr;
  self.workCast = nullptr;
  self.workMember = nullptr;
  self.scoreAccess = nullptr;
  self.workSprite = nullptr;

  self.appDirectory = findAppDirectory();
  return kOk;
}

HostCode XCALL createRegistrationInstance(void*) noexcept { return kOk; }

void XCALL destroyRegistrationInstance(void*) noexcept {}

// Nothing uses the instance after this: the services it holds go back to the
// host and the directory buffer is freed. Working fields hold nothing here;
// each call gave back what it fetched.
void XCALL destroyInstance(void* instance) noexcept {
  auto& self = *static_cast<ScriptInstance*>(instance);
  giveBack(self.handleServices);
  giveBack(self.appInfo);
  giveBack(self.reservedServicesA);
  giveBack(self.valueServices);
  giveBack(self.reservedServicesB);
  giveBack(self.listServices);
  giveBack(self.windowsAppServices);
  giveBack(self.player);
  giveBack(self.mediaServices);
  if (self.appDirectory != gNoDirectory) delete[] self.appDirectory;
  self.appDirectory = nullptr;
}
