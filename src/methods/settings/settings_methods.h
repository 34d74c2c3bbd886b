// The global script methods that keep score lists and media paths in the
// settings file and launch programs. The method table routes to them.
#pragma once

#include "script/method_call.h"

HostCode addScoreToList(MethodCall& call);
HostCode clearScoreList(MethodCall& call);
HostCode getScoreValues(MethodCall& call);
HostCode getScoreList(MethodCall& call);
HostCode getExternalPath(MethodCall& call);
HostCode launchLocal(MethodCall& call);
HostCode launchPDA(MethodCall& call);
