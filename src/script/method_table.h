// The one table of the Xtra's script methods. Each line of the message table
// the host reads stands here with the method index it declares and the
// function that serves that index, so the text the host learns and the
// routing of its calls come from the same rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "script/method_call.h"

using Method = HostCode (*)(MethodCall& call);

// Services a method relies on beyond ValueServices and the active movie,
// which every call has. A call whose services the host did not grant at
// creation is refused instead of run.
enum ServiceNeed : unsigned {
  kNeedsNothingMore = 0,
  kNeedsLists = 1u << 0,
  kNeedsHandles = 1u << 1,
  kNeedsMedia = 1u << 2,
  kNeedsAppInfo = 1u << 3,
  kNeedsWindowsApp = 1u << 4,
};

constexpr std::int32_t kNotAMethod = -1;  // the title line and the headings

struct MessageTableLine {
  std::int32_t methodIndex;  // what the host sends in CallRecord::methodIndex
  Method run;                // null: declared, does nothing and returns 0
  unsigned needs;            // ServiceNeed bits
  const char* text;          // the line as the host reads it, without its line feed
};

// The row for a method index sent by the host, or null for an index the
// table does not declare. Rows without a function are returned too.
const MessageTableLine* findMethod(std::uint32_t methodIndex);

// Whether the line declares a global method (no script object in args[0]).
bool isGlobalMethod(const MessageTableLine& line);

// The joined message table: every line followed by a line feed, then a zero.
constexpr std::size_t kMessageTableLength = 3257;
// What the host is handed: the text and its zero, within a buffer of this size.
constexpr std::uint32_t kMessageTableBufferSize = 3259;
void writeMessageTable(char* buffer);
