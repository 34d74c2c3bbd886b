#include "script/call_dispatch.h"

HostCode XCALL callMethod(InterfaceObject*, CallRecord*) noexcept { return kRequestNotServed; }
