// The bench host's movie as a module sees it: casts, members, media, the
// score and filmloops, called directly as a module would call them.
#include <gtest/gtest.h>

#include <vector>

#include "bench/host_support.h"
#include "movie_model.h"

using bench::Finding;
using bench::Value;

namespace {

struct MovieFixture : HostFixture {
  MovieFixture() {
    bench::MovieModel& model = *host.world.movie;
    model.cast(1).addMember(1, "bitmap", "Ball").setMedia("Composite", "moaHandle", {1, 2, 3});
    model.cast(1).addMember(4, "filmloop", "Loop");
    model.addCast("Sounds").select({{3, 5}, {9, 9}});
    model.setFrameCount(3);
    model.score->sprite(2, 5).set("loc", Value::point(10, 20));
    EXPECT_EQ(player->getActiveMovie(&movie), kOk);
  }
  Cast* cast(std::int32_t index) {
    Cast* out = nullptr;
    EXPECT_EQ(movie->getCastByIndex(index, &out), kOk);
    return out;
  }
  Member* member(Cast* in, std::int32_t slot) {
    Member* out = nullptr;
    EXPECT_EQ(in->getMember(slot, &out), kOk);
    return out;
  }
  Value prop(Cast* of, const char* name) {
    HostValue value{};
    EXPECT_EQ(of->getProp(symbol(name), &value), kOk);
    Value read = HostFixture::read(value);
    values->releaseValue(&value);
    return read;
  }
  MediaInfo descriptor(const char* label, const char* format) {
    MediaInfo info{};
    EXPECT_EQ(media->newMediaInfo(symbol(label), symbol(format), nullptr, 0, 0, &info), kOk);
    return info;
  }

  Movie* movie = nullptr;
};

}  // namespace

TEST(HostMovie, CastsByNumberAndNameWithTheirProperties) {
  MovieFixture f;
  Cast* sounds = nullptr;
  ASSERT_EQ(f.movie->getCastByName("SOUNDS", &sounds), kOk);
  EXPECT_EQ(f.prop(sounds, "name"), Value("Sounds"));
  EXPECT_EQ(f.prop(sounds, "selection"), Value::list({Value::list({3, 5}), Value::list({9, 9})}));
  std::int32_t index = 0;
  EXPECT_EQ(sounds->getIndexInMovie(f.movie, &index), kOk);
  EXPECT_EQ(index, 2);

  Cast* none = nullptr;
  EXPECT_EQ(f.movie->getCastByIndex(3, &none), bench::kNotFound);
  EXPECT_EQ(f.movie->getCastByName("Music", &none), bench::kNotFound);

  Cast* internal = f.cast(1);
  std::vector<std::int32_t> used;
  std::int32_t slot = 0;
  for (internal->getFirstUsedMemberIndex(&slot); slot != 0; internal->getNextUsedMemberIndex(slot, &slot))
    used.push_back(slot);
  EXPECT_EQ(used, (std::vector<std::int32_t>{1, 4}));
  std::int32_t found = 0;
  EXPECT_EQ(internal->getMemberIndexFromName("loop", &found), kOk);
  EXPECT_EQ(found, 4);

  sounds->release();
  internal->release();
  f.movie->release();
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostMovie, MembersAreCreatedReplacedDuplicatedAndDeleted) {
  MovieFixture f;
  Cast* internal = f.cast(1);
  Cast* sounds = f.cast(2);
  EXPECT_EQ(internal->createMember(4, f.symbol("SHAPE")), kOk);  // replaces the filmloop
  EXPECT_EQ(internal->createMember(5, f.symbol("hologram")), bench::kNotFound);
  EXPECT_EQ(internal->duplicateMember(1, sounds, 7), kOk);
  EXPECT_EQ(internal->deleteMember(1), kOk);
  EXPECT_EQ(internal->deleteMember(1), bench::kNotFound);

  const bench::MovieModel& model = *f.host.world.movie;
  EXPECT_EQ(model.casts[0]->member(4)->type, "shape");
  EXPECT_EQ(model.casts[0]->member(1), nullptr);
  ASSERT_NE(model.casts[1]->member(7), nullptr);
  EXPECT_EQ(model.casts[1]->member(7)->name, "Ball");
  EXPECT_EQ(*model.casts[1]->member(7)->findMedia("composite", "MOAHANDLE"), (bench::Bytes{1, 2, 3}));

  internal->release();
  sounds->release();
  f.movie->release();
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostMovie, TheScoreTravelsAsMediaBetweenMovieAndFilmloop) {
  MovieFixture f;
  Cast* internal = f.cast(1);
  Member* loop = f.member(internal, 4);
  MediaInfo score = f.descriptor("score", "moahandle");
  ASSERT_EQ(f.movie->getMedia(&score), kOk);
  EXPECT_EQ(loop->setMedia(&score), kOk);  // the member takes the media over
  EXPECT_EQ(*f.host.world.movie->cast(1).member(4)->score, *f.host.world.movie->score);

  // A composite block comes back byte for byte; media the member lacks fails.
  Member* ball = f.member(internal, 1);
  MediaInfo composite = f.descriptor("Composite", "moaHandle");
  ASSERT_EQ(ball->getMedia(&composite), kOk);
  EXPECT_EQ(f.handles->getHandleSize(composite.data), 3u);
  EXPECT_EQ(f.media->releaseMediaInfo(&composite), kOk);
  MediaInfo sound = f.descriptor("sound", "moahandle");
  EXPECT_EQ(ball->getMedia(&sound), bench::kNotFound);

  loop->release();
  ball->release();
  internal->release();
  f.movie->release();
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostScore, AFilmloopIsBuiltFrameByFrameInsideItsBrackets) {
  MovieFixture f;
  Cast* internal = f.cast(1);
  Member* loop = f.member(internal, 4);
  ScoreAccess* access = nullptr;
  ASSERT_EQ(loop->getScoreAccess(&access), kOk);
  EXPECT_EQ(access->prepareFrames(), bench::kNotUpdating);  // outside the update
  EXPECT_EQ(access->beginUpdate(), kOk);
  Sprite* sprite = nullptr;
  ASSERT_EQ(access->getSprite(2, &sprite), kOk);  // before the frames, as a module may
  EXPECT_EQ(access->prepareFrames(), kOk);
  for (int frame = 0; frame < 2; ++frame) {
    HostValue loc{};
    HostPoint point{200 + 5 * frame, 200 + 5 * frame};
    f.values->pointToValue(&point, &loc);
    EXPECT_EQ(sprite->setProp(f.symbol("loc"), &loc), kOk);
    EXPECT_EQ(sprite->setProp(f.symbol("forecolor"), &loc), bench::kWrongKind);
    EXPECT_EQ(access->commitFrame(), kOk);
    f.values->releaseValue(&loc);
  }
  EXPECT_EQ(access->finishFrames(), kOk);
  EXPECT_EQ(access->endUpdate(), kOk);

  const bench::Score& built = *f.host.world.movie->cast(1).member(4)->score;
  ASSERT_EQ(built.frameCount(), 2);
  EXPECT_EQ(*built.findSprite(2, 2)->find("loc"), Value::point(205, 205));
  EXPECT_EQ(f.host.world.movie->frameCount(), 3);  // the movie's own score is untouched

  sprite->release();
  access->release();
  loop->release();
  internal->release();
  f.movie->release();
  EXPECT_TRUE(isClean(f.audit()));
}

TEST(HostScore, SpritesAreAddressedInTheCurrentFrameOfTheMoviesScore) {
  MovieFixture f;
  ScoreAccess* access = nullptr;
  ASSERT_EQ(f.movie->getScoreAccess(&access), kOk);
  EXPECT_EQ(access->setCurrentFrame(4), bench::kOutOfRange);
  EXPECT_EQ(access->setCurrentFrame(2), kOk);
  Sprite* sprite = nullptr;
  ASSERT_EQ(access->getSprite(5, &sprite), kOk);
  HostValue loc{};
  EXPECT_EQ(sprite->getProp(f.symbol("loc"), &loc), kOk);
  EXPECT_EQ(f.read(loc), Value::point(10, 20));
  f.values->releaseValue(&loc);
  Sprite* outside = nullptr;
  EXPECT_EQ(access->getSprite(49, &outside), bench::kOutOfRange);

  // An update begun and never ended is a finding.
  access->beginUpdate();
  sprite->release();
  access->release();
  f.movie->release();
  const bench::AuditReport audit = f.audit();
  ASSERT_EQ(audit.findings.size(), 1u) << audit.text();
  EXPECT_TRUE(audit.has(Finding::Kind::Misuse, "the update begun on the ScoreAccess made by "
                                               "Movie.getScoreAccess #1 was never ended"));
}

TEST(HostMovie, AnObjectPassedAfterItsLastReleaseIsAFinding) {
  MovieFixture f;
  Cast* internal = f.cast(1);
  f.movie->release();
  std::int32_t index = 0;
  EXPECT_EQ(internal->getIndexInMovie(f.movie, &index), bench::kObjectGone);
  internal->release();
  const bench::AuditReport audit = f.audit();
  ASSERT_EQ(audit.findings.size(), 1u) << audit.text();
  EXPECT_EQ(audit.findings[0].kind, Finding::Kind::CallAfterRelease);
  EXPECT_EQ(audit.findings[0].text, "Cast.getIndexInMovie #1 was passed the Movie made by "
                                    "PlayerServices.getActiveMovie #1 after its last release");
}

TEST(HostMovie, PropertiesLabelsExternalCastsAndTheStage) {
  MovieFixture f;
  f.host.world.movie->setLabel(2, "Intro");
  f.host.world.movie->stage = bench::StageModel{0, nullptr};

  HostValue value{};
  ASSERT_EQ(f.movie->getProp(f.symbol("lastFrame"), &value), kOk);
  EXPECT_EQ(f.read(value), Value(3));
  f.values->releaseValue(&value);
  HostValue frame = f.integer(3);
  EXPECT_EQ(f.movie->setProp(f.symbol("Frame"), &frame), kOk);
  EXPECT_EQ(f.movie->setProp(f.symbol("lastFrame"), &frame), bench::kReadOnly);
  EXPECT_EQ(f.movie->setProp(f.symbol("tempo"), &frame), bench::kNotFound);
  f.values->releaseValue(&frame);
  EXPECT_EQ(f.host.world.movie->currentFrame, 3);

  std::int32_t number = 0;
  EXPECT_EQ(f.movie->getFrameFromLabel("INTRO", &number), kOk);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(f.movie->setFrameLabel(3, "End"), kOk);
  EXPECT_EQ(f.movie->setFrameLabel(2, nullptr), kOk);  // no label any more
  EXPECT_EQ(f.movie->getFrameFromLabel("Intro", &number), bench::kNotFound);
  char label[8];
  EXPECT_EQ(f.movie->getLabelFromFrame(3, label, sizeof label), kOk);
  EXPECT_STREQ(label, "End");
  EXPECT_EQ(f.movie->setFrameLabel(4, "Beyond"), bench::kOutOfRange);

  std::int32_t castIndex = 0;
  EXPECT_EQ(f.movie->addExternalCast("Shared", "C:\\Casts\\shared.cst", &castIndex), kOk);
  EXPECT_EQ(castIndex, 3);
  EXPECT_TRUE(f.host.world.movie->cast(3).external);
  EXPECT_EQ(f.host.world.movie->cast(3).fileName, "C:\\Casts\\shared.cst");

  StageWindow* stage = nullptr;
  ASSERT_EQ(f.movie->getStageWindow(&stage), kOk);
  WindowInfo info{};
  EXPECT_EQ(stage->getWindowInfo(&info), kOk);
  EXPECT_EQ(info.kind, 0);
  stage->release();
  f.movie->release();
  EXPECT_TRUE(isClean(f.audit()));
}
