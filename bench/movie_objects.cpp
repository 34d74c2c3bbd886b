#include "movie_objects.h"

#include "cast_objects.h"
#include "score_objects.h"
#include "services.h"

namespace bench {

namespace {

bool isScoreMedia(const std::string& label, const std::string& format) {
  return sameName(label, "score") && sameName(format, "moahandle");
}

}  // namespace

bool mediaNames(Host& host, const MediaInfo* info, const Origin& use, std::string* label,
                std::string* format) {
  const std::string* labelName = host.values.symbolName(info->label, use);
  const std::string* formatName = labelName ? host.values.symbolName(info->format, use) : nullptr;
  if (formatName == nullptr) return false;
  *label = *labelName;
  *format = *formatName;
  return true;
}

std::unique_ptr<GivenMedia> takeMedia(Host& host, const MediaInfo* info, const Origin& use) {
  Handle* handle = host.handles.read(info->data, use);
  if (handle == nullptr) return nullptr;
  auto given = std::make_unique<GivenMedia>();
  given->bytes = handle->bytes;
  host.handles.end(*handle, Handle::State::TakenOver, use);
  if (!mediaNames(host, info, use, &given->label, &given->format)) return nullptr;
  return given;
}

HostCode giveMedia(Host& host, MediaInfo* info, Bytes bytes, const Origin& use) {
  info->data = host.handles.make(std::move(bytes), use);
  return kOk;
}

MovieObject::MovieObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie)
    : HostObject(host, "Movie", std::move(origin), movie == nullptr), movie_(std::move(movie)) {}

HostCode XCALL MovieObject::getProp(HostSymbol property, HostValue* out) {
  Gate gate = enter("getProp", host_.showSymbol(property));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const std::string* name = host_.values.symbolName(property, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kUnknownValue, out);
  Value value;
  if (sameName(*name, "frame")) {
    value = Value::integer(movie_->currentFrame);
  } else if (sameName(*name, "lastFrame")) {
    value = Value::integer(movie_->frameCount());
  } else if (const Value* kept = movie_->properties.find(*name)) {
    value = kept->deepCopy();
  } else {
    return host_.fail(gate.origin(), kNotFound, out);
  }
  *out = host_.values.handOut(value, gate.origin());
  return kOk;
}

HostCode XCALL MovieObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  const std::string* name = host_.values.symbolName(property, gate.origin());
  const Value* given = name ? host_.values.read(value, gate.origin()) : nullptr;
  if (given == nullptr) return kUnknownValue;
  if (sameName(*name, "lastFrame")) return kReadOnly;
  if (sameName(*name, "frame")) {
    if (given->kind() != Kind::Integer) return kWrongKind;
    if (given->asInteger() < 1 || given->asInteger() > movie_->frameCount()) return kOutOfRange;
    movie_->currentFrame = given->asInteger();
    return kOk;
  }
  if (movie_->properties.find(*name) == nullptr) return kNotFound;
  movie_->properties.set(*name, given->deepCopy());
  return kOk;
}

HostCode XCALL MovieObject::getMedia(MediaInfo* info) {
  Gate gate = enter("getMedia");
  if (!gate) return host_.fail(gate.origin(), gate.code(), info);
  if (!host_.out(info, gate.origin())) return kBadArgument;
  std::string label, format;
  if (!mediaNames(host_, info, gate.origin(), &label, &format))
    return host_.fail(gate.origin(), kUnknownValue, info);
  if (!isScoreMedia(label, format)) return host_.fail(gate.origin(), kNotFound, info);
  return giveMedia(host_, info, scoreToBytes(*movie_->score), gate.origin());
}

HostCode XCALL MovieObject::setMedia(const MediaInfo* info) {
  Gate gate = enter("setMedia");
  if (!gate) return gate.code();
  if (!host_.out(info, gate.origin())) return kBadArgument;
  std::unique_ptr<GivenMedia> media = takeMedia(host_, info, gate.origin());
  if (!media) return kUnknownValue;
  if (!isScoreMedia(media->label, media->format)) return kNotFound;
  std::optional<Score> score = scoreFromBytes(media->bytes);
  if (!score) return kBadMedia;
  // In place: score access objects handed out before see the new score.
  *movie_->score = std::move(*score);
  if (movie_->currentFrame > movie_->frameCount()) movie_->currentFrame = 1;
  return kOk;
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
  if (!host_.out(outFrame, gate.origin())) return kBadArgument;
  const char* checked = host_.text(label, gate.origin());
  if (checked == nullptr) return host_.fail(gate.origin(), kBadArgument, outFrame);
  const std::int32_t frame = movie_->frameOfLabel(checked);
  if (frame == 0) return host_.fail(gate.origin(), kNotFound, outFrame);
  *outFrame = frame;
  return kOk;
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
