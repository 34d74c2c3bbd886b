#include "score_objects.h"

#include "answers.h"

namespace bench {

ScoreAccessObject::ScoreAccessObject(Host& host, Origin origin, std::shared_ptr<Score> score)
    : HostObject(host, "ScoreAccess", std::move(origin), score == nullptr),
      score_(std::move(score)) {}

HostCode XCALL ScoreAccessObject::beginUpdate() {
  Gate gate = enter("beginUpdate");
  if (!gate) return gate.code();
  if (updating_) return kNotUpdating;
  updating_ = true;
  return kOk;
}

HostCode XCALL ScoreAccessObject::endUpdate() {
  Gate gate = enter("endUpdate", {}, false);
  if (!gate) return gate.code();
  if (!updating_) return kNotUpdating;
  if (building_)
    host_.monitor.find(Finding::Kind::Misuse, gate.origin().text() + " ended the update of " +
                                                  describe() + " with frames prepared and never finished");
  updating_ = false;
  building_ = false;
  return kOk;
}

HostCode XCALL ScoreAccessObject::prepareFrames() {
  Gate gate = enter("prepareFrames");
  if (!gate) return gate.code();
  if (!updating_ || building_) return kNotUpdating;
  building_ = true;
  working_ = Frame();
  built_.clear();
  return kOk;
}

HostCode XCALL ScoreAccessObject::finishFrames() {
  Gate gate = enter("finishFrames");
  if (!gate) {
    building_ = false;  // a refused finish abandons the frames
    return gate.code();
  }
  if (!building_) return kNotUpdating;
  score_->frames = built_;
  building_ = false;
  return kOk;
}

HostCode XCALL ScoreAccessObject::setCurrentFrame(std::int32_t frame) {
  Gate gate = enter("setCurrentFrame", std::to_string(frame));
  if (!gate) return gate.code();
  if (!host_.number(frame, gate.origin()) || frame < 1 || frame > score_->frameCount())
    return kOutOfRange;
  currentFrame_ = frame;
  return kOk;
}

HostCode XCALL ScoreAccessObject::commitFrame() {
  Gate gate = enter("commitFrame");
  if (!gate) return gate.code();
  if (!building_) return kNotUpdating;
  built_.push_back(working_);
  return kOk;
}

HostCode XCALL ScoreAccessObject::getSprite(std::int32_t channel, Sprite** out) {
  Gate gate = enter("getSprite", std::to_string(channel));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (!host_.number(channel, gate.origin()) || channel < 1 || channel > score_->channelCount)
    return host_.fail(gate.origin(), kOutOfRange, out);
  *out = host_.objects.make<SpriteObject>(host_, gate.origin(), this, currentFrame_, channel);
  return kOk;
}

PropertyMap* ScoreAccessObject::sprite(std::int32_t frame, std::int32_t channel) {
  if (building_) return &working_.channels[channel];
  if (frame < 1 || frame > score_->frameCount()) return nullptr;
  return &score_->sprite(frame, channel);
}

void ScoreAccessObject::auditState(Monitor& monitor) const {
  if (updating_) monitor.find(Finding::Kind::Misuse, "the update begun on " + describe() + " was never ended");
}

namespace {

// Properties whose values must be of one kind, and what they read unset.
struct KnownProperty {
  const char* name;
  Kind kind;
  Value unset;
};
const KnownProperty* knownProperty(const std::string& name) {
  static const KnownProperty kKnown[] = {
      {"member", Kind::MemberRef, Value()},
      {"loc", Kind::Point, Value::point(0, 0)},
      {"forecolor", Kind::Integer, Value::integer(255)},
      {"backcolor", Kind::Integer, Value::integer(0)},
  };
  for (const KnownProperty& known : kKnown)
    if (sameName(known.name, name)) return &known;
  return nullptr;
}

}  // namespace

SpriteObject::SpriteObject(Host& host, Origin origin, ScoreAccessObject* access,
                           std::int32_t frame, std::int32_t channel)
    : HostObject(host, "Sprite", std::move(origin), access == nullptr),
      access_(access),
      frame_(frame),
      channel_(channel) {}

HostCode XCALL SpriteObject::getProp(HostSymbol property, HostValue* out) {
  Gate gate = enter("getProp", host_.showSymbol(property));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  const PropertyMap* sprite = access_->sprite(frame_, channel_);
  if (sprite == nullptr) return host_.fail(gate.origin(), kOutOfRange, out);
  return answerGetProp(host_, gate.origin(), property, out, [&](const std::string& name) {
    std::optional<Value> kept = keptProperty(*sprite, name);
    const KnownProperty* known = knownProperty(name);
    if (kept || known == nullptr || known->unset.isVoid()) return kept;
    return std::optional<Value>(known->unset);
  });
}

HostCode XCALL SpriteObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  return answerSetProp(host_, gate.origin(), property, value, [&](const std::string& name, const Value& given) {
    const KnownProperty* known = knownProperty(name);
    if (known != nullptr && given.kind() != known->kind) return kWrongKind;
    PropertyMap* sprite = access_->sprite(frame_, channel_);
    if (sprite == nullptr) return kOutOfRange;
    sprite->set(known ? known->name : name, given);
    return kOk;
  });
}

}  // namespace bench
