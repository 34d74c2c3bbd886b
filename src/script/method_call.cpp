#include "script/method_call.h"

HostValue scratchValue = {0, 0};

namespace {

HostCode toInteger(ValueServices* values, const HostValue* from, std::int32_t* out) {
  *out = 0;
  HostCode code = values->valueToInteger(from, out);
  if (code != kOk) *out = 0;  // whatever a failed conversion left is not ours to use
  return code;
}

HostCode toText(ValueServices* values, const HostValue* from, char* buffer, std::int32_t size) {
  buffer[0] = '\0';
  HostCode code = values->valueToString(from, buffer, size);
  if (code != kOk) {
    buffer[0] = '\0';
  } else {
    buffer[size - 1] = '\0';
  }
  return code;
}

}  // namespace

const HostValue* MethodCall::argument(int number) const {
  const int position = firstDeclared_ + number - 1;
  if (number < 1 || record.args == nullptr || position >= record.argCount) return nullptr;
  return &record.args[position];
}

std::int32_t MethodCall::countAfter(int declared) const {
  const std::int32_t first = firstDeclared_ + declared;
  return record.argCount > first ? record.argCount - first : 0;
}

HostValue* MethodCall::argumentsAfter(int declared) const {
  if (countAfter(declared) == 0) return nullptr;
  return record.args + firstDeclared_ + declared;
}

HostCode MethodCall::integerArgument(int number, std::int32_t* out) const {
  const HostValue* passed = argument(number);
  if (passed == nullptr) {
    *out = 0;
    return kRequestNotServed;
  }
  HostValue copy = *passed;
  return toInteger(self.valueServices, &copy, out);
}

HostCode MethodCall::textArgument(int number, char* buffer, std::int32_t size) const {
  const HostValue* passed = argument(number);
  if (passed == nullptr) {
    buffer[0] = '\0';
    return kRequestNotServed;
  }
  HostValue copy = *passed;
  return toText(self.valueServices, &copy, buffer, size);
}

HostCode MethodCall::symbolArgument(int number, HostSymbol* out) const {
  *out = 0;
  const HostValue* passed = argument(number);
  if (passed == nullptr) return kRequestNotServed;
  HostValue copy = *passed;
  HostCode code = self.valueServices->valueToSymbol(&copy, out);
  if (code != kOk) *out = 0;
  return code;
}

HostCode MethodCall::integerThroughScratch(int number, std::int32_t* out) const {
  const HostValue* passed = argument(number);
  if (passed == nullptr) {
    *out = 0;
    return kRequestNotServed;
  }
  scratchValue = *passed;
  return toInteger(self.valueServices, &scratchValue, out);
}

HostCode MethodCall::textThroughScratch(int number, char* buffer, std::int32_t size) const {
  const HostValue* passed = argument(number);
  if (passed == nullptr) {
    buffer[0] = '\0';
    return kRequestNotServed;
  }
  scratchValue = *passed;
  return toText(self.valueServices, &scratchValue, buffer, size);
}
