// HandleServices and MediaServices: blocks of memory, member references as
// values, and media descriptors.
#include "services.h"

namespace bench {

namespace {

// The largest block newHandle makes; a larger request is refused.
constexpr std::uint32_t kLargestHandle = 64u << 20;

}  // namespace

HandleService::HandleService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "HandleServices", ids::kHandleServices, std::move(origin), trap) {}

HostHandle XCALL HandleService::newHandle(std::uint32_t size) {
  Gate gate = enter("newHandle", std::to_string(size));
  if (!gate || size > kLargestHandle) return nullptr;
  return host_.handles.make(Bytes(size, 0), gate.origin());
}

std::uint32_t XCALL HandleService::getHandleSize(HostHandle handle) {
  Gate gate = enter("getHandleSize", {}, false);
  if (!gate) return 0;
  Handle* read = host_.handles.read(handle, gate.origin());
  return read ? static_cast<std::uint32_t>(read->bytes.size()) : 0;
}

void* XCALL HandleService::lockHandle(HostHandle handle) {
  Gate gate = enter("lockHandle", {}, false);
  if (!gate) return nullptr;
  Handle* read = host_.handles.read(handle, gate.origin());
  if (read == nullptr) return nullptr;
  ++read->locks;
  return read->bytes.empty() ? static_cast<void*>(read->none) : read->bytes.data();
}

void XCALL HandleService::unlockHandle(HostHandle handle) {
  Gate gate = enter("unlockHandle", {}, false);
  if (!gate) return;
  Handle* read = host_.handles.read(handle, gate.origin());
  if (read == nullptr) return;
  if (read->locks == 0) {
    host_.monitor.find(Finding::Kind::Misuse,
                       gate.origin().text() + " unlocked a handle that was not locked");
    return;
  }
  --read->locks;
}

MediaService::MediaService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "MediaServices", ids::kMediaServices, std::move(origin), trap) {}

HostCode XCALL MediaService::memberRefToValue(const MemberRef* ref, HostValue* out) {
  Gate gate = enter("memberRefToValue", ref ? std::to_string(ref->castIndex) + ", " +
                                                  std::to_string(ref->memberIndex)
                                            : "null");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin()) || !host_.out(ref, gate.origin())) return kBadArgument;
  if (!host_.number(ref->castIndex, gate.origin()) || !host_.number(ref->memberIndex, gate.origin()))
    return host_.fail(gate.origin(), kUnknownValue, out);
  *out = host_.values.handOut(Value::member(ref->castIndex, ref->memberIndex), gate.origin());
  return kOk;
}

HostCode XCALL MediaService::newMediaInfo(HostSymbol label, HostSymbol format, HostHandle data,
                                          std::int32_t options, std::int32_t reserved,
                                          MediaInfo* out) {
  Gate gate = enter("newMediaInfo", host_.showSymbol(label) + ", " + host_.showSymbol(format) +
                                        (data ? ", handle" : ", null"));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (host_.values.symbolName(label, gate.origin()) == nullptr ||
      host_.values.symbolName(format, gate.origin()) == nullptr ||
      (data != nullptr && host_.handles.read(data, gate.origin()) == nullptr))
    return host_.fail(gate.origin(), kUnknownValue, out);
  *out = MediaInfo{label, format, data, options, reserved};
  return kOk;
}

HostCode XCALL MediaService::releaseMediaInfo(MediaInfo* info) {
  Gate gate = enter("releaseMediaInfo", info && info->data ? "handle" : "no data", false);
  if (!gate) return gate.code();
  if (!host_.out(info, gate.origin())) return kBadArgument;
  if (info->data == nullptr) return kOk;
  Handle* handle = host_.handles.read(info->data, gate.origin());
  if (handle == nullptr) return kUnknownValue;
  host_.handles.end(*handle, Handle::State::Released, gate.origin());
  return kOk;
}

}  // namespace bench
