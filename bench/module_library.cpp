#include "module_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

void* loadFile(const std::string& path, std::string* error) {
#if defined(_WIN32)
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) *error = "LoadLibraryA failed, error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
#else
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) *error = dlerror();
  return handle;
#endif
}

void closeFile(void* handle) {
#if defined(_WIN32)
  FreeLibrary(static_cast<HMODULE>(handle));
#else
  dlclose(handle);
#endif
}

}  // namespace

std::unique_ptr<ModuleLibrary> ModuleLibrary::open(const std::string& path, std::string* error) {
  void* handle = loadFile(path, error);
  if (handle == nullptr) return nullptr;
  std::unique_ptr<ModuleLibrary> library(new ModuleLibrary(path, handle));
  library->getClassInfo = reinterpret_cast<DllGetClassInfoFn>(library->lookUp("DllGetClassInfo", error));
  library->getClassForm = reinterpret_cast<DllGetClassFormFn>(library->lookUp("DllGetClassForm", error));
  library->getInterface = reinterpret_cast<DllGetInterfaceFn>(library->lookUp("DllGetInterface", error));
  library->canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(library->lookUp("DllCanUnloadNow", error));
  library->getClassObject =
      reinterpret_cast<DllGetClassObjectFn>(library->lookUp("DllGetClassObject", error));
  if (!library->getClassInfo || !library->getClassForm || !library->getInterface ||
      !library->canUnloadNow || !library->getClassObject)
    return nullptr;
  return library;
}

ModuleLibrary::~ModuleLibrary() { closeFile(handle_); }

void* ModuleLibrary::lookUp(const char* name, std::string* error) {
#if defined(_WIN32)
  void* symbol = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
  void* symbol = dlsym(handle_, name);
#endif
  if (symbol == nullptr) *error = std::string("missing export ") + name;
  return symbol;
}
