#include "host.h"

#include <cstring>

#include "cast_objects.h"
#include "movie_objects.h"
#include "registration_cache.h"
#include "score_objects.h"
#include "services.h"

namespace bench {

namespace {

// A text a module passes is a trap when it begins as kTrapText does; even a
// buffer of two bytes keeps that first character.
bool isTrapText(const char* text) { return text[0] == kTrapText[0]; }

void* trapPointer() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(kTrapNumber)));
}

std::string shortened(std::string text) {
  return text.size() > 60 ? text.substr(0, 57) + "..." : text;
}

}  // namespace

bool Host::number(std::int32_t value, const Origin& use) {
  if (value != kTrapNumber) return true;
  const Origin* failing = monitor.lastPlainTrap();
  monitor.find(Finding::Kind::TrapUsed, use.text() + " was passed the number that failing " +
                                            (failing ? failing->text() : std::string("?")) +
                                            " left in its out-parameter");
  return false;
}

const char* Host::text(const char* value, const Origin& use) {
  if (value == nullptr) {
    monitor.find(Finding::Kind::Misuse, use.text() + " was passed a null text");
    return nullptr;
  }
  if (isTrapText(value)) {
    const Origin* failing = monitor.lastPlainTrap();
    monitor.find(Finding::Kind::TrapUsed, use.text() + " was passed the text that failing " +
                                              (failing ? failing->text() : std::string("?")) +
                                              " left in its buffer");
    return nullptr;
  }
  return value;
}

bool Host::out(const void* pointer, const Origin& use) {
  if (pointer != nullptr) return true;
  monitor.find(Finding::Kind::Misuse, use.text() + " was passed a null pointer");
  return false;
}

bool Host::buffer(const char* buffer, std::int32_t size, const Origin& use) {
  if (buffer != nullptr && size >= 1) return true;
  monitor.find(Finding::Kind::Misuse, use.text() + " was passed " +
                                          (buffer ? "a buffer size of " + std::to_string(size)
                                                  : std::string("a null buffer")));
  return false;
}

void Host::writeText(const std::string& text, char* buffer, std::int32_t size) {
  if (buffer == nullptr || size < 1) return;
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

bool Host::usable(const AuditedObject* object, const void* pointer, const Origin& use) {
  if (object == nullptr) {
    monitor.find(Finding::Kind::Unknown,
                 use.text() + (pointer ? " was passed an object the host never made for that use"
                                       : " was passed a null object"));
    return false;
  }
  if (object->isTrap()) {
    monitor.find(Finding::Kind::TrapUsed, use.text() + " was passed " + object->describe());
    return false;
  }
  if (object->gone()) {
    monitor.find(Finding::Kind::CallAfterRelease,
                 use.text() + " was passed " + object->describe() + " after its last release");
    return false;
  }
  return true;
}

std::string Host::showText(const char* text) const {
  if (text == nullptr) return "null";
  if (isTrapText(text)) return "<trap text>";
  return "\"" + shortened(text) + "\"";
}

std::string Host::showSymbol(HostSymbol symbol) const {
  const std::string* name = values.peekSymbol(symbol);
  return name ? "#" + *name : "<symbol " + std::to_string(symbol) + ">";
}

std::string Host::showValue(const HostValue* value) const {
  if (value == nullptr) return "null";
  if (const Value* known = values.peek(*value)) return shortened(known->display());
  return values.isTrap(*value) ? "<trap value>" : "<unknown value>";
}

void* Host::serviceTrap(const ComponentId& id, const Origin& failing) {
  if (void* service = makeService(*this, id, failing, true)) return service;
  return static_cast<HostUnknown*>(objects.make<PlainObject>(*this, "Unknown", failing, true));
}

void Host::audit() {
  objects.audit(monitor);
  values.audit();
  handles.audit();
}

void Host::leaveTrap(const Origin& failing, HostValue* out) {
  if (out) *out = values.trap(failing);
}

void Host::leaveTrap(const Origin& failing, HostSymbol* out) {
  if (out) *out = values.trapSymbol(failing);
}

void Host::leaveTrap(const Origin& failing, std::int32_t* out) {
  if (!out) return;
  *out = kTrapNumber;
  monitor.notePlainTrap(failing);
}

void Host::leaveTrap(const Origin& failing, TextOut out) {
  if (!out.buffer || out.size < 1) return;
  writeText(kTrapText, out.buffer, out.size);
  monitor.notePlainTrap(failing);
}

void Host::leaveTrap(const Origin& failing, NativeOut out) {
  if (!out.pointer) return;
  *out.pointer = trapPointer();
  monitor.notePlainTrap(failing);
}

void Host::leaveTrap(const Origin& failing, MediaInfo* out) {
  if (out) out->data = handles.trap(failing);
}

void Host::leaveTrap(const Origin& failing, WindowInfo* out) {
  if (!out) return;
  *out = WindowInfo{kTrapNumber, 0, trapPointer(), 0, 0};
  monitor.notePlainTrap(failing);
}

void Host::leaveTrap(const Origin& failing, void** out) {
  if (out) *out = serviceTrap(ComponentId{}, failing);
}

void Host::leaveTrap(const Origin& failing, Movie** out) {
  if (out) *out = objects.make<MovieObject>(*this, failing, nullptr);
}

void Host::leaveTrap(const Origin& failing, Cast** out) {
  if (out) *out = objects.make<CastObject>(*this, failing, nullptr, nullptr);
}

void Host::leaveTrap(const Origin& failing, Member** out) {
  if (out) *out = objects.make<MemberObject>(*this, failing, nullptr, nullptr, nullptr);
}

void Host::leaveTrap(const Origin& failing, ScoreAccess** out) {
  if (out) *out = objects.make<ScoreAccessObject>(*this, failing, nullptr);
}

void Host::leaveTrap(const Origin& failing, Sprite** out) {
  if (out) *out = objects.make<SpriteObject>(*this, failing, nullptr, 0, 0);
}

void Host::leaveTrap(const Origin& failing, StageWindow** out) {
  if (out) *out = objects.make<StageWindowObject>(*this, failing, nullptr);
}

void Host::leaveTrap(const Origin& failing, RegistryEntry** out) {
  if (out) *out = objects.make<RegistryEntryObject>(*this, failing, nullptr);
}

}  // namespace bench
