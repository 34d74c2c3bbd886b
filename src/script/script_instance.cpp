#include "script/script_instance.h"

HostCode XCALL createScriptInstance(void*) noexcept { return kOk; }

HostCode XCALL createRegistrationInstance(void*) noexcept { return kOk; }

void XCALL destroyInstance(void*) noexcept {}
