// A script value as the bench host keeps it on its own side: in its movie,
// in its handlers and in what scenarios pass and read. The module never sees
// one of these; it sees HostValue words that the value table (value_table.h)
// maps to them.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host/values.h"

namespace bench {

enum class Kind {
  Void,
  Integer,
  Float,
  String,
  Symbol,
  List,
  PropList,
  Point,
  Rect,
  MemberRef,
  ScriptObject,  // the script object a method receives as its first argument
};

// The kind number getValueType reports. The script object has no number in
// the host's list of kinds; the bench reports it as 10.
std::int32_t kindNumber(Kind kind);

class Value {
 public:
  using Elements = std::vector<Value>;
  using Properties = std::vector<std::pair<Value, Value>>;

  Value() = default;  // void
  // Implicit, so that scenarios read like scripts: {5, "Level1"}.
  Value(int number) : kind_(Kind::Integer), words_{number, 0, 0, 0} {}
  Value(const char* text) : kind_(Kind::String), text_(text) {}
  Value(std::string text) : kind_(Kind::String), text_(std::move(text)) {}

  static Value integer(std::int32_t number) { return Value(static_cast<int>(number)); }
  static Value floating(double number);
  static Value string(std::string text) { return Value(std::move(text)); }
  static Value symbol(std::string name);
  static Value list(Elements elements = {});
  static Value propList(Properties properties = {});
  static Value point(std::int32_t x, std::int32_t y);
  // In the script language's order: left, top, right, bottom.
  static Value rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  static Value member(std::int32_t castIndex, std::int32_t memberIndex);
  static Value scriptObject(std::int32_t id);

  Kind kind() const { return kind_; }
  bool isVoid() const { return kind_ == Kind::Void; }
  std::int32_t asInteger() const { return words_[0]; }
  double asFloat() const { return float_; }
  // The text of a string, or the name of a symbol.
  const std::string& text() const { return text_; }
  HostPoint asPoint() const { return {words_[0], words_[1]}; }
  HostRect asRect() const { return {words_[1], words_[0], words_[3], words_[2]}; }
  MemberRef asMemberRef() const { return {words_[0], words_[1]}; }

  // Lists and property lists are shared between copies, as in the script
  // language: appending through one copy shows in every other.
  const Elements& elements() const;
  const Properties& properties() const;
  void append(Value element);
  void addProperty(Value key, Value value);

  // A copy that shares no list with this value.
  Value deepCopy() const;

  // The display form the script language prints: 5, "text" inside lists,
  // #name, [1, 2], [#a: 1], point(1, 2), rect(0, 0, 10, 10), ...
  std::string display() const;
  // What "put" writes for this value: a string stands bare.
  std::string putText() const;

  // Deep equality; symbol names compare without regard to letter case.
  friend bool operator==(const Value& a, const Value& b);
  friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }

 private:
  Kind kind_ = Kind::Void;
  std::int32_t words_[4] = {0, 0, 0, 0};  // integer; point x,y; rect l,t,r,b; cast,member
  double float_ = 0;
  std::string text_;
  std::shared_ptr<Elements> elements_;
  std::shared_ptr<Properties> properties_;
};

std::ostream& operator<<(std::ostream& out, const Value& value);

// Names are compared as the script language compares them: ASCII letters
// without regard to case.
std::string lowerCase(std::string text);
bool sameName(const std::string& a, const std::string& b);

// A small ordered map of named properties with case-insensitive names, as
// movies, casts, members and sprites keep them.
class PropertyMap {
 public:
  const Value* find(const std::string& name) const;
  void set(const std::string& name, Value value);
  bool erase(const std::string& name);
  const std::vector<std::pair<std::string, Value>>& items() const { return items_; }
  friend bool operator==(const PropertyMap& a, const PropertyMap& b);

 private:
  std::vector<std::pair<std::string, Value>> items_;
};

}  // namespace bench
