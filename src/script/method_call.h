// What a script method works with: its script object, the host's call
// record, and safe access to the arguments. A script may pass fewer values
// than the method's message-table line declares; every argument read goes
// through here, so nothing reads past the values the host handed over.
#pragma once

#include <cstdint>

#include "host/values.h"
#include "script/script_instance.h"

// The one module-wide value through which the cast, member and movie
// methods convert arguments: an argument's two words are copied in and
// converted at once, so it never holds anything between conversions.
extern HostValue scratchValue;

class MethodCall {
 public:
  // `global`: the method's line begins with "* ", so its first declared
  // argument is args[0]; otherwise args[0] is the script object itself.
  MethodCall(ScriptInstance& instance, CallRecord& callRecord, bool global)
      : self(instance), record(callRecord), firstDeclared_(global ? 0 : 1) {}

  ScriptInstance& self;
  CallRecord& record;

  HostValue* result() { return &record.result; }

  // The declared argument `number` (counted from 1 as the line lists them),
  // or null when the script did not pass it.
  const HostValue* argument(int number) const;

  // Values passed after the first `declared` arguments (a trailing "*"),
  // and where they start: right after the declared ones, also when none
  // follow; null only when the declared ones were not all passed.
  std::int32_t countAfter(int declared) const;
  HostValue* argumentsAfter(int declared) const;

  // Conversions of a declared argument. On success 0 and the value. When the
  // argument is missing: 0 or the empty text and kRequestNotServed, with no
  // host call. When the host cannot convert it: 0 or the empty text and the
  // host's code. The plain forms convert from a copy of their own; the
  // scratch forms from scratchValue.
  HostCode integerArgument(int number, std::int32_t* out) const;
  HostCode textArgument(int number, char* buffer, std::int32_t size) const;
  HostCode symbolArgument(int number, HostSymbol* out) const;
  HostCode integerThroughScratch(int number, std::int32_t* out) const;
  HostCode textThroughScratch(int number, char* buffer, std::int32_t size) const;

 private:
  // Copies the declared argument's two words into `into`; null when missing.
  const HostValue* copyArgument(int number, HostValue* into) const;

  int firstDeclared_;
};
