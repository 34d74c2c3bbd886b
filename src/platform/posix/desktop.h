// The desktop the POSIX platform serves time, windows and message boxes
// from: the host process's own, when it lends one, else the plain one.
#pragma once

#include "platform/posix_desktop.h"

namespace platform::posix {

PosixDesktop& currentDesktop();

}  // namespace platform::posix
