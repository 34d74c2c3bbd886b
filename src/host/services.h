// The host's interfaces, as this module calls them. Each is a table of
// operations in slot order behind one pointer, laid out as the platform's
// component objects are: the first three operations are queryInterface,
// addRef and release. Out-parameters receive results; the caller owns every
// object and every value an operation hands out and gives it back once.
#pragma once

#include <cstdint>

#include "host/calling.h"
#include "host/component_id.h"
#include "host/values.h"

struct HostUnknown {
  // On success *out holds a new reference the caller releases.
  virtual HostCode XCALL queryInterface(const ComponentId* interfaceId, void** out) = 0;
  virtual std::uint32_t XCALL addRef() = 0;
  virtual std::uint32_t XCALL release() = 0;
};

// Header word 2 of every instance: hands out the host's services by ID.
struct HostCallback : HostUnknown {};

// Header word 3 of every instance, and the argument of DllGetClassInfo.
// Memory from allocate goes back through free of the same allocator.
struct HostAllocator : HostUnknown {
  virtual void* XCALL allocate(std::uint32_t size) = 0;  // null when refused
  virtual void XCALL free(void* block) = 0;
};

struct RegistryEntry : HostUnknown {
  // The entry keeps its own copy of `value`; the caller may free it at once.
  virtual HostCode XCALL put(std::int32_t valueType, const void* value, std::int32_t size,
                             const char* key) = 0;
};

struct RegistrationCache : HostUnknown {
  // `xtraDictionary` is the host's own, passed through from Register.
  virtual HostCode XCALL addRegistryEntry(void* xtraDictionary, const ComponentId* classId,
                                          const ComponentId* entryKind, RegistryEntry** out) = 0;
};

struct AppInfoServices : HostUnknown {
  // Index 5 is the product name, 6 its version text.
  virtual HostCode XCALL getInfoString(std::int32_t index, char* buffer, std::int32_t size) = 0;
};

struct HandleServices : HostUnknown {
  virtual HostHandle XCALL newHandle(std::uint32_t size) = 0;  // null when refused
  virtual std::uint32_t XCALL getHandleSize(HostHandle handle) = 0;
  virtual void* XCALL lockHandle(HostHandle handle) = 0;
  virtual void XCALL unlockHandle(HostHandle handle) = 0;
};

// Conversions write into caller buffers of `size` bytes, terminator included.
struct ValueServices : HostUnknown {
  virtual HostCode XCALL stringToSymbol(const char* text, HostSymbol* out) = 0;
  virtual HostCode XCALL symbolToString(HostSymbol symbol, char* buffer, std::int32_t size) = 0;
  virtual HostCode XCALL getValueType(const HostValue* value, std::int32_t* outType) = 0;
  virtual HostCode XCALL releaseValue(HostValue* value) = 0;
  virtual HostCode XCALL valueToInteger(const HostValue* value, std::int32_t* out) = 0;
  virtual HostCode XCALL valueToSymbol(const HostValue* value, HostSymbol* out) = 0;
  virtual HostCode XCALL valueToString(const HostValue* value, char* buffer, std::int32_t size) = 0;
  virtual HostCode XCALL integerToValue(std::int32_t number, HostValue* out) = 0;
  virtual HostCode XCALL stringToValue(const char* text, HostValue* out) = 0;
  virtual HostCode XCALL pointToValue(const HostPoint* point, HostValue* out) = 0;
  virtual HostCode XCALL rectToValue(const HostRect* rect, HostValue* out) = 0;
};

// Lists count from 1. A list keeps its own copy of what is appended.
struct ListServices : HostUnknown {
  virtual HostCode XCALL newList(HostValue* out) = 0;
  virtual HostCode XCALL appendToList(HostValue* list, const HostValue* element) = 0;
  virtual std::int32_t XCALL countElements(const HostValue* list) = 0;
  virtual HostCode XCALL getElement(const HostValue* list, std::int32_t index, HostValue* out) = 0;
};

struct WindowsAppServices : HostUnknown {
  virtual HostCode XCALL getAppInstanceAndMainWindow(void** outInstance, void** outWindow) = 0;
};

struct Movie;
struct Cast;
struct Member;
struct ScoreAccess;
struct Sprite;
struct StageWindow;

struct PlayerServices : HostUnknown {
  // `result` may be null when the caller wants no value back.
  virtual HostCode XCALL callHandler(HostSymbol handler, std::int32_t argCount, HostValue* args,
                                     HostValue* result) = 0;
  virtual HostCode XCALL getActiveMovie(Movie** out) = 0;
  virtual HostCode XCALL resolveFileName(const char* fileName, char* buffer, std::int32_t size) = 0;
  virtual HostCode XCALL getMemberTypeCount(std::int32_t* out) = 0;
  virtual HostCode XCALL getNthMemberType(std::int32_t index, HostSymbol* out) = 0;
  virtual HostCode XCALL getMemberTypeDisplayName(HostSymbol type, char* buffer,
                                                  std::int32_t size) = 0;
};

struct MediaServices : HostUnknown {
  virtual HostCode XCALL memberRefToValue(const MemberRef* ref, HostValue* out) = 0;
  virtual HostCode XCALL newMediaInfo(HostSymbol label, HostSymbol format, HostHandle data,
                                      std::int32_t options, std::int32_t reserved,
                                      MediaInfo* out) = 0;
  // Gives back media that was fetched and not handed on with setMedia.
  virtual HostCode XCALL releaseMediaInfo(MediaInfo* info) = 0;
};

struct StageWindow : HostUnknown {
  virtual HostCode XCALL getWindowInfo(WindowInfo* out) = 0;
};

struct Movie : HostUnknown {
  virtual HostCode XCALL getProp(HostSymbol property, HostValue* out) = 0;
  virtual HostCode XCALL setProp(HostSymbol property, const HostValue* value) = 0;
  virtual HostCode XCALL getMedia(MediaInfo* info) = 0;
  virtual HostCode XCALL setMedia(const MediaInfo* info) = 0;  // takes the media over
  virtual HostCode XCALL callHandler(HostSymbol handler, std::int32_t argCount, HostValue* args,
                                     HostValue* result) = 0;
  virtual HostCode XCALL getCastByIndex(std::int32_t castIndex, Cast** out) = 0;
  virtual HostCode XCALL getCastByName(const char* name, Cast** out) = 0;
  virtual HostCode XCALL addExternalCast(const char* name, const char* path,
                                         std::int32_t* outCastIndex) = 0;
  virtual HostCode XCALL getStageWindow(StageWindow** out) = 0;
  virtual HostCode XCALL getFrameFromLabel(const char* label, std::int32_t* outFrame) = 0;
  virtual HostCode XCALL getLabelFromFrame(std::int32_t frame, char* buffer,
                                           std::int32_t size) = 0;
  virtual HostCode XCALL setFrameLabel(std::int32_t frame, const char* label) = 0;  // label may be null
  virtual HostCode XCALL getScoreAccess(ScoreAccess** out) = 0;
};

struct Cast : HostUnknown {
  virtual HostCode XCALL getProp(HostSymbol property, HostValue* out) = 0;
  virtual HostCode XCALL setProp(HostSymbol property, const HostValue* value) = 0;
  virtual HostCode XCALL getIndexInMovie(Movie* movie, std::int32_t* out) = 0;
  // A member number of 0 means no further used member.
  virtual HostCode XCALL getFirstUsedMemberIndex(std::int32_t* out) = 0;
  virtual HostCode XCALL getNextUsedMemberIndex(std::int32_t after, std::int32_t* out) = 0;
  virtual HostCode XCALL getMemberIndexFromName(const char* name, std::int32_t* out) = 0;
  virtual HostCode XCALL getMember(std::int32_t memberIndex, Member** out) = 0;
  virtual HostCode XCALL createMember(std::int32_t memberIndex, HostSymbol type) = 0;
  virtual HostCode XCALL deleteMember(std::int32_t memberIndex) = 0;
  virtual HostCode XCALL duplicateMember(std::int32_t sourceIndex, Cast* destination,
                                         std::int32_t destinationIndex) = 0;
};

struct Member : HostUnknown {
  virtual HostCode XCALL getProp(HostSymbol property, HostValue* out) = 0;
  virtual HostCode XCALL setProp(HostSymbol property, const HostValue* value) = 0;
  virtual HostCode XCALL getMedia(MediaInfo* info) = 0;
  virtual HostCode XCALL setMedia(const MediaInfo* info) = 0;  // takes the media over
  virtual HostCode XCALL getScoreAccess(ScoreAccess** out) = 0;
};

// Access to a score: the movie's, or a filmloop member's own. Frames are
// built between beginUpdate and endUpdate; each commitFrame between
// prepareFrames and finishFrames adds one frame with the sprites as set.
struct ScoreAccess : HostUnknown {
  virtual HostCode XCALL beginUpdate() = 0;
  virtual HostCode XCALL endUpdate() = 0;
  virtual HostCode XCALL prepareFrames() = 0;
  virtual HostCode XCALL finishFrames() = 0;
  virtual HostCode XCALL setCurrentFrame(std::int32_t frame) = 0;
  virtual HostCode XCALL commitFrame() = 0;
  virtual HostCode XCALL getSprite(std::int32_t channel, Sprite** out) = 0;
};

struct Sprite : HostUnknown {
  virtual HostCode XCALL getProp(HostSymbol property, HostValue* out) = 0;
  virtual HostCode XCALL setProp(HostSymbol property, const HostValue* value) = 0;
};
