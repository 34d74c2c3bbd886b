// Calling another script handler by name, handing on the script's further
// arguments unconverted and in their order.
#pragma once

#include "script/method_call.h"

// The handler's result becomes the call's result.
HostCode callAFunction(MethodCall& call);
// The handler's result, if any, is dropped.
HostCode callACommand(MethodCall& call);
