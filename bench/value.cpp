#include "value.h"

#include <algorithm>
#include <cstdio>

namespace bench {

std::int32_t kindNumber(Kind kind) {
  switch (kind) {
    case Kind::Void: return kValueVoid;
    case Kind::Integer: return kValueInteger;
    case Kind::Float: return kValueFloat;
    case Kind::String: return kValueString;
    case Kind::Symbol: return kValueSymbol;
    case Kind::Point: return kValuePoint;
    case Kind::Rect: return kValueRect;
    case Kind::List: return kValueList;
    case Kind::PropList: return kValuePropertyList;
    case Kind::MemberRef: return kValueMemberRef;
    case Kind::ScriptObject: return 10;
  }
  return -1;
}

Value Value::floating(double number) {
  Value value;
  value.kind_ = Kind::Float;
  value.float_ = number;
  return value;
}

Value Value::symbol(std::string name) {
  Value value;
  value.kind_ = Kind::Symbol;
  value.text_ = std::move(name);
  return value;
}

Value Value::list(Elements elements) {
  Value value;
  value.kind_ = Kind::List;
  value.elements_ = std::make_shared<Elements>(std::move(elements));
  return value;
}

Value Value::propList(Properties properties) {
  Value value;
  value.kind_ = Kind::PropList;
  value.properties_ = std::make_shared<Properties>(std::move(properties));
  return value;
}

Value Value::point(std::int32_t x, std::int32_t y) {
  Value value;
  value.kind_ = Kind::Point;
  value.words_[0] = x;
  value.words_[1] = y;
  return value;
}

Value Value::rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  Value value;
  value.kind_ = Kind::Rect;
  value.words_[0] = left;
  value.words_[1] = top;
  value.words_[2] = right;
  value.words_[3] = bottom;
  return value;
}

Value Value::member(std::int32_t castIndex, std::int32_t memberIndex) {
  Value value;
  value.kind_ = Kind::MemberRef;
  value.words_[0] = castIndex;
  value.words_[1] = memberIndex;
  return value;
}

Value Value::scriptObject(std::int32_t id) {
  Value value;
  value.kind_ = Kind::ScriptObject;
  value.words_[0] = id;
  return value;
}

const Value::Elements& Value::elements() const {
  static const Elements kNone;
  return elements_ ? *elements_ : kNone;
}

const Value::Properties& Value::properties() const {
  static const Properties kNone;
  return properties_ ? *properties_ : kNone;
}

void Value::append(Value element) {
  if (elements_) elements_->push_back(std::move(element));
}

void Value::addProperty(Value key, Value value) {
  if (properties_) properties_->emplace_back(std::move(key), std::move(value));
}

Value Value::deepCopy() const {
  Value copy = *this;
  if (elements_) {
    copy.elements_ = std::make_shared<Elements>();
    for (const Value& element : *elements_) copy.elements_->push_back(element.deepCopy());
  }
  if (properties_) {
    copy.properties_ = std::make_shared<Properties>();
    for (const auto& [key, value] : *properties_)
      copy.properties_->emplace_back(key.deepCopy(), value.deepCopy());
  }
  return copy;
}

std::string Value::display() const {
  auto number = [](std::int32_t n) { return std::to_string(n); };
  switch (kind_) {
    case Kind::Void: return "<Void>";
    case Kind::Integer: return number(words_[0]);
    case Kind::Float: {
      char text[64];
      std::snprintf(text, sizeof text, "%.4f", float_);
      return text;
    }
    case Kind::String: return "\"" + text_ + "\"";
    case Kind::Symbol: return "#" + text_;
    case Kind::List: {
      std::string text = "[";
      for (std::size_t i = 0; i < elements().size(); ++i)
        text += (i ? ", " : "") + elements()[i].display();
      return text + "]";
    }
    case Kind::PropList: {
      if (properties().empty()) return "[:]";
      std::string text = "[";
      for (std::size_t i = 0; i < properties().size(); ++i)
        text += (i ? ", " : "") + properties()[i].first.display() + ": " +
                properties()[i].second.display();
      return text + "]";
    }
    case Kind::Point: return "point(" + number(words_[0]) + ", " + number(words_[1]) + ")";
    case Kind::Rect:
      return "rect(" + number(words_[0]) + ", " + number(words_[1]) + ", " + number(words_[2]) +
             ", " + number(words_[3]) + ")";
    case Kind::MemberRef:
      return "(member " + number(words_[1]) + " of castLib " + number(words_[0]) + ")";
    case Kind::ScriptObject: return "<script object " + number(words_[0]) + ">";
  }
  return "?";
}

std::string Value::putText() const { return kind_ == Kind::String ? text_ : display(); }

bool operator==(const Value& a, const Value& b) {
  if (a.kind_ != b.kind_) return false;
  switch (a.kind_) {
    case Kind::Void: return true;
    case Kind::Float: return a.float_ == b.float_;
    case Kind::String: return a.text_ == b.text_;
    case Kind::Symbol: return sameName(a.text_, b.text_);
    case Kind::List: return a.elements() == b.elements();
    case Kind::PropList: return a.properties() == b.properties();
    default: return std::equal(a.words_, a.words_ + 4, b.words_);
  }
}

std::ostream& operator<<(std::ostream& out, const Value& value) { return out << value.display(); }

std::string lowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool sameName(const std::string& a, const std::string& b) { return lowerCase(a) == lowerCase(b); }

const Value* PropertyMap::find(const std::string& name) const {
  for (const auto& item : items_)
    if (sameName(item.first, name)) return &item.second;
  return nullptr;
}

void PropertyMap::set(const std::string& name, Value value) {
  for (auto& item : items_)
    if (sameName(item.first, name)) {
      item.second = std::move(value);
      return;
    }
  items_.emplace_back(name, std::move(value));
}

bool PropertyMap::erase(const std::string& name) {
  for (auto it = items_.begin(); it != items_.end(); ++it)
    if (sameName(it->first, name)) {
      items_.erase(it);
      return true;
    }
  return false;
}

bool operator==(const PropertyMap& a, const PropertyMap& b) {
  if (a.items_.size() != b.items_.size()) return false;
  for (const auto& item : a.items_) {
    const Value* other = b.find(item.first);
    if (other == nullptr || !(*other == item.second)) return false;
  }
  return true;
}

}  // namespace bench
