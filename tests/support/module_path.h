// The module under test, loaded once per test program as a host loads it.
#pragma once

#include "module_library.h"

inline const char* moduleUnderTest() { return MRVXTRA_MODULE; }

// The loaded module; the test fails hard when the file does not load.
const ModuleLibrary& loadedModule();
