// The host's side of HostValue and HostSymbol: every value the host hands
// out is an entry of this table, named by the two 32-bit words of the
// HostValue (a tag and the entry's number), so a value stays two words on
// every build and its payload stays on the host's side. Entries are never
// reused within a scenario, so a value used after its release is told apart
// from a live one.
//
// Ownership: a value an operation writes into an out-parameter belongs to
// the caller, who gives it back with releaseValue or passes it on in a
// call's result slot, which hands it to the host. Values the host makes for
// itself (call arguments, the result slot's first content) stay the host's;
// a module never releases them.
//
// Symbols are case-insensitive, as the script language treats names: "Put"
// and "put" are one symbol, which keeps the spelling it was first made with.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "host/values.h"
#include "monitor.h"
#include "value.h"

namespace bench {

class ValueTable {
 public:
  explicit ValueTable(Monitor& monitor) : monitor_(monitor) {}

  HostSymbol symbol(const std::string& name);
  HostSymbol trapSymbol(const Origin& failing);
  // The name of a symbol the host made, or null; no finding.
  const std::string* peekSymbol(HostSymbol symbol) const;
  // The name of a symbol the host made; null, with a finding, otherwise.
  const std::string* symbolName(HostSymbol symbol, const Origin& use);

  // A new value owned by the caller of `origin`.
  HostValue handOut(Value value, const Origin& origin);
  // A new value the host keeps for itself; `what` names it in findings.
  HostValue hostOwned(Value value, const std::string& what);
  // A value that names the failing call `failing`.
  HostValue trap(const Origin& failing);

  // The live value behind words a module passes in. Null, with a finding,
  // for a null pointer, a trap, a value never made or one already released.
  Value* read(const HostValue* value, const Origin& use);
  // releaseValue: only a live value the module owns may be given back.
  HostCode release(const HostValue* value, const Origin& use);

  // True when the words name a value this table made.
  bool knows(const HostValue& value) const { return entryOf(value) != nullptr; }
  bool isTrap(const HostValue& value) const { return value.word0 == kTrapValueTag; }
  // The host takes over a value the module passed on (a call's result).
  // False when the words name no live value.
  bool adopt(const HostValue& value);
  // The host gives back a value it owns, once it has no more use for it.
  void releaseHostOwned(const HostValue& value);
  // The value behind words, for the host's own reading; null when unknown.
  const Value* peek(const HostValue& value) const;

  // Values the module still holds.
  void audit();

 private:
  enum class Owner { Module, Host };
  struct Entry {
    Value value;
    Owner owner;
    Origin origin;  // the operation that made it, or the host's own note
    bool released = false;
    Origin releasedBy;
  };
  static constexpr std::uint32_t kValueTag = 0x56414C55u;  // "VALU"
  static constexpr HostSymbol kSymbolBase = 0x00010000u;

  Entry* entryOf(const HostValue& value);
  const Entry* entryOf(const HostValue& value) const;
  HostValue add(Entry entry);
  static std::string describe(const Entry& entry);

  Monitor& monitor_;
  std::deque<Entry> entries_;  // a deque: values read stay in place while others are added
  std::vector<std::string> symbolNames_;
};

}  // namespace bench
