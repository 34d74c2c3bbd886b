// The module's view of the active movie and of its stage window.
//
// Movie properties: "frame" (the current frame; setting it moves the movie)
// and "lastFrame" (the frame count, read-only) come from the score; any
// other is one the scenario gave the movie. Unknown names fail with
// kNotFound. The movie's only media is its score: label "score", format
// "moahandle".
#pragma once

#include <memory>

#include "audited_object.h"
#include "host.h"
#include "movie_model.h"

namespace bench {

class MovieObject final : public HostObject<Movie> {
 public:
  // A null movie makes a trap.
  MovieObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie);

  HostCode XCALL getProp(HostSymbol property, HostValue* out) override;
  HostCode XCALL setProp(HostSymbol property, const HostValue* value) override;
  HostCode XCALL getMedia(MediaInfo* info) override;
  HostCode XCALL setMedia(const MediaInfo* info) override;
  HostCode XCALL callHandler(HostSymbol handler, std::int32_t argCount, HostValue* args,
                             HostValue* result) override;
  HostCode XCALL getCastByIndex(std::int32_t castIndex, Cast** out) override;
  HostCode XCALL getCastByName(const char* name, Cast** out) override;
  HostCode XCALL addExternalCast(const char* name, const char* path,
                                 std::int32_t* outCastIndex) override;
  HostCode XCALL getStageWindow(StageWindow** out) override;
  HostCode XCALL getFrameFromLabel(const char* label, std::int32_t* outFrame) override;
  HostCode XCALL getLabelFromFrame(std::int32_t frame, char* buffer, std::int32_t size) override;
  // A null label removes the frame's label.
  HostCode XCALL setFrameLabel(std::int32_t frame, const char* label) override;
  HostCode XCALL getScoreAccess(ScoreAccess** out) override;

  const std::shared_ptr<MovieModel>& model() const { return movie_; }

 private:
  std::shared_ptr<MovieModel> movie_;
};

class StageWindowObject final : public HostObject<StageWindow> {
 public:
  StageWindowObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie);
  HostCode XCALL getWindowInfo(WindowInfo* out) override;

 private:
  std::shared_ptr<MovieModel> movie_;
};

}  // namespace bench
