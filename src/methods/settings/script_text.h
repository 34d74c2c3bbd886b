// Texts and results the settings methods exchange with the host.
#pragma once

#include <cstdint>
#include <string>

#include "script/method_call.h"

namespace settings {

// A text argument as the settings methods convert it: into a 32-byte
// buffer with a size of 31, so at most 30 characters; empty when missing
// or not convertible.
std::string scriptText(const MethodCall& call, int number);

// An integer argument; 0 when missing or not convertible.
std::int32_t scriptInteger(const MethodCall& call, int number);

// Makes the text into the call's result. The host's code when it cannot.
HostCode textResult(MethodCall& call, const std::string& text);

}  // namespace settings
