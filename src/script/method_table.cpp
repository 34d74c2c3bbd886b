#include "script/method_table.h"

#include <cstring>

#include "methods/player/handler_calls.h"
#include "methods/settings/settings_methods.h"

namespace {

// Each row: the method index the line declares (the host counts the method
// lines from `new` = 0), the function serving it, the services it needs
// beyond values, and the line exactly as the host reads it.
constexpr MessageTableLine kMessageTable[] = {
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "xtra MorvathXtras -- this Xtra provides access to various movie components"},
    {0, nullptr, kNeedsNothingMore,
     "new object me"},
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "-- MISC --"},
    {1, callAFunction, kNeedsNothingMore,
     "callAFunction object me, symbol otherHandler, * -- call another function handler"},
    {2, callACommand, kNeedsNothingMore,
     "callACommand  object me, symbol otherHandler, * -- call another command (no result) handler"},
    {3, nullptr, kNeedsNothingMore,
     "sendSpriteMsg object me, any sprite, symbol message, * -- send message to sprite"},
    {4, nullptr, kNeedsNothingMore,
     "winGetParent  object me -- Returns app instance and main window (only useful on Win)"},
    {5, nullptr, kNeedsNothingMore,
     "getStageRect  object me -- Returns stage's rect in screen coordinates"},
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "-- PLAYER --"},
    {6, nullptr, kNeedsNothingMore,
     "resolveFName object me, string fileName -- resolve filename"},
    {7, nullptr, kNeedsNothingMore,
     "typeCount object me -- get # cmtypes"},
    {8, nullptr, kNeedsNothingMore,
     "typeName object me, string typeSymbol -- get displayname of cmtype"},
    {9, nullptr, kNeedsNothingMore,
     "* dumpTypes -- dump list of cmtypes"},
    {10, nullptr, kNeedsNothingMore,
     "* dumpAppInfo -- dump app info"},
    {11, addScoreToList, kNeedsNothingMore,
     "* addScoreToList integer iListLength, string szSection, integer iScore, string szName -- Add score"},
    {12, clearScoreList, kNeedsNothingMore,
     "* clearScoreList integer iListLength, string szSection -- Clear score list of ListLength from Section"},
    {13, getScoreValues, kNeedsLists,
     "* getScoreValues integer iListLength, string szSection -- Get list of ListLength scores from Section"},
    {14, getScoreList, kNeedsLists,
     "* getScoreList integer iListLength, string szSection -- Get list of ListLength items from Section"},
    {15, launchLocal, kNeedsNothingMore,
     "* launchLocal string szProgramName, string szArgument -- Launches local EXE"},
    {16, launchPDA, kNeedsNothingMore,
     "* launchPDA string szSectionID -- Launches PDA"},
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "-- MOVIE --"},
    {17, getExternalPath, kNeedsNothingMore,
     "* getExternalPath integer iPathType -- get external path: 0 = Images, 1 = Sounds"},
    {18, nullptr, kNeedsNothingMore,
     "movieProp object me, string prop -- Get movie prop"},
    {19, nullptr, kNeedsNothingMore,
     "setMovieProp object me, string prop, any value -- Set movie prop"},
    {20, nullptr, kNeedsNothingMore,
     "movieToLoop object me, integer memIndex -- New filmloop from movie score"},
    {21, nullptr, kNeedsNothingMore,
     "loopToMovie object me, integer memIndex -- Set movie score from filmloop"},
    {22, nullptr, kNeedsNothingMore,
     "makeLoop object me, integer destMemInd, integer runMemInd, integer chanInd, integer nFrames -- make filmloop"},
    {23, nullptr, kNeedsNothingMore,
     "labelFrame object me, string labelName -- frame# from label"},
    {24, nullptr, kNeedsNothingMore,
     "labelName object me, integer frameNum -- label from frame#"},
    {25, nullptr, kNeedsNothingMore,
     "setLabel object me, integer frmNum, any lblstr"},
    {26, nullptr, kNeedsNothingMore,
     "addXcast object me, string name, string path"},
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "-- CAST --"},
    {27, nullptr, kNeedsNothingMore,
     "castProp object me, any cast, string propName -- Get cast prop"},
    {28, nullptr, kNeedsNothingMore,
     "setCastProp object me, any cast, string propName, any value -- Set cast prop"},
    {29, nullptr, kNeedsNothingMore,
     "indexOfCast object me, any cast -- Get cast ind in active movie"},
    {30, nullptr, kNeedsNothingMore,
     "usedMemList object me, any cast -- list used indexes in cast"},
    {31, nullptr, kNeedsNothingMore,
     "memNameToInd object me, any cast, string memName -- get mem ind from name"},
    {32, nullptr, kNeedsNothingMore,
     "createMem object me, any cast, integer memInd, string typeSymbol -- create mem"},
    {33, nullptr, kNeedsNothingMore,
     "deleteMem object me, any cast, any mem -- delete mem from cast"},
    {34, nullptr, kNeedsNothingMore,
     "dupeMem object me, any srcCast, any srcMem, any dstCast, any dstMem -- dupe mem"},
    {35, nullptr, kNeedsNothingMore,
     "getCastSel object me, any cast -- Get cast selection as a list of cast members"},
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "-- CASTMEM --"},
    {36, nullptr, kNeedsNothingMore,
     "castMemProp object me, any castmem, string prop -- Get castmem prop (cast#1)"},
    {37, nullptr, kNeedsNothingMore,
     "setCastMemProp object me, any castmem, string prop, any value -- Set mem prop (cast#1)"},
    {38, nullptr, kNeedsNothingMore,
     "xferMedia object me, any srcCMem, any dstCMem, string label, string format -- xfer media (cast#1)"},
    {39, nullptr, kNeedsNothingMore,
     "saveMedia object me, any srcCMem, string pathname -- Save media as composite to pathname"},
    {40, nullptr, kNeedsNothingMore,
     "readMedia object me, any dstCMem, string pathname -- Read composite media from pathname into a #bitmap"},
    {kNotAMethod, nullptr, kNeedsNothingMore,
     "-- SCORE SPRITE --"},
    {41, nullptr, kNeedsNothingMore,
     "scoreSpriteProp object me, int chanInd, string prop -- Get score sprite prop"},
    {42, nullptr, kNeedsNothingMore,
     "setScoreSpriteProp object me, int chanInd, string prop, any value -- Set score sprite prop"},
};

constexpr std::size_t textLength(const char* text) {
  std::size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// The method lines number 0 (`new`) to 42 in table order, with nothing
// skipped: the host derives each index from the line's position.
constexpr bool indicesFollowTheLines() {
  std::int32_t expected = 0;
  for (const MessageTableLine& line : kMessageTable) {
    if (line.methodIndex == kNotAMethod) continue;
    if (line.methodIndex != expected) return false;
    ++expected;
  }
  return expected == 43;
}
static_assert(indicesFollowTheLines(), "method indices must follow the method lines");

constexpr std::size_t joinedLength() {
  std::size_t length = 0;
  for (const MessageTableLine& line : kMessageTable) length += textLength(line.text) + 1;
  return length;
}
static_assert(joinedLength() == kMessageTableLength, "the host expects this exact text");
static_assert(kMessageTableLength + 1 <= kMessageTableBufferSize, "text and zero fit the buffer");

}  // namespace

const MessageTableLine* findMethod(std::uint32_t methodIndex) {
  for (const MessageTableLine& line : kMessageTable) {
    if (line.methodIndex != kNotAMethod &&
        static_cast<std::uint32_t>(line.methodIndex) == methodIndex)
      return &line;
  }
  return nullptr;
}

bool isGlobalMethod(const MessageTableLine& line) {
  return line.text[0] == '*' && line.text[1] == ' ';
}

void writeMessageTable(char* buffer) {
  char* cursor = buffer;
  for (const MessageTableLine& line : kMessageTable) {
    const std::size_t length = textLength(line.text);
    std::memcpy(cursor, line.text, length);
    cursor += length;
    *cursor++ = '\n';
  }
  *cursor = '\0';
}
