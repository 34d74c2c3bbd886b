#include "frame/registration.h"

HostCode XCALL registerXtra(InterfaceObject*, RegistrationCache*, void*) noexcept {
  return kRequestNotServed;
}
