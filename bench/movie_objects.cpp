#include "movie_objects.h"

#include "cast_objects.h"
#include "answers.h"
#include "score_objects.h"
#include "services.h"

namespace bench {

namespace {

bool isScoreMedia(const std::string& label, const std::string& format) {
  return sameName(label, "score") && sameName(format, "moahandle");
}

}  // namespace

MovieObject::MovieObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie)
    : HostObject(host, "Movie", std::move(origin), movie == nullptr), movie_(std::move(movie)) {}

HostCode XCALL MovieObject::getProp(HostSymbol property, HostValue* out) {
  Gate gate = enter("getProp", host_.showSymbol(property));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  return answerGetProp(host_, gate.origin(), property, out, [&](const std::string& name) {
    if (sameName(name, "frame")) return std::optional<Value>(movie_->currentFrame);
    if (sameName(name, "lastFrame")) return std::optional<Value>(movie_->frameCount());
    return keptProperty(movie_->properties, name);
  });
}

HostCode XCALL MovieObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  return answerSetProp(host_, gate.origin(), property, value, [&](const std::string& name, const Value& given) {
    if (sameName(name, "lastFrame")) return kReadOnly;
    if (!sameName(name, "frame")) return setKeptProperty(movie_->properties, name, given);
    if (given.kind() != Kind::Integer) return kWrongKind;
    if (given.asInteger() < 1 || given.asInteger() > movie_->frameCount()) return kOutOfRange;
    movie_->currentFrame = given.asInteger();
    return kOk;
  });
}

HostCode XCALL MovieObject::getMedia(MediaInfo* info) {
  Gate gate = enter("getMedia");
  if (!gate) return host_.fail(gate.origin(), gate.code(), info);
  return answerGetMedia(host_, gate.origin(), info, [&](const std::string& label, const std::string& format) {
    return isScoreMedia(label, format) ? std::optional<Bytes>(scoreToBytes(*movie_->score)) : std::nullopt;
  });
}

HostCode XCALL MovieObject::setMedia(const MediaInfo* info) {
  Gate gate = enter("setMedia");
  if (!gate) return gate.code();
  return answerSetMedia(host_, gate.origin(), info, [&](const GivenMedia& media) {
    if (!isScoreMedia(media.label, media.format)) return kNotFound;
    std::optional<Score> score = scoreFromBytes(media.bytes);
    if (!score) return kBadMedia;
    // In place: score access objects handed out before see the new score.
    *movie_->score = std::move(*score);
    if (movie_->currentFrame > movie_->frameCount()) movie_->currentFrame = 1;
    return kOk;
  });
}

HostCode XCALL MovieObject::callHandler(HostSymbol handler, std::int32_t argCount,
                                        HostValue* args, HostValue* result) {
  Gate gate = enter("callHandler", host_.showSymbol(handler) + ", " + std::to_string(argCount));
  if (!gate) return host_.fail(gate.origin(), gate.code(), result);
  return callScriptHandler(host_, gate.origin(), handler, argCount, args, result);
}

HostCode XCALL MovieObject::getCastByIndex(std::int32_t castIndex, Cast** out) {
  Gate gate = enter("getCastByIndex", std::to_string(castIndex));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (!host_.number(castIndex, gate.origin())) return host_.fail(gate.origin(), kUnknownValue, out);
  if (castIndex < 1 || static_cast<std::size_t>(castIndex) > movie_->casts.size())
    return host_.fail(gate.origin(), kNotFound, out);
  *out = host_.objects.make<CastObject>(host_, gate.origin(), movie_,
                                        movie_->casts[static_cast<std::size_t>(castIndex - 1)]);
  return kOk;
}

HostCode XCALL MovieObject::getCastByName(const char* name, Cast** out) {
  Gate gate = enter("getCastByName", host_.showText(name));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const char* checked = host_.text(name, gate.origin());
  if (checked == nullptr) return host_.fail(gate.origin(), kBadArgument, out);
  const std::int32_t index = movie_->castIndexByName(checked);
  if (index == 0) return host_.fail(gate.origin(), kNotFound, out);
  *out = host_.objects.make<CastObject>(host_, gate.origin(), movie_,
                                        movie_->casts[static_cast<std::size_t>(index - 1)]);
  return kOk;
}

HostCode XCALL MovieObject::addExternalCast(const char* name, const char* path,
                                            std::int32_t* outCastIndex) {
  Gate gate = enter("addExternalCast", host_.showText(name) + ", " + host_.showText(path));
  if (!gate) return host_.fail(gate.origin(), gate.code(), outCastIndex);
  if (!host_.out(outCastIndex, gate.origin())) return kBadArgument;
  const char* checkedName = host_.text(name, gate.origin());
  const char* checkedPath = checkedName ? host_.text(path, gate.origin()) : nullptr;
  if (checkedPath == nullptr) return host_.fail(gate.origin(), kBadArgument, outCastIndex);
  movie_->addCast(checkedName, checkedPath, true);
  *outCastIndex = static_cast<std::int32_t>(movie_->casts.size());
  return kOk;
}

HostCode XCALL MovieObject::getStageWindow(StageWindow** out) {
  Gate gate = enter("getStageWindow");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  *out = host_.objects.make<StageWindowObject>(host_, gate.origin(), movie_);
  return kOk;
}

HostCode XCALL MovieObject::getFrameFromLabel(const char* label, std::int32_t* outFrame) {
  Gate gate = enter("getFrameFromLabel", host_.showText(label));
  if (!gate) return host_.fail(gate.origin(), gate.code(), outFrame);
  return answerNumberByName(host_, gate.origin(), label, outFrame,
                            [&](const std::string& text) { return movie_->frameOfLabel(text); });
}

HostCode XCALL MovieObject::getLabelFromFrame(std::int32_t frame, char* buffer, std::int32_t size) {
  Gate gate = enter("getLabelFromFrame", std::to_string(frame) + ", " + std::to_string(size));
  if (!gate) return host_.fail(gate.origin(), gate.code(), TextOut{buffer, size});
  if (!host_.buffer(buffer, size, gate.origin())) return kBadArgument;
  if (!host_.number(frame, gate.origin()) || frame < 1 || frame > movie_->frameCount())
    return host_.fail(gate.origin(), kOutOfRange, TextOut{buffer, size});
  auto found = movie_->labels.find(frame);
  Host::writeText(found == movie_->labels.end() ? std::string() : found->second, buffer, size);
  return kOk;
}

HostCode XCALL MovieObject::setFrameLabel(std::int32_t frame, const char* label) {
  Gate gate = enter("setFrameLabel", std::to_string(frame) + ", " + host_.showText(label));
  if (!gate) return gate.code();
  if (!host_.number(frame, gate.origin()) || frame < 1 || frame > movie_->frameCount())
    return kOutOfRange;
  if (label == nullptr) {
    movie_->labels.erase(frame);
    return kOk;
  }
  const char* checked = host_.text(label, gate.origin());
  if (checked == nullptr) return kBadArgument;
  movie_->labels[frame] = checked;
  return kOk;
}

HostCode XCALL MovieObject::getScoreAccess(ScoreAccess** out) {
  Gate gate = enter("getScoreAccess");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  *out = host_.objects.make<ScoreAccessObject>(host_, gate.origin(), movie_->score);
  return kOk;
}

StageWindowObject::StageWindowObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie)
    : HostObject(host, "StageWindow", std::move(origin), movie == nullptr),
      movie_(std::move(movie)) {}

HostCode XCALL StageWindowObject::getWindowInfo(WindowInfo* out) {
  Gate gate = enter("getWindowInfo");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  *out = WindowInfo{movie_->stage.kind, 0, movie_->stage.nativeWindow, 0, 0};
  return kOk;
}

}  // namespace bench
