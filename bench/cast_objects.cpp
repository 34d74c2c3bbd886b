#include "cast_objects.h"

#include "movie_objects.h"
#include "answers.h"
#include "score_objects.h"

namespace bench {

namespace {

std::int32_t slotOf(const CastModel& cast, const MemberModel* member) {
  for (const auto& [slot, held] : cast.members)
    if (held.get() == member) return slot;
  return 0;
}

// A new member with everything of `source`, its score included.
std::shared_ptr<MemberModel> copyMember(const MemberModel& source) {
  auto copy = std::make_shared<MemberModel>(source);
  copy->properties = PropertyMap();
  for (const auto& [name, value] : source.properties.items()) copy->properties.set(name, value.deepCopy());
  if (source.score) copy->score = std::make_shared<Score>(*source.score);
  return copy;
}

}  // namespace

CastObject::CastObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie,
                       std::shared_ptr<CastModel> cast)
    : HostObject(host, "Cast", std::move(origin), cast == nullptr),
      movie_(std::move(movie)),
      cast_(std::move(cast)) {}

bool CastObject::slot(std::int32_t memberIndex, const Origin& use) const {
  return host_.number(memberIndex, use) && memberIndex >= 1 && memberIndex <= cast_->slotCount;
}

HostCode XCALL CastObject::getProp(HostSymbol property, HostValue* out) {
  Gate gate = enter("getProp", host_.showSymbol(property));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  return answerGetProp(host_, gate.origin(), property, out, [&](const std::string& name) {
    if (sameName(name, "name")) return std::optional<Value>(cast_->name);
    if (sameName(name, "fileName")) return std::optional<Value>(cast_->fileName);
    if (sameName(name, "number")) return std::optional<Value>(movie_->castIndexOf(cast_.get()));
    if (sameName(name, "selection")) return std::optional<Value>(cast_->selection);
    return keptProperty(cast_->properties, name);
  });
}

HostCode XCALL CastObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  return answerSetProp(host_, gate.origin(), property, value, [&](const std::string& name, const Value& given) {
    if (sameName(name, "number")) return kReadOnly;
    if (sameName(name, "name") || sameName(name, "fileName")) {
      if (given.kind() != Kind::String) return kWrongKind;
      (sameName(name, "name") ? cast_->name : cast_->fileName) = given.text();
      return kOk;
    }
    if (!sameName(name, "selection")) return setKeptProperty(cast_->properties, name, given);
    if (given.kind() != Kind::List) return kWrongKind;
    cast_->selection = given;
    return kOk;
  });
}

HostCode XCALL CastObject::getIndexInMovie(Movie* movie, std::int32_t* out) {
  Gate gate = enter("getIndexInMovie");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  MovieObject* object = host_.live<MovieObject>(movie, gate.origin());
  if (object == nullptr) return host_.fail(gate.origin(), kObjectGone, out);
  const std::int32_t index = object->model()->castIndexOf(cast_.get());
  if (index == 0) return host_.fail(gate.origin(), kNotFound, out);
  *out = index;
  return kOk;
}

HostCode XCALL CastObject::getFirstUsedMemberIndex(std::int32_t* out) {
  Gate gate = enter("getFirstUsedMemberIndex");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  *out = cast_->members.empty() ? 0 : cast_->members.begin()->first;
  return kOk;
}

HostCode XCALL CastObject::getNextUsedMemberIndex(std::int32_t after, std::int32_t* out) {
  Gate gate = enter("getNextUsedMemberIndex", std::to_string(after));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (!host_.number(after, gate.origin())) return host_.fail(gate.origin(), kUnknownValue, out);
  auto next = cast_->members.upper_bound(after);
  *out = next == cast_->members.end() ? 0 : next->first;
  return kOk;
}

HostCode XCALL CastObject::getMemberIndexFromName(const char* name, std::int32_t* out) {
  Gate gate = enter("getMemberIndexFromName", host_.showText(name));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  return answerNumberByName(host_, gate.origin(), name, out,
                            [&](const std::string& text) { return cast_->findMember(text); });
}

HostCode XCALL CastObject::getMember(std::int32_t memberIndex, Member** out) {
  Gate gate = enter("getMember", std::to_string(memberIndex));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (!slot(memberIndex, gate.origin())) return host_.fail(gate.origin(), kOutOfRange, out);
  std::shared_ptr<MemberModel> member = cast_->member(memberIndex);
  if (!member) return host_.fail(gate.origin(), kNotFound, out);
  *out = host_.objects.make<MemberObject>(host_, gate.origin(), movie_, cast_, member);
  return kOk;
}

HostCode XCALL CastObject::createMember(std::int32_t memberIndex, HostSymbol type) {
  Gate gate = enter("createMember", std::to_string(memberIndex) + ", " + host_.showSymbol(type));
  if (!gate) return gate.code();
  if (!slot(memberIndex, gate.origin())) return kOutOfRange;
  const std::string* name = host_.values.symbolName(type, gate.origin());
  if (name == nullptr) return kUnknownValue;
  const MemberType* known = host_.world.player.findMemberType(*name);
  if (known == nullptr) return kNotFound;
  cast_->addMember(memberIndex, known->name);
  return kOk;
}

HostCode XCALL CastObject::deleteMember(std::int32_t memberIndex) {
  Gate gate = enter("deleteMember", std::to_string(memberIndex));
  if (!gate) return gate.code();
  if (!slot(memberIndex, gate.origin())) return kOutOfRange;
  if (!cast_->member(memberIndex)) return kNotFound;
  cast_->removeMember(memberIndex);
  return kOk;
}

HostCode XCALL CastObject::duplicateMember(std::int32_t sourceIndex, Cast* destination,
                                           std::int32_t destinationIndex) {
  Gate gate = enter("duplicateMember",
                    std::to_string(sourceIndex) + ", cast, " + std::to_string(destinationIndex));
  if (!gate) return gate.code();
  CastObject* target = host_.live<CastObject>(destination, gate.origin());
  if (target == nullptr) return kObjectGone;
  if (!slot(sourceIndex, gate.origin()) || !target->slot(destinationIndex, gate.origin()))
    return kOutOfRange;
  std::shared_ptr<MemberModel> source = cast_->member(sourceIndex);
  if (!source) return kNotFound;
  std::shared_ptr<MemberModel> copy = copyMember(*source);
  target->cast_->removeMember(destinationIndex);
  target->cast_->members[destinationIndex] = copy;
  return kOk;
}

MemberObject::MemberObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie,
                           std::shared_ptr<CastModel> cast, std::shared_ptr<MemberModel> member)
    : HostObject(host, "Member", std::move(origin), member == nullptr),
      movie_(std::move(movie)),
      cast_(std::move(cast)),
      member_(std::move(member)) {}

HostCode XCALL MemberObject::getProp(HostSymbol property, HostValue* out) {
  Gate gate = enter("getProp", host_.showSymbol(property));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  return answerGetProp(host_, gate.origin(), property, out, [&](const std::string& name) {
    if (member_->deleted) return std::optional<Value>();
    if (sameName(name, "name")) return std::optional<Value>(member_->name);
    if (sameName(name, "type")) return std::optional<Value>(Value::symbol(member_->type));
    if (sameName(name, "number")) return std::optional<Value>(slotOf(*cast_, member_.get()));
    return keptProperty(member_->properties, name);
  });
}

HostCode XCALL MemberObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  return answerSetProp(host_, gate.origin(), property, value, [&](const std::string& name, const Value& given) {
    if (member_->deleted) return kNotFound;
    if (sameName(name, "type") || sameName(name, "number")) return kReadOnly;
    if (!sameName(name, "name")) return setKeptProperty(member_->properties, name, given);
    if (given.kind() != Kind::String) return kWrongKind;
    member_->name = given.text();
    return kOk;
  });
}

HostCode XCALL MemberObject::getMedia(MediaInfo* info) {
  Gate gate = enter("getMedia");
  if (!gate) return host_.fail(gate.origin(), gate.code(), info);
  return answerGetMedia(host_, gate.origin(), info, [&](const std::string& label, const std::string& format) {
    if (member_->deleted) return std::optional<Bytes>();
    if (sameName(label, "score") && member_->score)
      return sameName(format, "moahandle") ? std::optional<Bytes>(scoreToBytes(*member_->score))
                                           : std::nullopt;
    const Bytes* bytes = member_->findMedia(label, format);
    return bytes ? std::optional<Bytes>(*bytes) : std::nullopt;
  });
}

HostCode XCALL MemberObject::setMedia(const MediaInfo* info) {
  Gate gate = enter("setMedia");
  if (!gate) return gate.code();
  return answerSetMedia(host_, gate.origin(), info, [&](GivenMedia& media) {
    if (member_->deleted) return kNotFound;
    if (!sameName(media.format, "moahandle")) return kBadMedia;
    if (!sameName(media.label, "score")) {
      member_->setMedia(media.label, media.format, std::move(media.bytes));
      return kOk;
    }
    if (!member_->score) return kWrongKind;
    std::optional<Score> score = scoreFromBytes(media.bytes);
    if (!score) return kBadMedia;
    *member_->score = std::move(*score);
    return kOk;
  });
}

HostCode XCALL MemberObject::getScoreAccess(ScoreAccess** out) {
  Gate gate = enter("getScoreAccess");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (member_->deleted) return host_.fail(gate.origin(), kNotFound, out);
  if (!member_->score) return host_.fail(gate.origin(), kWrongKind, out);
  *out = host_.objects.make<ScoreAccessObject>(host_, gate.origin(), member_->score);
  return kOk;
}

}  // namespace bench
