#include "methods/player/handler_calls.h"

namespace {

// The handler may call this module again before it returns; the call entry
// keeps this call's own movie and score access safe across that.
HostCode callHandler(MethodCall& call, HostValue* result) {
  HostSymbol handler = 0;
  // Without a handler name there is nothing to call: the name is handed on
  // as the script gave it, so a missing or unconvertible one ends the call.
  HostCode code = call.symbolArgument(1, &handler);
  if (code != kOk) return code;
  return call.self.player->callHandler(handler, call.countAfter(1), call.argumentsAfter(1),
                                       result);
}

}  // namespace

HostCode callAFunction(MethodCall& call) { return callHandler(call, call.result()); }

HostCode callACommand(MethodCall& call) { return callHandler(call, nullptr); }
