#include "script/method_table.h"

#include <cstring>

#include "methods/player/handler_calls.h"
#include "methods/settings/settings_methods.h"

namespace {

constexpr MessageTableLine kMessageTable[] = {
    {kNotAMethod, "xtra MorvathXtras -- this Xtra provides access to various movie components", nullptr, kNeedsNothingMore},
    {0, "new object me", nullptr, kNeedsNothingMore},
    {kNotAMethod, "-- MISC --", nullptr, kNeedsNothingMore},
    {1, "callAFunction object me, symbol otherHandler, * -- call another function handler", callAFunction, kNeedsNothingMore},
    {2, "callACommand  object me, symbol otherHandler, * -- call another command (no result) handler", callACommand, kNeedsNothingMore},
    {3, "sendSpriteMsg object me, any sprite, symbol message, * -- send message to sprite", nullptr, kNeedsNothingMore},
    {4, "winGetParent  object me -- Returns app instance and main window (only useful on Win)", nullptr, kNeedsNothingMore},
    {5, "getStageRect  object me -- Returns stage's rect in screen coordinates", nullptr, kNeedsNothingMore},
    {kNotAMethod, "-- PLAYER --", nullptr, kNeedsNothingMore},
    {6, "resolveFName object me, string fileName -- resolve filename", nullptr, kNeedsNothingMore},
    {7, "typeCount object me -- get # cmtypes", nullptr, kNeedsNothingMore},
    {8, "typeName object me, string typeSymbol -- get displayname of cmtype", nullptr, kNeedsNothingMore},
    {9, "* dumpTypes -- dump list of cmtypes", nullptr, kNeedsNothingMore},
    {10, "* dumpAppInfo -- dump app info", nullptr, kNeedsNothingMore},
    {11, "* addScoreToList integer iListLength, string szSection, integer iScore, string szName -- Add score", addScoreToList, kNeedsNothingMore},
    {12, "* clearScoreList integer iListLength, string szSection -- Clear score list of ListLength from Section", clearScoreList, kNeedsNothingMore},
    {13, "* getScoreValues integer iListLength, string szSection -- Get list of ListLength scores from Section", getScoreValues, kNeedsLists},
    {14, "* getScoreList integer iListLength, string szSection -- Get list of ListLength items from Section", getScoreList, kNeedsLists},
    {15, "* launchLocal string szProgramName, string szArgument -- Launches local EXE", launchLocal, kNeedsNothingMore},
    {16, "* launchPDA string szSectionID -- Launches PDA", launchPDA, kNeedsNothingMore},
    {kNotAMethod, "-- MOVIE --", nullptr, kNeedsNothingMore},
    {17, "* getExternalPath integer iPathType -- get external path: 0 = Images, 1 = Sounds", getExternalPath, kNeedsNothingMore},
    {18, "movieProp object me, string prop -- Get movie prop", nullptr, kNeedsNothingMore},
    {19, "setMovieProp object me, string prop, any value -- Set movie prop", nullptr, kNeedsNothingMore},
    {20, "movieToLoop object me, integer memIndex -- New filmloop from movie score", nullptr, kNeedsNothingMore},
    {21, "loopToMovie object me, integer memIndex -- Set movie score from filmloop", nullptr, kNeedsNothingMore},
    {22, "makeLoop object me, integer destMemInd, integer runMemInd, integer chanInd, integer nFrames -- make filmloop", nullptr, kNeedsNothingMore},
    {23, "labelFrame object me, string labelName -- frame# from label", nullptr, kNeedsNothingMore},
    {24, "labelName object me, integer frameNum -- label from frame#", nullptr, kNeedsNothingMore},
    {25, "setLabel object me, integer frmNum, any lblstr", nullptr, kNeedsNothingMore},
    {26, "addXcast object me, string name, string path", nullptr, kNeedsNothingMore},
    {kNotAMethod, "-- CAST --", nullptr, kNeedsNothingMore},
    {27, "castProp object me, any cast, string propName -- Get cast prop", nullptr, kNeedsNothingMore},
    {28, "setCastProp object me, any cast, string propName, any value -- Set cast prop", nullptr, kNeedsNothingMore},
    {29, "indexOfCast object me, any cast -- Get cast ind in active movie", nullptr, kNeedsNothingMore},
    {30, "usedMemList object me, any cast -- list used indexes in cast", nullptr, kNeedsNothingMore},
    {31, "memNameToInd object me, any cast, string memName -- get mem ind from name", nullptr, kNeedsNothingMore},
    {32, "createMem object me, any cast, integer memInd, string typeSymbol -- create mem", nullptr, kNeedsNothingMore},
    {33, "deleteMem object me, any cast, any mem -- delete mem from cast", nullptr, kNeedsNothingMore},
    {34, "dupeMem object me, any srcCast, any srcMem, any dstCast, any dstMem -- dupe mem", nullptr, kNeedsNothingMore},
    {35, "getCastSel object me, any cast -- Get cast selection as a list of cast members", nullptr, kNeedsNothingMore},
    {kNotAMethod, "-- CASTMEM --", nullptr, kNeedsNothingMore},
    {36, "castMemProp object me, any castmem, string prop -- Get castmem prop (cast#1)", nullptr, kNeedsNothingMore},
    {37, "setCastMemProp object me, any castmem, string prop, any value -- Set mem prop (cast#1)", nullptr, kNeedsNothingMore},
    {38, "xferMedia object me, any srcCMem, any dstCMem, string label, string format -- xfer media (cast#1)", nullptr, kNeedsNothingMore},
    {39, "saveMedia object me, any srcCMem, string pathname -- Save media as composite to pathname", nullptr, kNeedsNothingMore},
    {40, "readMedia object me, any dstCMem, string pathname -- Read composite media from pathname into a #bitmap", nullptr, kNeedsNothingMore},
    {kNotAMethod, "-- SCORE SPRITE --", nullptr, kNeedsNothingMore},
    {41, "scoreSpriteProp object me, int chanInd, string prop -- Get score sprite prop", nullptr, kNeedsNothingMore},
    {42, "setScoreSpriteProp object me, int chanInd, string prop, any value -- Set score sprite prop", nullptr, kNeedsNothingMore},
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
