// Registration: the host is checked before anything is written, and the
// script class gets its load option and the message table through which
// every movie learns the Xtra's methods.
#include <gtest/gtest.h>

#include <string>

#include "bench/bench_support.h"
#include "registration_cache.h"
#include "support/id_text.h"

namespace {

const ComponentId kScriptClass = idFromText("{3C5B7E22-4D0A-4F6B-9E12-7A1C2B3D4E51}");
const ComponentId kLoadControlEntry = idFromText("{70D7CCF4-615F-11CF-B48D-080007160DC3}");
const ComponentId kScriptInterface = idFromText("{AC401FB6-0001-F9B0-0000-0800072C6326}");

// The message table as movies know it, line for line: one wrong character or
// a shifted line breaks every movie written against the Xtra.
const char* const kMessageTable = R"TABLE(xtra MorvathXtras -- this Xtra provides access to various movie components
new object me
-- MISC --
callAFunction object me, symbol otherHandler, * -- call another function handler
callACommand  object me, symbol otherHandler, * -- call another command (no result) handler
sendSpriteMsg object me, any sprite, symbol message, * -- send message to sprite
winGetParent  object me -- Returns app instance and main window (only useful on Win)
getStageRect  object me -- Returns stage's rect in screen coordinates
-- PLAYER --
resolveFName object me, string fileName -- resolve filename
typeCount object me -- get # cmtypes
typeName object me, string typeSymbol -- get displayname of cmtype
* dumpTypes -- dump list of cmtypes
* dumpAppInfo -- dump app info
* addScoreToList integer iListLength, string szSection, integer iScore, string szName -- Add score
* clearScoreList integer iListLength, string szSection -- Clear score list of ListLength from Section
* getScoreValues integer iListLength, string szSection -- Get list of ListLength scores from Section
* getScoreList integer iListLength, string szSection -- Get list of ListLength items from Section
* launchLocal string szProgramName, string szArgument -- Launches local EXE
* launchPDA string szSectionID -- Launches PDA
-- MOVIE --
* getExternalPath integer iPathType -- get external path: 0 = Images, 1 = Sounds
movieProp object me, string prop -- Get movie prop
setMovieProp object me, string prop, any value -- Set movie prop
movieToLoop object me, integer memIndex -- New filmloop from movie score
loopToMovie object me, integer memIndex -- Set movie score from filmloop
makeLoop object me, integer destMemInd, integer runMemInd, integer chanInd, integer nFrames -- make filmloop
labelFrame object me, string labelName -- frame# from label
labelName object me, integer frameNum -- label from frame#
setLabel object me, integer frmNum, any lblstr
addXcast object me, string name, string path
-- CAST --
castProp object me, any cast, string propName -- Get cast prop
setCastProp object me, any cast, string propName, any value -- Set cast prop
indexOfCast object me, any cast -- Get cast ind in active movie
usedMemList object me, any cast -- list used indexes in cast
memNameToInd object me, any cast, string memName -- get mem ind from name
createMem object me, any cast, integer memInd, string typeSymbol -- create mem
deleteMem object me, any cast, any mem -- delete mem from cast
dupeMem object me, any srcCast, any srcMem, any dstCast, any dstMem -- dupe mem
getCastSel object me, any cast -- Get cast selection as a list of cast members
-- CASTMEM --
castMemProp object me, any castmem, string prop -- Get castmem prop (cast#1)
setCastMemProp object me, any castmem, string prop, any value -- Set mem prop (cast#1)
xferMedia object me, any srcCMem, any dstCMem, string label, string format -- xfer media (cast#1)
saveMedia object me, any srcCMem, string pathname -- Save media as composite to pathname
readMedia object me, any dstCMem, string pathname -- Read composite media from pathname into a #bitmap
-- SCORE SPRITE --
scoreSpriteProp object me, int chanInd, string prop -- Get score sprite prop
setScoreSpriteProp object me, int chanInd, string prop, any value -- Set score sprite prop
)TABLE";

const bench::RegistryRecord* loadOption(const bench::Bench& bench) {
  return bench.registry().find(kScriptClass, kLoadControlEntry, "XtraLoadControlOptions");
}
const bench::RegistryRecord* messageTable(const bench::Bench& bench) {
  return bench.registry().find(kScriptClass, kScriptInterface, "msgTable");
}

// How often the host was asked for the message table's buffer.
int tableBufferRequests(const bench::Bench& bench) {
  int requests = 0;
  for (const std::string& line : bench.traceLines("HostAllocator.allocate"))
    if (line == "HostAllocator.allocate(3259)") ++requests;
  return requests;
}

}  // namespace

TEST(Register, AcceptsTheProductFromVersionSixOnly) {
  struct Case {
    const char* product;
    const char* version;
    bool accepted;
  };
  const Case cases[] = {
      {"Director", "6.0", true},       {"Director", "7.0.2", true},
      {"Director", "8.5", true},       {"Director", "9", true},
      {"Director", "5.0", false},      {"Director", "10.0", false},  // read as "1"
      {"Director", "", false},         {"Director", " 8.5", false},
      {"director", "8.5", false},      {"DIRECTOR", "8.5", false},
      {"Director ", "8.5", false},     {"Director Pro", "9", false},
      {"Directo", "8.5", false},       {"Presenter", "8.5", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.product) + " / " + c.version);
    bench::Bench bench(moduleUnderTest());
    bench.app().infoStrings[5] = c.product;
    bench.app().infoStrings[6] = c.version;
    EXPECT_EQ(bench.registerModule(), c.accepted ? kOk : kRequestNotServed);
    if (c.accepted) {
      EXPECT_EQ(bench.registry().records.size(), 2u);
    } else {
      // Refused before any entry is asked for.
      EXPECT_TRUE(bench.traceLines("RegistrationCache.").empty());
      EXPECT_TRUE(bench.registry().records.empty());
    }
    EXPECT_TRUE(isClean(bench.finish()));
  }
}

TEST(Register, WritesTheLoadOptionAndTheMessageTableForTheScriptClass) {
  bench::Bench bench(moduleUnderTest());
  ASSERT_EQ(bench.registerModule(), kOk);

  for (const bench::RegistryRecord& record : bench.registry().records)
    EXPECT_TRUE(record.classId == kScriptClass) << record.key;

  const bench::RegistryRecord* option = loadOption(bench);
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(option->valueType, bench::kRegistryInteger);
  EXPECT_EQ(option->integer, 3);

  const bench::RegistryRecord* table = messageTable(bench);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->valueType, bench::kRegistryText);
  EXPECT_EQ(table->text.size(), 3257u);
  EXPECT_EQ(table->text, kMessageTable);
  // The text travels in a buffer of the host's allocator, given back at once.
  EXPECT_EQ(tableBufferRequests(bench), 1);
  EXPECT_TRUE(isClean(bench.finish()));
}

TEST(Register, PassesTheHostsFailuresOnAndWritesNothingAfterThem) {
  struct Case {
    const char* failing;
    int nth;
    bool loadOptionWritten;
  };
  const HostCode code = toCode(0x8004B0AAu);
  const Case cases[] = {
      {"AppInfoServices.getInfoString", 1, false},
      {"AppInfoServices.getInfoString", 2, false},
      {"RegistrationCache.addRegistryEntry", 1, false},
      {"RegistrationCache.addRegistryEntry", 2, true},
      {"RegistryEntry.put", 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.failing) + " #" + std::to_string(c.nth));
    bench::Bench bench(moduleUnderTest());
    bench.faults().failOn(c.failing, c.nth, code);
    EXPECT_EQ(bench.registerModule(), code);
    EXPECT_EQ(loadOption(bench) != nullptr, c.loadOptionWritten);
    EXPECT_EQ(messageTable(bench), nullptr);
    EXPECT_TRUE(isClean(bench.finish()));
  }
}

TEST(Register, WithoutAppInfoServicesTheRequestIsNotServed) {
  bench::Bench bench(moduleUnderTest());
  bench.withhold(idFromText("{ACC7E2B8-000A-B4D0-0000-080007160DC3}"));
  EXPECT_EQ(bench.registerModule(), kRequestNotServed);
  EXPECT_TRUE(bench.registry().records.empty());
  EXPECT_TRUE(isClean(bench.finish()));
}

// A host told "registered" would go on with a module whose methods it never
// learned; a refused buffer is reported as the memory failure it is.
TEST(Register, ARefusedMessageTableBufferIsReportedAsMissingMemory) {
  bench::Bench bench(moduleUnderTest());
  // Before the message-table buffer the host allocates the class records and
  // the module the registration interface object.
  bench.faults().failOn("HostAllocator.allocate", 3);
  EXPECT_EQ(bench.registerModule(), kMemoryNotAvailable);
  EXPECT_EQ(tableBufferRequests(bench), 1);
  EXPECT_NE(loadOption(bench), nullptr);
  EXPECT_EQ(messageTable(bench), nullptr);
  EXPECT_TRUE(isClean(bench.finish()));
}
