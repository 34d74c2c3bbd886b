// The module's view of a score, the movie's or a filmloop member's own, and
// of the sprites in its channels.
//
// Building frames: between beginUpdate and endUpdate, prepareFrames starts
// a new run of frames from empty channels; sprites set their properties in
// that working frame, each commitFrame adds it as the next frame, and
// finishFrames makes the frames so built the whole score. Out of that order
// each of these operations fails with kNotUpdating. An update still open at
// the end of a scenario is a finding.
//
// Addressing: setCurrentFrame chooses a frame of the score; getSprite
// addresses a channel in that frame, or in the working frame while frames
// are being built. Sprite properties: "member" (a member reference), "loc"
// (a point), "forecolor" and "backcolor" (integers) must be of their kind;
// any other name takes any value. An unset "loc" reads as point(0, 0), an
// unset "forecolor" as 255 and "backcolor" as 0; other unset names fail
// with kNotFound.
#pragma once

#include <memory>

#include "audited_object.h"
#include "host.h"
#include "movie_model.h"

namespace bench {

class ScoreAccessObject final : public HostObject<ScoreAccess> {
 public:
  // A null score makes a trap.
  ScoreAccessObject(Host& host, Origin origin, std::shared_ptr<Score> score);

  HostCode XCALL beginUpdate() override;
  HostCode XCALL endUpdate() override;
  HostCode XCALL prepareFrames() override;
  HostCode XCALL finishFrames() override;
  HostCode XCALL setCurrentFrame(std::int32_t frame) override;
  HostCode XCALL commitFrame() override;
  HostCode XCALL getSprite(std::int32_t channel, Sprite** out) override;

  // The properties of a channel in `frame`, or in the working frame while
  // frames are built; null when the frame does not exist.
  PropertyMap* sprite(std::int32_t frame, std::int32_t channel);

 private:
  void auditState(Monitor& monitor) const override;

  std::shared_ptr<Score> score_;
  std::int32_t currentFrame_ = 1;
  bool updating_ = false;
  bool building_ = false;
  Frame working_;
  std::vector<Frame> built_;
};

class SpriteObject final : public HostObject<Sprite> {
 public:
  // A null access makes a trap.
  SpriteObject(Host& host, Origin origin, ScoreAccessObject* access, std::int32_t frame,
               std::int32_t channel);

  HostCode XCALL getProp(HostSymbol property, HostValue* out) override;
  HostCode XCALL setProp(HostSymbol property, const HostValue* value) override;

 private:
  ScoreAccessObject* access_;  // kept by the registry for the whole scenario
  std::int32_t frame_;
  std::int32_t channel_;
};

}  // namespace bench
