// The record of one script object: allocated and freed by the host, filled
// by the module when the host creates it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/module_contract.h"

// The registration class's instance is the host's header alone.
struct RegistrationInstance {
  HostHeader header;
};

struct ScriptInstance {
  HostHeader header;

  // Services, requested once at creation and only read afterwards.
  HandleServices* handleServices;
  AppInfoServices* appInfo;
  HostUnknown* reservedServicesA;  // held, never called
  void* reservedPointer;           // always null
  ValueServices* valueServices;
  HostUnknown* reservedServicesB;  // held, never called
  ListServices* listServices;

  StageWindow* stageWindow;  // working: lives only within the call that fetched it

  WindowsAppServices* windowsAppServices;
  PlayerServices* player;

  // Working fields: each holds a host object only for the call that fetched
  // it; between calls their values are stale.
  Movie* activeMovie;
  Cast* workCast;
  Member* workMember;
  ScoreAccess* scoreAccess;
  Sprite* workSprite;

  MediaServices* mediaServices;

  // The host application's directory with its trailing backslash; a
  // 255-byte buffer from the standard library's allocator.
  char* appDirectory;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RegistrationInstance) == 24, "registration instance is the header alone");
static_assert(sizeof(ScriptInstance) == 92, "the host allocates 92 bytes per script object");
#endif

// Cuts a file path to its directory: up to and with the last backslash. A
// path without one, or whose only one comes first, stays whole.
void keepDirectoryPart(char* path);

// The create and destroy routines the class table hands to the host. Each
// class has its own destroy routine: a registration instance is only the
// host's 24-byte header, and a routine shared by both classes could not tell
// which record it was given.
HostCode XCALL createScriptInstance(void* instance) noexcept;
void XCALL destroyInstance(void* instance) noexcept;
HostCode XCALL createRegistrationInstance(void* instance) noexcept;
void XCALL destroyRegistrationInstance(void* instance) noexcept;
