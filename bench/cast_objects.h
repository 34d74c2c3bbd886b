// The module's view of casts and their members.
//
// Cast properties: "name" and "fileName" (strings), "number" (its place in
// the movie, read-only), "selection" (a list of [first, last] ranges; set
// only from a list), and any the scenario gave the cast.
// Member properties: "name" (string), "type" (symbol, read-only), "number"
// (its slot, read-only), and any the scenario gave the member.
// Unknown names fail with kNotFound; names compare without regard to case.
//
// createMember and duplicateMember replace a member already in the slot.
// A member's media is kept per label and format ("moahandle" only: its data
// is a host handle); a filmloop's "score" media is its own score.
#pragma once

#include <memory>

#include "audited_object.h"
#include "host.h"
#include "movie_model.h"

namespace bench {

class CastObject final : public HostObject<Cast> {
 public:
  // A null cast makes a trap.
  CastObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie,
             std::shared_ptr<CastModel> cast);

  HostCode XCALL getProp(HostSymbol property, HostValue* out) override;
  HostCode XCALL setProp(HostSymbol property, const HostValue* value) override;
  HostCode XCALL getIndexInMovie(Movie* movie, std::int32_t* out) override;
  HostCode XCALL getFirstUsedMemberIndex(std::int32_t* out) override;
  HostCode XCALL getNextUsedMemberIndex(std::int32_t after, std::int32_t* out) override;
  HostCode XCALL getMemberIndexFromName(const char* name, std::int32_t* out) override;
  HostCode XCALL getMember(std::int32_t memberIndex, Member** out) override;
  HostCode XCALL createMember(std::int32_t memberIndex, HostSymbol type) override;
  HostCode XCALL deleteMember(std::int32_t memberIndex) override;
  HostCode XCALL duplicateMember(std::int32_t sourceIndex, Cast* destination,
                                 std::int32_t destinationIndex) override;

  const std::shared_ptr<CastModel>& model() const { return cast_; }

 private:
  bool slot(std::int32_t memberIndex, const Origin& use) const;

  std::shared_ptr<MovieModel> movie_;
  std::shared_ptr<CastModel> cast_;
};

class MemberObject final : public HostObject<Member> {
 public:
  // A null member makes a trap.
  MemberObject(Host& host, Origin origin, std::shared_ptr<MovieModel> movie,
               std::shared_ptr<CastModel> cast, std::shared_ptr<MemberModel> member);

  HostCode XCALL getProp(HostSymbol property, HostValue* out) override;
  HostCode XCALL setProp(HostSymbol property, const HostValue* value) override;
  HostCode XCALL getMedia(MediaInfo* info) override;
  HostCode XCALL setMedia(const MediaInfo* info) override;
  // Only a filmloop has a score of its own.
  HostCode XCALL getScoreAccess(ScoreAccess** out) override;

 private:
  std::shared_ptr<MovieModel> movie_;
  std::shared_ptr<CastModel> cast_;
  std::shared_ptr<MemberModel> member_;
};

}  // namespace bench
