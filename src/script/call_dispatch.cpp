#include "script/call_dispatch.h"

#include <new>

#include "script/method_table.h"

namespace {

bool servicesGranted(const ScriptInstance& self, unsigned needs) {
  if (self.valueServices == nullptr) return false;
  if ((needs & kNeedsLists) && self.listServices == nullptr) return false;
  if ((needs & kNeedsHandles) && self.handleServices == nullptr) return false;
  if ((needs & kNeedsMedia) && self.mediaServices == nullptr) return false;
  if ((needs & kNeedsAppInfo) && self.appInfo == nullptr) return false;
  if ((needs & kNeedsWindowsApp) && self.windowsAppServices == nullptr) return false;
  return true;
}

HostCode runMethod(ScriptInstance& self, CallRecord& record) {
  const MessageTableLine* line = findMethod(record.methodIndex);
  // `new`, the declared-only sendSpriteMsg and unknown indices do nothing.
  if (line == nullptr || line->run == nullptr) return kOk;
  if (!servicesGranted(self, line->needs)) return kRequestNotServed;
  MethodCall call(self, record, isGlobalMethod(*line));
  try {
    return line->run(call);
  } catch (const std::bad_alloc&) {
    return kMemoryNotAvailable;
  } catch (...) {
    return kRequestNotServed;
  }
}

// Fetches the active movie and its score access into the instance for one
// call, runs the method, and gives both back, the movie first.
HostCode dispatch(ScriptInstance& self, CallRecord& record) {
  if (self.player == nullptr) return kRequestNotServed;
  if (self.player->getActiveMovie(&self.activeMovie) != kOk || self.activeMovie == nullptr)
    return kRequestNotServed;
  if (self.activeMovie->getScoreAccess(&self.scoreAccess) != kOk || self.scoreAccess == nullptr) {
    self.activeMovie->release();
    return kRequestNotServed;
  }
  const HostCode code = runMethod(self, record);
  self.activeMovie->release();
  self.scoreAccess->release();
  return code;
}

}  // namespace

HostCode XCALL callMethod(InterfaceObject* object, CallRecord* record) noexcept {
  auto& self = *static_cast<ScriptInstance*>(object->owner);
  // A handler run by a method may call this object again. The inner call
  // fetches and releases its own objects; the outer call must find its own
  // movie and score access in the fields when the inner one returns.
  Movie* const outerMovie = self.activeMovie;
  ScoreAccess* const outerScoreAccess = self.scoreAccess;
  const HostCode code = dispatch(self, *record);
  self.activeMovie = outerMovie;
  self.scoreAccess = outerScoreAccess;
  return code;
}
