// Register: the fourth operation of the registration class's interface.
#pragma once

#include "frame/interface_object.h"

HostCode XCALL registerXtra(InterfaceObject* object, RegistrationCache* cache,
                            void* xtraDictionary) noexcept;
