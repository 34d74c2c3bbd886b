#include "handle_table.h"

#include <string>

namespace bench {

namespace {

std::string describe(const Handle& handle) {
  return "the handle of " + std::to_string(handle.bytes.size()) + " bytes made by " +
         handle.origin.text();
}

}  // namespace

HostHandle HandleTable::make(std::vector<std::uint8_t> bytes, const Origin& origin) {
  auto handle = std::make_unique<Handle>();
  handle->bytes = std::move(bytes);
  handle->origin = origin;
  Handle* raw = handle.get();
  handles_.push_back(std::move(handle));
  byAddress_[raw] = raw;
  return raw;
}

HostHandle HandleTable::trap(const Origin& failing) {
  HostHandle handle = make({}, failing);
  static_cast<Handle*>(handle)->trap = true;
  return handle;
}

Handle* HandleTable::read(HostHandle pointer, const Origin& use) {
  auto found = byAddress_.find(pointer);
  if (found == byAddress_.end()) {
    monitor_.find(Finding::Kind::Unknown, use.text() + (pointer ? " used a handle the host never made"
                                                                : " used a null handle"));
    return nullptr;
  }
  Handle& handle = *found->second;
  if (handle.trap) {
    monitor_.find(Finding::Kind::TrapUsed, use.text() + " used the handle that failing " +
                                               handle.origin.text() + " left in its out-parameter");
    return nullptr;
  }
  if (handle.state != Handle::State::Module) {
    monitor_.find(handle.state == Handle::State::Released ? Finding::Kind::CallAfterRelease
                                                          : Finding::Kind::Misuse,
                  use.text() + " used " + describe(handle) + " after " + handle.endedBy.text() +
                      (handle.state == Handle::State::Released ? " gave it back"
                                                               : " took it over"));
    return nullptr;
  }
  return &handle;
}

void HandleTable::end(Handle& handle, Handle::State how, const Origin& use) {
  if (handle.locks > 0)
    monitor_.find(Finding::Kind::Misuse, use.text() + " ended " + describe(handle) +
                                             " while it was still locked");
  handle.state = how;
  handle.endedBy = use;
}

void HandleTable::audit() {
  for (const auto& handle : handles_) {
    if (handle->trap) continue;
    if (handle->state == Handle::State::Module)
      monitor_.find(Finding::Kind::Leak, describe(*handle) + " was never handed on or given back");
    else if (handle->locks > 0)
      monitor_.find(Finding::Kind::Misuse, describe(*handle) + " was left locked");
  }
}

}  // namespace bench
