// The bench host's state for one scenario: the monitor (trace, faults,
// findings), the value and handle tables, every object handed out, and the
// world the scenario set up. The host objects work on it; the module never
// sees it except through them.
#pragma once

#include <cstdint>
#include <string>

#include "audited_object.h"
#include "handle_table.h"
#include "host/module_contract.h"
#include "monitor.h"
#include "value_table.h"
#include "world.h"

namespace bench {

// Out-parameters that need more than a pointer to take a trap.
struct TextOut {
  char* buffer;
  std::int32_t size;
};
struct NativeOut {
  void** pointer;  // a native handle, such as the application's instance
};

class Host {
 public:
  Host() = default;
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  Monitor monitor;
  ValueTable values{monitor};
  HandleTable handles{monitor};
  ObjectRegistry objects;
  World world;

  // Checks on what a module passes in. Each returns false (or null), with a
  // finding, for what the host cannot take.
  bool number(std::int32_t value, const Origin& use);  // a number a failing call left
  const char* text(const char* value, const Origin& use);  // null, or a trap text
  bool out(const void* pointer, const Origin& use);        // a null out-parameter
  bool buffer(const char* buffer, std::int32_t size, const Origin& use);

  // The live object of class T behind a pointer a module passes in; null,
  // with a finding, for a trap, a released object or one the host never made.
  template <class T>
  T* live(const void* pointer, const Origin& use) {
    T* object = objects.find<T>(pointer);
    return usable(object, pointer, use) ? object : nullptr;
  }

  // Short forms of arguments for the trace; they record no finding.
  std::string showText(const char* text) const;
  std::string showSymbol(HostSymbol symbol) const;
  std::string showValue(const HostValue* value) const;

  // Writes text into a caller's buffer of `size` bytes, cut to size - 1.
  static void writeText(const std::string& text, char* buffer, std::int32_t size);

  // Leaves a trap in each out-parameter and returns `code`: what every
  // failing operation does.
  template <class... Outs>
  HostCode fail(const Origin& failing, HostCode code, Outs... outs) {
    (leaveTrap(failing, outs), ...);
    return code;
  }

  // The object a queryInterface for `id` answers when it fails: a trap of
  // that service, or a plain trap for any other ID.
  void* serviceTrap(const ComponentId& id, const Origin& failing);

  // Findings of the end of a scenario: references, values and handles the
  // module still holds.
  void audit();

 private:
  bool usable(const AuditedObject* object, const void* pointer, const Origin& use);

  void leaveTrap(const Origin& failing, HostValue* out);
  void leaveTrap(const Origin& failing, HostSymbol* out);
  void leaveTrap(const Origin& failing, std::int32_t* out);
  void leaveTrap(const Origin& failing, TextOut out);
  void leaveTrap(const Origin& failing, NativeOut out);
  void leaveTrap(const Origin& failing, MediaInfo* out);
  void leaveTrap(const Origin& failing, WindowInfo* out);
  void leaveTrap(const Origin& failing, void** out);  // an interface of unknown kind
  void leaveTrap(const Origin& failing, Movie** out);
  void leaveTrap(const Origin& failing, Cast** out);
  void leaveTrap(const Origin& failing, Member** out);
  void leaveTrap(const Origin& failing, ScoreAccess** out);
  void leaveTrap(const Origin& failing, Sprite** out);
  void leaveTrap(const Origin& failing, StageWindow** out);
  void leaveTrap(const Origin& failing, RegistryEntry** out);
};

}  // namespace bench
