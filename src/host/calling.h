// Calling convention and result codes shared by the host and this module.
#pragma once

#include <cstdint>

// Every export and every operation of an interface crossing the host boundary
// uses the platform's component-object convention: __stdcall on 32-bit
// Windows, the default convention everywhere else.
#if defined(_WIN32) && !defined(_WIN64)
#define XCALL __attribute__((stdcall))
#else
#define XCALL
#endif

// Symbol visibility of the five exports. On Windows the .def file decides;
// elsewhere the module is built with hidden visibility and opens only these.
#if defined(_WIN32)
#define XEXPORT
#else
#define XEXPORT __attribute__((visibility("default")))
#endif

// A 32-bit result code: 0 is success, anything else is an error.
using HostCode = std::int32_t;

constexpr HostCode toCode(std::uint32_t bits) { return static_cast<HostCode>(bits); }

constexpr HostCode kOk = 0;
constexpr HostCode kMemoryNotAvailable = toCode(0x80040002u);
constexpr HostCode kModuleInUse = toCode(0x80040003u);
constexpr HostCode kRequestNotServed = toCode(0x80040004u);
constexpr HostCode kClassNotFound = toCode(0x80040005u);
constexpr HostCode kSelectionNotAList = toCode(0x800407EFu);
