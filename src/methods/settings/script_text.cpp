#include "methods/settings/script_text.h"

namespace {

constexpr std::int32_t kScriptTextSize = 31;

}  // namespace

std::string settings::scriptText(const MethodCall& call, int number) {
  char text[kScriptTextSize + 1] = {};
  call.textArgument(number, text, kScriptTextSize);
  return text;
}

std::int32_t settings::scriptInteger(const MethodCall& call, int number) {
  std::int32_t value = 0;
  call.integerArgument(number, &value);
  return value;
}

HostCode settings::textResult(MethodCall& call, const std::string& text) {
  return call.self.valueServices->stringToValue(text.c_str(), call.result());
}
