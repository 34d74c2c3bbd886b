#include "audited_object.h"

#include "host.h"

namespace bench {

std::string AuditedObject::describe() const {
  return trap_ ? "the trap " + interface_ + " that failing " + origin_.text() + " left"
               : "the " + interface_ + " made by " + origin_.text();
}

AuditedObject::Gate AuditedObject::enter(const char* operation, std::string detail,
                                         bool failable) {
  Gate gate;
  Monitor::Admission admission = host_.monitor.enter(
      interface_ + "." + operation, std::move(detail), failable && !gone());
  gate.origin_ = admission.origin;
  if (trap_) {
    host_.monitor.find(Finding::Kind::TrapUsed, admission.origin.text() + " was called on " +
                                                    describe() + " in an out-parameter");
    gate.refusal_ = kObjectGone;
  } else if (references_ == 0) {
    host_.monitor.find(Finding::Kind::CallAfterRelease,
                       admission.origin.text() + " was called on " + describe() + " after " +
                           lastRelease_.text() + " gave back its last reference");
    gate.refusal_ = kObjectGone;
  } else if (admission.fault) {
    gate.refusal_ = admission.fault;
  }
  return gate;
}

std::uint32_t AuditedObject::addReference() {
  Gate gate = enter("addRef", {}, false);
  if (!gate) return 0;
  return static_cast<std::uint32_t>(++references_);
}

std::uint32_t AuditedObject::dropReference() {
  const Monitor::Admission admission =
      host_.monitor.enter(interface_ + ".release", {}, false);
  if (trap_) {
    host_.monitor.find(Finding::Kind::TrapUsed, admission.origin.text() + " released " +
                                                    describe() + " in an out-parameter");
    return 0;
  }
  if (references_ <= hostReferences_) {
    host_.monitor.find(Finding::Kind::ExtraRelease,
                       admission.origin.text() + " released " + describe() +
                           (references_ == 0 ? " again after " + lastRelease_.text() +
                                                   " gave back its last reference"
                                             : ", holding only the host's own references"));
    return static_cast<std::uint32_t>(references_);
  }
  if (--references_ == 0) lastRelease_ = admission.origin;
  return static_cast<std::uint32_t>(references_);
}

void AuditedObject::releaseByHost() {
  if (hostReferences_ == 0) return;
  --hostReferences_;
  if (--references_ == 0) lastRelease_ = Origin{"the host", 0};
}

HostCode AuditedObject::answerQuery(const ComponentId* interfaceId, void** out) {
  Gate gate = enter("queryInterface");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin()) || !host_.out(interfaceId, gate.origin())) return kBadArgument;
  if (serviceId() == nullptr || *serviceId() != *interfaceId)
    return host_.fail(gate.origin(), kNoInterface, out);
  ++references_;
  *out = self();
  return kOk;
}

void AuditedObject::audit(Monitor& monitor) const {
  if (trap_) return;
  auditState(monitor);
  if (moduleReferences() <= 0) return;
  monitor.find(Finding::Kind::Leak, describe() + " still holds " +
                                        std::to_string(moduleReferences()) +
                                        (moduleReferences() == 1 ? " reference" : " references"));
}

void ObjectRegistry::audit(Monitor& monitor) const {
  for (const auto& object : objects_) object->audit(monitor);
}

}  // namespace bench
