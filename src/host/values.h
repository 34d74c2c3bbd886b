// Plain records exchanged with the host: script values, symbols, geometry,
// member references, media descriptors and window information.
#pragma once

#include <cstddef>
#include <cstdint>

// A host script value: two 32-bit words, opaque to the module. Copying both
// words makes a copy that owns nothing; only a value the module made itself
// with a value operation is given back with releaseValue.
struct HostValue {
  std::uint32_t word0;
  std::uint32_t word1;
};
static_assert(sizeof(HostValue) == 8, "a host value is two 32-bit words on every build");

// A symbol: the host's 32-bit handle for a name (property, handler, media
// label or format, member type).
using HostSymbol = std::uint32_t;

// Kinds of value as getValueType reports them.
enum HostValueType : std::int32_t {
  kValueVoid = 0,
  kValueInteger = 1,
  kValueFloat = 2,
  kValueString = 3,
  kValueSymbol = 4,
  kValuePoint = 5,
  kValueRect = 6,
  kValueList = 7,
  kValuePropertyList = 8,
  kValueMemberRef = 9,
};

struct HostPoint {
  std::int32_t x;
  std::int32_t y;
};

// Rectangle handed to rectToValue, in this word order.
struct HostRect {
  std::int32_t top;
  std::int32_t left;
  std::int32_t bottom;
  std::int32_t right;
};

// A cast member addressed by cast number and member number within that cast.
struct MemberRef {
  std::int32_t castIndex;
  std::int32_t memberIndex;
};

// An opaque block of memory owned by the host (see HandleServices).
using HostHandle = void*;

// The host's media descriptor, made by newMediaInfo. The module reads and
// writes only the first three fields; the rest are the host's.
struct MediaInfo {
  HostSymbol label;   // which kind of media
  HostSymbol format;  // in which form it is handed over
  HostHandle data;    // the media itself; a host handle for the handle format
  std::int32_t options;
  std::int32_t reserved;
};

// What a stage window tells about itself. Only `kind` and `nativeWindow` are
// read: a kind of 1 means `nativeWindow` is a real Windows window handle.
struct WindowInfo {
  std::int32_t kind;
  std::uint32_t reserved1;
  void* nativeWindow;
  std::uint32_t reserved3;
  std::uint32_t reserved4;
};
constexpr std::int32_t kNativeWindowKind = 1;

// The host's record of one script call.
struct CallRecord {
  std::uint32_t hostWord0;    // the host's, not read
  std::uint32_t hostWord1;    // the host's, not read
  std::uint32_t methodIndex;  // 0 for `new`, 1 to 42 for the methods
  HostValue result;           // receives the method's value, if any
  std::int32_t argCount;      // values in args, script object included for object methods
  HostValue* args;            // owned by the host; read in place, never released
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CallRecord) == 28, "host call record layout");
static_assert(offsetof(CallRecord, methodIndex) == 8, "host call record layout");
static_assert(offsetof(CallRecord, result) == 12, "host call record layout");
static_assert(offsetof(CallRecord, argCount) == 20, "host call record layout");
static_assert(offsetof(CallRecord, args) == 24, "host call record layout");
static_assert(sizeof(WindowInfo) == 20, "window information is five 32-bit words");
#endif
