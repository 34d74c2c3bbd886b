// The bench host's in-memory movie: properties, labels, the score, casts
// and their members. Scenarios build it before they run the module; the
// host objects (movie_objects.h, cast_objects.h, score_objects.h) are the
// module's view of it. Models are shared, so an object handed out keeps
// what it serves alive; a deleted member is marked, not destroyed, so a
// Member object for it refuses further work.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/values.h"
#include "value.h"

namespace bench {

using Bytes = std::vector<std::uint8_t>;

// One frame of a score: the properties of the sprite in each used channel.
struct Frame {
  std::map<std::int32_t, PropertyMap> channels;
  friend bool operator==(const Frame& a, const Frame& b) { return a.channels == b.channels; }
};

struct Score {
  std::int32_t channelCount = 48;
  std::vector<Frame> frames;

  std::int32_t frameCount() const { return static_cast<std::int32_t>(frames.size()); }
  void setFrameCount(std::int32_t count) { frames.resize(count > 0 ? count : 0); }
  // The sprite of a channel in a frame (both from 1); the score grows to
  // hold the frame.
  PropertyMap& sprite(std::int32_t frame, std::int32_t channel);
  const PropertyMap* findSprite(std::int32_t frame, std::int32_t channel) const;
  friend bool operator==(const Score& a, const Score& b) {
    return a.channelCount == b.channelCount && a.frames == b.frames;
  }
};

// The score as media, label "score" and format "moahandle": the bytes a
// handle carries, and back. Bytes the host did not write give nothing.
Bytes scoreToBytes(const Score& score);
std::optional<Score> scoreFromBytes(const Bytes& bytes);

struct MemberModel {
  std::string name;
  std::string type;  // a member type of the player, "bitmap"
  PropertyMap properties;
  std::shared_ptr<Score> score;  // a filmloop's own score
  bool deleted = false;

  MemberModel& set(const std::string& property, Value value);
  // Media per label and format (names without regard to case). The score
  // of a filmloop is its "score" media and is kept in `score`.
  MemberModel& setMedia(const std::string& label, const std::string& format, Bytes bytes);
  const Bytes* findMedia(const std::string& label, const std::string& format) const;
  std::map<std::pair<std::string, std::string>, Bytes> media;
};

struct CastModel {
  std::string name;
  std::string fileName;  // where an external cast comes from
  bool external = false;
  PropertyMap properties;
  Value selection = Value::list();  // a list of [first, last] ranges
  std::int32_t slotCount = 1000;
  std::map<std::int32_t, std::shared_ptr<MemberModel>> members;

  // A new member in a slot (from 1), replacing what was there.
  MemberModel& addMember(std::int32_t slot, const std::string& type, const std::string& memberName = {});
  std::shared_ptr<MemberModel> member(std::int32_t slot) const;
  // The slot of the first member with this name (any letter case); 0 if none.
  std::int32_t findMember(const std::string& memberName) const;
  // Sets the selection from runs of member numbers.
  CastModel& select(const std::vector<std::pair<std::int32_t, std::int32_t>>& runs);
  void removeMember(std::int32_t slot);
};

struct StageModel {
  std::int32_t kind = kNativeWindowKind;
  void* nativeWindow = nullptr;
};

struct MovieModel {
  // A movie with one internal cast, "Internal", and a score of one frame.
  MovieModel();

  PropertyMap properties;  // "frame" and "lastFrame" are the score's and not kept here
  std::shared_ptr<Score> score = std::make_shared<Score>();
  std::map<std::int32_t, std::string> labels;
  std::int32_t currentFrame = 1;
  std::vector<std::shared_ptr<CastModel>> casts;
  StageModel stage;

  std::int32_t frameCount() const { return score->frameCount(); }
  MovieModel& setFrameCount(std::int32_t count);
  MovieModel& setLabel(std::int32_t frame, const std::string& label);
  // The frame a label marks (any letter case); 0 when none does.
  std::int32_t frameOfLabel(const std::string& label) const;

  // Casts count from 1, in the order they were added.
  CastModel& cast(std::int32_t index) { return *casts.at(static_cast<std::size_t>(index - 1)); }
  CastModel& addCast(const std::string& name, const std::string& fileName = {}, bool external = false);
  std::int32_t castIndexByName(const std::string& name) const;  // 0 when none
  std::int32_t castIndexOf(const CastModel* cast) const;        // 0 when not in this movie
};

}  // namespace bench
