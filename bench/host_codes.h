// The bench host's own result codes, and the marks it leaves in the
// out-parameters of an operation that fails. The host is free to choose its
// codes; these are distinct from the module's own (host/calling.h), so a
// test can tell who answered.
#pragma once

#include <cstdint>

#include "host/calling.h"

namespace bench {

constexpr HostCode kInjectedFault = toCode(0x8004B000u);   // default code of a planned fault
constexpr HostCode kNoInterface = toCode(0x8004B001u);     // unknown or withheld interface ID
constexpr HostCode kBadArgument = toCode(0x8004B002u);     // null pointer, size below 1, ...
constexpr HostCode kWrongKind = toCode(0x8004B003u);       // a conversion from another kind
constexpr HostCode kUnknownValue = toCode(0x8004B004u);    // a value or symbol never delivered
constexpr HostCode kObjectGone = toCode(0x8004B005u);      // released, or never delivered
constexpr HostCode kNotFound = toCode(0x8004B006u);        // no such cast, member, label, ...
constexpr HostCode kOutOfRange = toCode(0x8004B007u);      // index, frame, channel or slot
constexpr HostCode kNoActiveMovie = toCode(0x8004B008u);
constexpr HostCode kReadOnly = toCode(0x8004B009u);        // a property that cannot be set
constexpr HostCode kBadMedia = toCode(0x8004B00Au);        // media the host cannot take
constexpr HostCode kNotUpdating = toCode(0x8004B00Bu);     // score bracket out of order
constexpr HostCode kNoHandler = toCode(0x8004B00Cu);       // no script handler of that name

// What a failing operation leaves in an out-parameter, so that use of what
// was never delivered is caught where it is used.
//   - objects: a trap object of the expected interface (every operation on
//     it, release included, is a finding);
//   - values: words that name an entry of the trap book;
//   - symbols: kTrapSymbolBase + entry of the trap book;
//   - numbers and native handles: kTrapNumber;
//   - text buffers: kTrapText, cut to the buffer;
//   - media data: a trap handle.
constexpr std::uint32_t kTrapValueTag = 0x54524150u;  // "TRAP"
constexpr std::uint32_t kTrapSymbolBase = 0x7E000000u;
constexpr std::int32_t kTrapNumber = 0x5EAD5EAD;
constexpr const char kTrapText[] = "\x7F<never delivered>";

}  // namespace bench
