// The host services a module requests through its callback by interface ID.
// Each queryInterface hands out a new service object with one reference, so
// the audit can name the request whose reference was never given back.
//
// Conversions of ValueServices accept only values of the matching kind and
// fail with kWrongKind otherwise:
//   valueToInteger  an integer
//   valueToSymbol   a symbol, or a string (its text becomes the symbol)
//   valueToString   a string, or a symbol (its name)
// Texts are cut to the caller's buffer (size - 1 characters and a zero);
// that is no failure.
#pragma once

#include <cstdint>

#include "audited_object.h"
#include "host.h"

namespace bench {

// An audited service, answering queryInterface for its own ID as well.
template <class I>
class ServiceObject : public HostObject<I> {
 protected:
  ServiceObject(Host& host, const char* name, const ComponentId& id, Origin origin, bool trap)
      : HostObject<I>(host, name, std::move(origin), trap), id_(id) {}
  const ComponentId* serviceId() const override { return &id_; }

 private:
  ComponentId id_;
};

class AppInfoService final : public ServiceObject<AppInfoServices> {
 public:
  AppInfoService(Host& host, Origin origin, bool trap);
  HostCode XCALL getInfoString(std::int32_t index, char* buffer, std::int32_t size) override;
};

class HandleService final : public ServiceObject<HandleServices> {
 public:
  HandleService(Host& host, Origin origin, bool trap);
  HostHandle XCALL newHandle(std::uint32_t size) override;
  std::uint32_t XCALL getHandleSize(HostHandle handle) override;
  void* XCALL lockHandle(HostHandle handle) override;
  void XCALL unlockHandle(HostHandle handle) override;
};

class ValueService final : public ServiceObject<ValueServices> {
 public:
  ValueService(Host& host, Origin origin, bool trap);
  HostCode XCALL stringToSymbol(const char* text, HostSymbol* out) override;
  HostCode XCALL symbolToString(HostSymbol symbol, char* buffer, std::int32_t size) override;
  HostCode XCALL getValueType(const HostValue* value, std::int32_t* outType) override;
  HostCode XCALL releaseValue(HostValue* value) override;
  HostCode XCALL valueToInteger(const HostValue* value, std::int32_t* out) override;
  HostCode XCALL valueToSymbol(const HostValue* value, HostSymbol* out) override;
  HostCode XCALL valueToString(const HostValue* value, char* buffer, std::int32_t size) override;
  HostCode XCALL integerToValue(std::int32_t number, HostValue* out) override;
  HostCode XCALL stringToValue(const char* text, HostValue* out) override;
  HostCode XCALL pointToValue(const HostPoint* point, HostValue* out) override;
  HostCode XCALL rectToValue(const HostRect* rect, HostValue* out) override;
};

class ListService final : public ServiceObject<ListServices> {
 public:
  ListService(Host& host, Origin origin, bool trap);
  HostCode XCALL newList(HostValue* out) override;
  HostCode XCALL appendToList(HostValue* list, const HostValue* element) override;
  // Counts a list or a property list; 0 for any other value.
  std::int32_t XCALL countElements(const HostValue* list) override;
  // Element `index` (from 1) of a list, or the value of that entry of a
  // property list, as a new value.
  HostCode XCALL getElement(const HostValue* list, std::int32_t index, HostValue* out) override;
};

class WindowsAppService final : public ServiceObject<WindowsAppServices> {
 public:
  WindowsAppService(Host& host, Origin origin, bool trap);
  HostCode XCALL getAppInstanceAndMainWindow(void** outInstance, void** outWindow) override;
};

class PlayerService final : public ServiceObject<PlayerServices> {
 public:
  PlayerService(Host& host, Origin origin, bool trap);
  HostCode XCALL callHandler(HostSymbol handler, std::int32_t argCount, HostValue* args,
                             HostValue* result) override;
  HostCode XCALL getActiveMovie(Movie** out) override;
  HostCode XCALL resolveFileName(const char* fileName, char* buffer, std::int32_t size) override;
  HostCode XCALL getMemberTypeCount(std::int32_t* out) override;
  HostCode XCALL getNthMemberType(std::int32_t index, HostSymbol* out) override;
  HostCode XCALL getMemberTypeDisplayName(HostSymbol type, char* buffer,
                                          std::int32_t size) override;
};

class MediaService final : public ServiceObject<MediaServices> {
 public:
  MediaService(Host& host, Origin origin, bool trap);
  HostCode XCALL memberRefToValue(const MemberRef* ref, HostValue* out) override;
  // `data` stays the caller's: the descriptor only names it.
  HostCode XCALL newMediaInfo(HostSymbol label, HostSymbol format, HostHandle data,
                              std::int32_t options, std::int32_t reserved,
                              MediaInfo* out) override;
  HostCode XCALL releaseMediaInfo(MediaInfo* info) override;
};

// Runs a script handler for PlayerServices and Movie: the host's "put",
// which prints its arguments as one line, or a handler of the scenario.
// Arguments are read in place; a result, when asked for, is a new value.
HostCode callScriptHandler(Host& host, const Origin& use, HostSymbol handler,
                           std::int32_t argCount, HostValue* args, HostValue* result);

// A new service object for an ID; null for an ID the host does not serve.
void* makeService(Host& host, const ComponentId& id, const Origin& origin, bool trap);

}  // namespace bench
