// PlayerServices: script handlers, the active movie, file names and the
// member types the player knows.
#include "movie_objects.h"
#include "services.h"

namespace bench {

HostCode callScriptHandler(Host& host, const Origin& use, HostSymbol handler,
                           std::int32_t argCount, HostValue* args, HostValue* result) {
  const std::string* name = host.values.symbolName(handler, use);
  if (name == nullptr) return host.fail(use, kUnknownValue, result);
  if (argCount < 0 || (argCount > 0 && args == nullptr)) {
    host.monitor.find(Finding::Kind::Misuse, use.text() + " passed " + std::to_string(argCount) +
                                                 " arguments" + (args ? "" : " and no array"));
    return host.fail(use, kBadArgument, result);
  }
  HandlerCall call;
  call.name = *name;
  call.wantsResult = result != nullptr;
  for (std::int32_t i = 0; i < argCount; ++i) {
    const Value* arg = host.values.read(&args[i], use);
    if (arg == nullptr) return host.fail(use, kUnknownValue, result);
    call.args.push_back(*arg);
  }

  // A copy: the handler may define handlers, or call the module, which may
  // call handlers in turn.
  const Handler* found = host.world.player.findHandler(*name);
  Handler run = found ? *found : Handler();
  Value answer;
  if (run) {
    answer = run(call);
  } else if (sameName(*name, "put")) {
    std::string line;
    for (std::size_t i = 0; i < call.args.size(); ++i)
      line += (i ? " " : "") + call.args[i].putText();
    host.world.player.output.push_back(line);
  } else {
    return host.fail(use, kNoHandler, result);
  }
  if (call.code != kOk) return host.fail(use, call.code, result);
  if (result != nullptr) *result = host.values.handOut(answer, use);
  return kOk;
}

PlayerService::PlayerService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "PlayerServices", ids::kPlayerServices, std::move(origin), trap) {}

HostCode XCALL PlayerService::callHandler(HostSymbol handler, std::int32_t argCount,
                                          HostValue* args, HostValue* result) {
  Gate gate = enter("callHandler", host_.showSymbol(handler) + ", " + std::to_string(argCount));
  if (!gate) return host_.fail(gate.origin(), gate.code(), result);
  return callScriptHandler(host_, gate.origin(), handler, argCount, args, result);
}

HostCode XCALL PlayerService::getActiveMovie(Movie** out) {
  Gate gate = enter("getActiveMovie");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (!host_.world.movie) return host_.fail(gate.origin(), kNoActiveMovie, out);
  *out = host_.objects.make<MovieObject>(host_, gate.origin(), host_.world.movie);
  return kOk;
}

HostCode XCALL PlayerService::resolveFileName(const char* fileName, char* buffer,
                                              std::int32_t size) {
  Gate gate = enter("resolveFileName", host_.showText(fileName) + ", " + std::to_string(size));
  if (!gate) return host_.fail(gate.origin(), gate.code(), TextOut{buffer, size});
  if (!host_.buffer(buffer, size, gate.origin())) return kBadArgument;
  const char* name = host_.text(fileName, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kBadArgument, TextOut{buffer, size});
  std::string path = name;
  const PlayerModel& player = host_.world.player;
  if (player.resolveFileName) {
    path = player.resolveFileName(name);
  } else {
    const bool absolute = path.rfind('\\', 0) == 0 || (path.size() > 1 && path[1] == ':');
    const Value* moviePath =
        host_.world.movie ? host_.world.movie->properties.find("path") : nullptr;
    if (!absolute && moviePath != nullptr) path = moviePath->text() + path;
  }
  Host::writeText(path, buffer, size);
  return kOk;
}

HostCode XCALL PlayerService::getMemberTypeCount(std::int32_t* out) {
  Gate gate = enter("getMemberTypeCount");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  *out = static_cast<std::int32_t>(host_.world.player.memberTypes.size());
  return kOk;
}

HostCode XCALL PlayerService::getNthMemberType(std::int32_t index, HostSymbol* out) {
  Gate gate = enter("getNthMemberType", std::to_string(index));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const auto& types = host_.world.player.memberTypes;
  if (!host_.number(index, gate.origin()) || index < 1 ||
      static_cast<std::size_t>(index) > types.size())
    return host_.fail(gate.origin(), kOutOfRange, out);
  *out = host_.values.symbol(types[static_cast<std::size_t>(index - 1)].name);
  return kOk;
}

HostCode XCALL PlayerService::getMemberTypeDisplayName(HostSymbol type, char* buffer,
                                                       std::int32_t size) {
  Gate gate = enter("getMemberTypeDisplayName", host_.showSymbol(type) + ", " + std::to_string(size));
  if (!gate) return host_.fail(gate.origin(), gate.code(), TextOut{buffer, size});
  if (!host_.buffer(buffer, size, gate.origin())) return kBadArgument;
  const std::string* name = host_.values.symbolName(type, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kUnknownValue, TextOut{buffer, size});
  const MemberType* found = host_.world.player.findMemberType(*name);
  if (found == nullptr) return host_.fail(gate.origin(), kNotFound, TextOut{buffer, size});
  Host::writeText(found->displayName, buffer, size);
  return kOk;
}

PlayerModel::PlayerModel()
    : memberTypes{{"bitmap", "Bitmap"}, {"filmloop", "Film Loop"}, {"shape", "Shape"},
                  {"text", "Text"},     {"field", "Field"},         {"sound", "Sound"},
                  {"palette", "Palette"}, {"script", "Script"}} {}

void PlayerModel::defineHandler(const std::string& name, Handler handler) {
  for (auto& [known, existing] : handlers)
    if (sameName(known, name)) {
      existing = std::move(handler);
      return;
    }
  handlers.emplace_back(name, std::move(handler));
}

const Handler* PlayerModel::findHandler(const std::string& name) const {
  for (const auto& [known, handler] : handlers)
    if (sameName(known, name)) return &handler;
  return nullptr;
}

const MemberType* PlayerModel::findMemberType(const std::string& name) const {
  for (const MemberType& type : memberTypes)
    if (sameName(type.name, name)) return &type;
  return nullptr;
}

}  // namespace bench
