#include "cast_objects.h"

#include "movie_objects.h"
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
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const std::string* name = host_.values.symbolName(property, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kUnknownValue, out);
  Value value;
  if (sameName(*name, "name")) {
    value = Value::string(cast_->name);
  } else if (sameName(*name, "fileName")) {
    value = Value::string(cast_->fileName);
  } else if (sameName(*name, "number")) {
    value = Value::integer(movie_->castIndexOf(cast_.get()));
  } else if (sameName(*name, "selection")) {
    value = cast_->selection.deepCopy();
  } else if (const Value* kept = cast_->properties.find(*name)) {
    value = kept->deepCopy();
  } else {
    return host_.fail(gate.origin(), kNotFound, out);
  }
  *out = host_.values.handOut(value, gate.origin());
  return kOk;
}

HostCode XCALL CastObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  const std::string* name = host_.values.symbolName(property, gate.origin());
  const Value* given = name ? host_.values.read(value, gate.origin()) : nullptr;
  if (given == nullptr) return kUnknownValue;
  if (sameName(*name, "number")) return kReadOnly;
  if (sameName(*name, "name") || sameName(*name, "fileName")) {
    if (given->kind() != Kind::String) return kWrongKind;
    (sameName(*name, "name") ? cast_->name : cast_->fileName) = given->text();
    return kOk;
  }
  if (sameName(*name, "selection")) {
    if (given->kind() != Kind::List) return kWrongKind;
    cast_->selection = given->deepCopy();
    return kOk;
  }
  if (cast_->properties.find(*name) == nullptr) return kNotFound;
  cast_->properties.set(*name, given->deepCopy());
  return kOk;
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
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const char* checked = host_.text(name, gate.origin());
  if (checked == nullptr) return host_.fail(gate.origin(), kBadArgument, out);
  const std::int32_t found = cast_->findMember(checked);
  if (found == 0) return host_.fail(gate.origin(), kNotFound, out);
  *out = found;
  return kOk;
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
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const std::string* name = host_.values.symbolName(property, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kUnknownValue, out);
  if (member_->deleted) return host_.fail(gate.origin(), kNotFound, out);
  Value value;
  if (sameName(*name, "name")) {
    value = Value::string(member_->name);
  } else if (sameName(*name, "type")) {
    value = Value::symbol(member_->type);
  } else if (sameName(*name, "number")) {
    value = Value::integer(slotOf(*cast_, member_.get()));
  } else if (const Value* kept = member_->properties.find(*name)) {
    value = kept->deepCopy();
  } else {
    return host_.fail(gate.origin(), kNotFound, out);
  }
  *out = host_.values.handOut(value, gate.origin());
  return kOk;
}

HostCode XCALL MemberObject::setProp(HostSymbol property, const HostValue* value) {
  Gate gate = enter("setProp", host_.showSymbol(property) + ", " + host_.showValue(value));
  if (!gate) return gate.code();
  const std::string* name = host_.values.symbolName(property, gate.origin());
  const Value* given = name ? host_.values.read(value, gate.origin()) : nullptr;
  if (given == nullptr) return kUnknownValue;
  if (member_->deleted) return kNotFound;
  if (sameName(*name, "type") || sameName(*name, "number")) return kReadOnly;
  if (sameName(*name, "name")) {
    if (given->kind() != Kind::String) return kWrongKind;
    member_->name = given->text();
    return kOk;
  }
  if (member_->properties.find(*name) == nullptr) return kNotFound;
  member_->properties.set(*name, given->deepCopy());
  return kOk;
}

HostCode XCALL MemberObject::getMedia(MediaInfo* info) {
  Gate gate = enter("getMedia");
  if (!gate) return host_.fail(gate.origin(), gate.code(), info);
  if (!host_.out(info, gate.origin())) return kBadArgument;
  std::string label, format;
  if (!mediaNames(host_, info, gate.origin(), &label, &format))
    return host_.fail(gate.origin(), kUnknownValue, info);
  if (member_->deleted) return host_.fail(gate.origin(), kNotFound, info);
  if (sameName(label, "score") && member_->score) {
    if (!sameName(format, "moahandle")) return host_.fail(gate.origin(), kNotFound, info);
    return giveMedia(host_, info, scoreToBytes(*member_->score), gate.origin());
  }
  const Bytes* bytes = member_->findMedia(label, format);
  if (bytes == nullptr) return host_.fail(gate.origin(), kNotFound, info);
  return giveMedia(host_, info, *bytes, gate.origin());
}

HostCode XCALL MemberObject::setMedia(const MediaInfo* info) {
  Gate gate = enter("setMedia");
  if (!gate) return gate.code();
  if (!host_.out(info, gate.origin())) return kBadArgument;
  std::unique_ptr<GivenMedia> media = takeMedia(host_, info, gate.origin());
  if (!media) return kUnknownValue;
  if (member_->deleted) return kNotFound;
  if (!sameName(media->format, "moahandle")) return kBadMedia;
  if (sameName(media->label, "score")) {
    if (!member_->score) return kWrongKind;
    std::optional<Score> score = scoreFromBytes(media->bytes);
    if (!score) return kBadMedia;
    *member_->score = std::move(*score);
    return kOk;
  }
  member_->setMedia(media->label, media->format, std::move(media->bytes));
  return kOk;
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
