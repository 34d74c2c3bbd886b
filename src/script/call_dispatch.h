// Call: the fourth operation of the script interface, through which every
// script call of a method arrives.
#pragma once

#include "frame/interface_object.h"

HostCode XCALL callMethod(InterfaceObject* object, CallRecord* record) noexcept;
