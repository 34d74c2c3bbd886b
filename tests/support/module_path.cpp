#include "support/module_path.h"

#include <cstdio>
#include <cstdlib>
#include <string>

const ModuleLibrary& loadedModule() {
  static std::unique_ptr<ModuleLibrary> module = [] {
    std::string error;
    auto opened = ModuleLibrary::open(moduleUnderTest(), &error);
    if (!opened) {
      std::fprintf(stderr, "cannot load %s: %s\n", moduleUnderTest(), error.c_str());
      std::abort();
    }
    // Shows in every tier's log which file the end-to-end tests ran against.
    std::printf("[ module   ] %s\n", moduleUnderTest());
    return opened;
  }();
  return *module;
}
