// The one base of every object the bench host hands to a module: services,
// movie, casts, members, score access, sprites, the stage window, registry
// entries, and the host's own callback and allocator.
//
// Every operation of such an object starts at enter(), which traces it,
// counts it, asks the fault plan, and refuses it, with a finding, when the
// object is a trap or has had its last release. Objects are never freed
// before the scenario ends (the registry keeps them), so a call after the
// last release is caught without touching freed memory.
//
// References: an object starts with the one reference its creating
// operation hands out. Objects the host holds for itself (the callback, the
// allocator, a registration cache) carry extra host references that a
// module may never give back.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/services.h"
#include "monitor.h"

namespace bench {

class Host;

class AuditedObject {
 public:
  virtual ~AuditedObject() = default;
  AuditedObject(const AuditedObject&) = delete;
  AuditedObject& operator=(const AuditedObject&) = delete;

  const std::string& interfaceName() const { return interface_; }
  const Origin& origin() const { return origin_; }
  bool isTrap() const { return trap_; }
  // References held by the module: all references minus the host's own.
  int moduleReferences() const { return references_ - hostReferences_; }
  // The reference this object starts with is the host's own: the module
  // never received it and may never give it back.
  void holdByHost() { hostReferences_ = 1; }
  // The host gives back its own reference: from now on any call is a call
  // after the last release, unless the module still holds one of its own.
  void releaseByHost();
  // A trap or an object after its last release; the host no longer uses it.
  bool gone() const { return trap_ || references_ == 0; }
  std::string describe() const;

  // Reports references the module still holds.
  void audit(Monitor& monitor) const;

 protected:
  AuditedObject(Host& host, std::string interfaceName, Origin origin, bool trap)
      : host_(host), interface_(std::move(interfaceName)), origin_(std::move(origin)), trap_(trap) {}

  // The admission of one operation call. False when the operation must not
  // go ahead: `code()` is then what it returns, after leaving traps in its
  // out-parameters (Host::fail).
  class Gate {
   public:
    explicit operator bool() const { return !refusal_; }
    HostCode code() const { return refusal_.value_or(kOk); }
    const Origin& origin() const { return origin_; }

   private:
    friend class AuditedObject;
    Origin origin_;
    std::optional<HostCode> refusal_;
  };
  Gate enter(const char* operation, std::string detail = {}, bool failable = true);

  std::uint32_t addReference();
  std::uint32_t dropReference();
  // queryInterface: a service answers its own ID with a new reference to
  // itself; the callback overrides this to hand out services. Every other
  // ID is refused.
  virtual HostCode answerQuery(const ComponentId* interfaceId, void** out);
  virtual const ComponentId* serviceId() const { return nullptr; }
  // More to report at the end of a scenario than references still held.
  virtual void auditState(Monitor&) const {}
  // The pointer the module holds: the interface part of this object.
  virtual void* self() = 0;

  Host& host_;

 private:
  std::string interface_;
  Origin origin_;  // the call that made it; for a trap, the call that failed
  bool trap_;
  int references_ = 1;
  int hostReferences_ = 0;
  Origin lastRelease_;
};

// An audited object of one host interface, with its first three operations.
template <class I>
class HostObject : public I, public AuditedObject {
 public:
  using Interface = I;

  HostCode XCALL queryInterface(const ComponentId* interfaceId, void** out) override {
    return answerQuery(interfaceId, out);
  }
  std::uint32_t XCALL addRef() override { return addReference(); }
  std::uint32_t XCALL release() override { return dropReference(); }

 protected:
  void* self() override { return static_cast<I*>(this); }
  HostObject(Host& host, const char* interfaceName, Origin origin, bool trap)
      : AuditedObject(host, interfaceName, std::move(origin), trap) {}
};

// An object with nothing but the first three operations: the two services a
// module may hold without calling, and the trap for an interface the host
// does not know.
class PlainObject final : public HostObject<HostUnknown> {
 public:
  PlainObject(Host& host, const char* name, Origin origin, bool trap)
      : HostObject(host, name, std::move(origin), trap) {}
};

// Every object handed out in a scenario, kept until the scenario ends.
class ObjectRegistry {
 public:
  template <class T, class... Args>
  T* make(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = object.get();
    byInterface_[static_cast<typename T::Interface*>(raw)] = raw;
    objects_.push_back(std::move(object));
    return raw;
  }

  // The object of this class behind a pointer a module passes in; null when
  // the host never made it.
  template <class T>
  T* find(const void* pointer) const {
    auto found = byInterface_.find(pointer);
    return found == byInterface_.end() ? nullptr : dynamic_cast<T*>(found->second);
  }

  void audit(Monitor& monitor) const;

 private:
  std::vector<std::unique_ptr<AuditedObject>> objects_;
  std::map<const void*, AuditedObject*> byInterface_;
};

}  // namespace bench
