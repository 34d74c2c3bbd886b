// The host's handles: blocks of memory with a size and a lock count, made by
// newHandle or by getMedia, and named to the module by an opaque pointer.
//
// Ownership: a handle the host hands out belongs to the caller until it is
// passed on in media given to setMedia (the host takes the media over,
// whether or not it accepts it) or given back with releaseMediaInfo. The
// records stay until the scenario ends, so use after either is caught.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/values.h"
#include "monitor.h"

namespace bench {

struct Handle {
  enum class State { Module, TakenOver, Released };
  std::vector<std::uint8_t> bytes;
  int locks = 0;
  State state = State::Module;
  Origin origin;  // the call that made it, or for a trap the call that failed
  Origin endedBy;
  bool trap = false;
  std::uint8_t none[1] = {0};  // what lockHandle hands out for an empty block
};

class HandleTable {
 public:
  explicit HandleTable(Monitor& monitor) : monitor_(monitor) {}

  HostHandle make(std::vector<std::uint8_t> bytes, const Origin& origin);
  HostHandle trap(const Origin& failing);

  // The live handle behind a pointer a module passes in; null, with a
  // finding, for a trap, an unknown pointer or a handle no longer its own.
  Handle* read(HostHandle handle, const Origin& use);
  // The handle ends, taken over by the host or given back; the caller
  // has read it with read() first.
  void end(Handle& handle, Handle::State how, const Origin& use);

  // Handles the module still holds, and handles left locked.
  void audit();

 private:
  Monitor& monitor_;
  std::vector<std::unique_ptr<Handle>> handles_;
  std::map<const void*, Handle*> byAddress_;
};

}  // namespace bench
