#include "value_table.h"

namespace bench {

HostSymbol ValueTable::symbol(const std::string& name) {
  for (std::size_t i = 0; i < symbolNames_.size(); ++i)
    if (sameName(symbolNames_[i], name)) return kSymbolBase + static_cast<HostSymbol>(i);
  symbolNames_.push_back(name);
  return kSymbolBase + static_cast<HostSymbol>(symbolNames_.size() - 1);
}

HostSymbol ValueTable::trapSymbol(const Origin& failing) {
  return kTrapSymbolBase + monitor_.recordTrap(failing);
}

const std::string* ValueTable::peekSymbol(HostSymbol symbol) const {
  if (symbol >= kSymbolBase && symbol - kSymbolBase < symbolNames_.size())
    return &symbolNames_[symbol - kSymbolBase];
  return nullptr;
}

const std::string* ValueTable::symbolName(HostSymbol symbol, const Origin& use) {
  if (const std::string* name = peekSymbol(symbol)) return name;
  if (symbol >= kTrapSymbolBase) {
    if (const Origin* failing = monitor_.trapOrigin(symbol - kTrapSymbolBase)) {
      monitor_.find(Finding::Kind::TrapUsed, use.text() + " used the symbol that failing " +
                                                 failing->text() + " left in its out-parameter");
      return nullptr;
    }
  }
  monitor_.find(Finding::Kind::Unknown,
                use.text() + " used symbol " + std::to_string(symbol) + ", which the host never made");
  return nullptr;
}

HostValue ValueTable::add(Entry entry) {
  entries_.push_back(std::move(entry));
  return {kValueTag, static_cast<std::uint32_t>(entries_.size())};
}

HostValue ValueTable::handOut(Value value, const Origin& origin) {
  return add({std::move(value), Owner::Module, origin, false, Origin{}});
}

HostValue ValueTable::hostOwned(Value value, const std::string& what) {
  return add({std::move(value), Owner::Host, Origin{what, 0}, false, Origin{}});
}

HostValue ValueTable::trap(const Origin& failing) {
  return {kTrapValueTag, monitor_.recordTrap(failing)};
}

ValueTable::Entry* ValueTable::entryOf(const HostValue& value) {
  if (value.word0 != kValueTag || value.word1 == 0 || value.word1 > entries_.size()) return nullptr;
  return &entries_[value.word1 - 1];
}

const ValueTable::Entry* ValueTable::entryOf(const HostValue& value) const {
  return const_cast<ValueTable*>(this)->entryOf(value);
}

std::string ValueTable::describe(const Entry& entry) {
  return "the value " + entry.value.display() + " made by " + entry.origin.text();
}

Value* ValueTable::read(const HostValue* value, const Origin& use) {
  if (value == nullptr) {
    monitor_.find(Finding::Kind::Misuse, use.text() + " was passed a null value pointer");
    return nullptr;
  }
  if (isTrap(*value)) {
    const Origin* failing = monitor_.trapOrigin(value->word1);
    monitor_.find(Finding::Kind::TrapUsed,
                  use.text() + " used the value that failing " +
                      (failing ? failing->text() : std::string("?")) +
                      " left in its out-parameter");
    return nullptr;
  }
  Entry* entry = entryOf(*value);
  if (entry == nullptr) {
    monitor_.find(Finding::Kind::Unknown, use.text() + " used a value the host never made (words " +
                                              std::to_string(value->word0) + ", " +
                                              std::to_string(value->word1) + ")");
    return nullptr;
  }
  if (entry->released) {
    monitor_.find(Finding::Kind::CallAfterRelease, use.text() + " used " + describe(*entry) +
                                                       " after " + entry->releasedBy.text() +
                                                       " released it");
    return nullptr;
  }
  return &entry->value;
}

HostCode ValueTable::release(const HostValue* value, const Origin& use) {
  if (value != nullptr && !isTrap(*value)) {
    Entry* entry = entryOf(*value);
    if (entry != nullptr && entry->released) {
      monitor_.find(Finding::Kind::ExtraRelease, use.text() + " released " + describe(*entry) +
                                                     " again; " + entry->releasedBy.text() +
                                                     " had released it");
      return kUnknownValue;
    }
    if (entry != nullptr && entry->owner == Owner::Host) {
      monitor_.find(Finding::Kind::ExtraRelease,
                    use.text() + " released " + describe(*entry) + ", which the host owns");
      return kBadArgument;
    }
  }
  if (read(value, use) == nullptr) return kUnknownValue;
  Entry* entry = entryOf(*value);
  entry->released = true;
  entry->releasedBy = use;
  return kOk;
}

bool ValueTable::adopt(const HostValue& value) {
  Entry* entry = entryOf(value);
  if (entry == nullptr || entry->released) return false;
  entry->owner = Owner::Host;
  return true;
}

void ValueTable::releaseHostOwned(const HostValue& value) {
  Entry* entry = entryOf(value);
  if (entry == nullptr || entry->released || entry->owner != Owner::Host) return;
  entry->released = true;
  entry->releasedBy = Origin{"the host", 0};
}

const Value* ValueTable::peek(const HostValue& value) const {
  const Entry* entry = entryOf(value);
  return entry != nullptr && !entry->released ? &entry->value : nullptr;
}

void ValueTable::audit() {
  for (const Entry& entry : entries_)
    if (entry.owner == Owner::Module && !entry.released)
      monitor_.find(Finding::Kind::Leak, describe(entry) + " was never released");
}

}  // namespace bench
