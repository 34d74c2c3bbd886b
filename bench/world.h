// Everything a scenario sets up on the host's side besides the movie: the
// player (member types, file-name resolution, script handlers and the lines
// "put" printed), the application's information strings and window handles,
// the services the host withholds, and the active movie, which may be absent.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/calling.h"
#include "host/component_id.h"
#include "movie_model.h"
#include "value.h"

namespace bench {

// One call of a script handler, as the handler sees it.
struct HandlerCall {
  std::string name;
  std::vector<Value> args;
  bool wantsResult = false;  // false when the caller passed no result pointer
  HostCode code = kOk;       // a handler sets this to make the call fail
};
// A script handler: runs on the host's thread and may call the module again.
using Handler = std::function<Value(HandlerCall&)>;

struct MemberType {
  std::string name;         // the type's symbol, "bitmap"
  std::string displayName;  // "Bitmap"
};

struct PlayerModel {
  PlayerModel();

  std::vector<MemberType> memberTypes;
  // Turns a file name into a full path. Unset: a name with a drive or a
  // leading backslash stands as it is, any other comes after the active
  // movie's "path".
  std::function<std::string(const std::string&)> resolveFileName;
  // Handlers in the order they were defined; names without regard to case.
  // "put" is the host's own unless a scenario defines it.
  std::vector<std::pair<std::string, Handler>> handlers;
  std::vector<std::string> output;  // the lines "put" printed

  void defineHandler(const std::string& name, Handler handler);
  const Handler* findHandler(const std::string& name) const;
  const MemberType* findMemberType(const std::string& name) const;
};

struct AppModel {
  // Index 5 is the product name, 6 its version text.
  std::array<std::string, 7> infoStrings = {"Bench Host", "C:\\Bench\\", "English", "Windows",
                                            "bench user", "Director", "8.5"};
  void* instance = reinterpret_cast<void*>(0x00400000);
  void* mainWindow = reinterpret_cast<void*>(0x00010020);
};

struct World {
  std::shared_ptr<MovieModel> movie = std::make_shared<MovieModel>();  // null: no active movie
  PlayerModel player;
  AppModel app;
  std::vector<ComponentId> withheld;  // services the callback refuses
};

}  // namespace bench
