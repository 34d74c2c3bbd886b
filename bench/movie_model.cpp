#include "movie_model.h"

namespace bench {

MemberModel& MemberModel::set(const std::string& property, Value value) {
  properties.set(property, std::move(value));
  return *this;
}

MemberModel& MemberModel::setMedia(const std::string& label, const std::string& format,
                                   Bytes bytes) {
  media[{lowerCase(label), lowerCase(format)}] = std::move(bytes);
  return *this;
}

const Bytes* MemberModel::findMedia(const std::string& label, const std::string& format) const {
  auto found = media.find({lowerCase(label), lowerCase(format)});
  return found == media.end() ? nullptr : &found->second;
}

MemberModel& CastModel::addMember(std::int32_t slot, const std::string& type,
                                  const std::string& memberName) {
  removeMember(slot);
  auto member = std::make_shared<MemberModel>();
  member->name = memberName;
  member->type = type;
  if (sameName(type, "filmloop")) member->score = std::make_shared<Score>();
  members[slot] = member;
  return *member;
}

std::shared_ptr<MemberModel> CastModel::member(std::int32_t slot) const {
  auto found = members.find(slot);
  return found == members.end() ? nullptr : found->second;
}

std::int32_t CastModel::findMember(const std::string& memberName) const {
  for (const auto& [slot, member] : members)
    if (!member->name.empty() && sameName(member->name, memberName)) return slot;
  return 0;
}

CastModel& CastModel::select(const std::vector<std::pair<std::int32_t, std::int32_t>>& runs) {
  selection = Value::list();
  for (const auto& [first, last] : runs) selection.append(Value::list({first, last}));
  return *this;
}

void CastModel::removeMember(std::int32_t slot) {
  auto found = members.find(slot);
  if (found == members.end()) return;
  found->second->deleted = true;
  members.erase(found);
}

MovieModel::MovieModel() {
  properties.set("name", "bench.dir");
  properties.set("path", "C:\\Bench\\");
  score->setFrameCount(1);
  addCast("Internal");
}

MovieModel& MovieModel::setFrameCount(std::int32_t count) {
  score->setFrameCount(count);
  return *this;
}

MovieModel& MovieModel::setLabel(std::int32_t frame, const std::string& label) {
  labels[frame] = label;
  return *this;
}

std::int32_t MovieModel::frameOfLabel(const std::string& label) const {
  for (const auto& [frame, name] : labels)
    if (sameName(name, label)) return frame;
  return 0;
}

CastModel& MovieModel::addCast(const std::string& name, const std::string& fileName,
                               bool external) {
  auto cast = std::make_shared<CastModel>();
  cast->name = name;
  cast->fileName = fileName;
  cast->external = external;
  casts.push_back(cast);
  return *cast;
}

std::int32_t MovieModel::castIndexByName(const std::string& name) const {
  for (std::size_t i = 0; i < casts.size(); ++i)
    if (sameName(casts[i]->name, name)) return static_cast<std::int32_t>(i + 1);
  return 0;
}

std::int32_t MovieModel::castIndexOf(const CastModel* cast) const {
  for (std::size_t i = 0; i < casts.size(); ++i)
    if (casts[i].get() == cast) return static_cast<std::int32_t>(i + 1);
  return 0;
}

}  // namespace bench
