#include "script/method_call.h"

HostValue scratchValue = {0, 0};

namespace {

// A missing argument converts to nothing: 0 or the empty text, with no host
// call. Whatever a failed conversion left behind is not ours to use either.
HostCode toInteger(ValueServices* values, const HostValue* from, std::int32_t* out) {
  *out = 0;
  if (from == nullptr) return kRequestNotServed;
  HostCode code = values->valueToInteger(from, out);
  if (code != kOk) *out = 0;
  return code;
}

HostCode toText(ValueServices* values, const HostValue* from, char* buffer, std::int32_t size) {
  buffer[0] = '\0';
  if (from == nullptr) return kRequestNotServed;
  HostCode code = values->valueToString(from, buffer, size);
  if (code != kOk) {
    buffer[0] = '\0';
  } else {
    buffer[size - 1] = '\0';
  }
  return code;
}

HostCode toSymbol(ValueServices* values, const HostValue* from, HostSymbol* out) {
  *out = 0;
  if (from == nullptr) return kRequestNotServed;
  HostCode code = values->valueToSymbol(from, out);
  if (code != kOk) *out = 0;
  return code;
}

}  // namespace

const HostValue* MethodCall::argument(int number) const {
  const int position = firstDeclared_ + number - 1;
  if (number < 1 || record.args == nullptr || position >= record.argCount) return nullptr;
  return &record.args[position];
}

const HostValue* MethodCall::copyArgument(int number, HostValue* into) const {
  const HostValue* passed = argument(number);
  if (passed == nullptr) return nullptr;
  *into = *passed;
  return into;
}

std::int32_t MethodCall::countAfter(int declared) const {
  const std::int32_t first = firstDeclared_ + declared;
  return record.argCount > first ? record.argCount - first : 0;
}

HostValue* MethodCall::argumentsAfter(int declared) const {
  const std::int32_t first = firstDeclared_ + declared;
  if (record.args == nullptr || record.argCount < first) return nullptr;
  return record.args + first;
}

HostCode MethodCall::integerArgument(int number, std::int32_t* out) const {
  HostValue copy;
  return toInteger(self.valueServices, copyArgument(number, &copy), out);
}

HostCode MethodCall::textArgument(int number, char* buffer, std::int32_t size) const {
  HostValue copy;
  return toText(self.valueServices, copyArgument(number, &copy), buffer, size);
}

HostCode MethodCall::symbolArgument(int number, HostSymbol* out) const {
  HostValue copy;
  return toSymbol(self.valueServices, copyArgument(number, &copy), out);
}

HostCode MethodCall::integerThroughScratch(int number, std::int32_t* out) const {
  return toInteger(self.valueServices, copyArgument(number, &scratchValue), out);
}

HostCode MethodCall::textThroughScratch(int number, char* buffer, std::int32_t size) const {
  return toText(self.valueServices, copyArgument(number, &scratchValue), buffer, size);
}
