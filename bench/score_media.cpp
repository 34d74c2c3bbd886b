// The score and its form as media bytes. The bytes are the host's own
// format: a tag, then frames of channels of named properties, each value
// written with its kind. Only bytes in this form become a score again.
#include <cstring>

#include "movie_model.h"

namespace bench {

PropertyMap& Score::sprite(std::int32_t frame, std::int32_t channel) {
  if (frame > frameCount()) setFrameCount(frame);
  return frames.at(static_cast<std::size_t>(frame - 1)).channels[channel];
}

const PropertyMap* Score::findSprite(std::int32_t frame, std::int32_t channel) const {
  if (frame < 1 || frame > frameCount()) return nullptr;
  const auto& channels = frames[static_cast<std::size_t>(frame - 1)].channels;
  auto found = channels.find(channel);
  return found == channels.end() ? nullptr : &found->second;
}

namespace {

constexpr char kTag[8] = {'X', 'B', 'S', 'C', 'O', 'R', 'E', '1'};

class Writer {
 public:
  void word(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void number(std::int32_t value) { word(static_cast<std::uint32_t>(value)); }
  void text(const std::string& value) {
    word(static_cast<std::uint32_t>(value.size()));
    bytes.insert(bytes.end(), value.begin(), value.end());
  }
  void value(const Value& v) {
    bytes.push_back(static_cast<std::uint8_t>(v.kind()));
    switch (v.kind()) {
      case Kind::Void: break;
      case Kind::Integer:
      case Kind::ScriptObject: number(v.asInteger()); break;
      case Kind::Float: {
        std::uint8_t raw[sizeof(double)];
        double f = v.asFloat();
        std::memcpy(raw, &f, sizeof raw);
        bytes.insert(bytes.end(), raw, raw + sizeof raw);
        break;
      }
      case Kind::String:
      case Kind::Symbol: text(v.text()); break;
      case Kind::List:
        word(static_cast<std::uint32_t>(v.elements().size()));
        for (const Value& element : v.elements()) value(element);
        break;
      case Kind::PropList:
        word(static_cast<std::uint32_t>(v.properties().size()));
        for (const auto& [key, item] : v.properties()) {
          value(key);
          value(item);
        }
        break;
      case Kind::Point:
        number(v.asPoint().x);
        number(v.asPoint().y);
        break;
      case Kind::Rect:
        for (std::int32_t n : {v.asRect().left, v.asRect().top, v.asRect().right, v.asRect().bottom})
          number(n);
        break;
      case Kind::MemberRef:
        number(v.asMemberRef().castIndex);
        number(v.asMemberRef().memberIndex);
        break;
    }
  }
  Bytes bytes;
};

class Reader {
 public:
  explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool atEnd() const { return at_ == bytes_.size(); }
  bool take(const void* expected, std::size_t size) {
    if (!need(size) || std::memcmp(&bytes_[at_], expected, size) != 0) return ok_ = false;
    at_ += size;
    return true;
  }
  std::uint32_t word() {
    if (!need(4)) return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t{bytes_[at_ + i]} << (8 * i);
    at_ += 4;
    return value;
  }
  std::int32_t number() { return static_cast<std::int32_t>(word()); }
  // A count of items that each take at least `least` bytes.
  std::uint32_t count(std::size_t least) {
    std::uint32_t n = word();
    if (n > (bytes_.size() - at_) / least) ok_ = false;
    return ok_ ? n : 0;
  }
  std::string text() {
    std::uint32_t size = count(1);
    if (!need(size)) return {};
    std::string value(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                      bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + size));
    at_ += size;
    return value;
  }
  Value value(int depth = 0) {
    if (!need(1) || depth > 64) return ok_ = false, Value();
    const auto kind = static_cast<Kind>(bytes_[at_++]);
    switch (kind) {
      case Kind::Void: return Value();
      case Kind::Integer: return Value::integer(number());
      case Kind::ScriptObject: return Value::scriptObject(number());
      case Kind::Float: {
        double f = 0;
        if (need(sizeof f)) {
          std::memcpy(&f, &bytes_[at_], sizeof f);
          at_ += sizeof f;
        }
        return Value::floating(f);
      }
      case Kind::String: return Value::string(text());
      case Kind::Symbol: return Value::symbol(text());
      case Kind::List: {
        Value list = Value::list();
        for (std::uint32_t n = count(1); n > 0 && ok_; --n) list.append(value(depth + 1));
        return list;
      }
      case Kind::PropList: {
        Value list = Value::propList();
        for (std::uint32_t n = count(2); n > 0 && ok_; --n) {
          Value key = value(depth + 1);
          list.addProperty(key, value(depth + 1));
        }
        return list;
      }
      case Kind::Point: {
        std::int32_t x = number();
        return Value::point(x, number());
      }
      case Kind::Rect: {
        std::int32_t left = number(), top = number(), right = number();
        return Value::rect(left, top, right, number());
      }
      case Kind::MemberRef: {
        std::int32_t cast = number();
        return Value::member(cast, number());
      }
    }
    ok_ = false;
    return Value();
  }

 private:
  bool need(std::size_t size) {
    if (ok_ && bytes_.size() - at_ >= size) return true;
    return ok_ = false;
  }
  const Bytes& bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

Bytes scoreToBytes(const Score& score) {
  Writer out;
  out.bytes.assign(kTag, kTag + sizeof kTag);
  out.number(score.channelCount);
  out.word(static_cast<std::uint32_t>(score.frames.size()));
  for (const Frame& frame : score.frames) {
    out.word(static_cast<std::uint32_t>(frame.channels.size()));
    for (const auto& [channel, sprite] : frame.channels) {
      out.number(channel);
      out.word(static_cast<std::uint32_t>(sprite.items().size()));
      for (const auto& [name, value] : sprite.items()) {
        out.text(name);
        out.value(value);
      }
    }
  }
  return out.bytes;
}

std::optional<Score> scoreFromBytes(const Bytes& bytes) {
  Reader in(bytes);
  Score score;
  if (!in.take(kTag, sizeof kTag)) return std::nullopt;
  score.channelCount = in.number();
  score.frames.resize(in.count(4));
  for (Frame& frame : score.frames) {
    for (std::uint32_t sprites = in.count(8); sprites > 0 && in.ok(); --sprites) {
      PropertyMap& sprite = frame.channels[in.number()];
      for (std::uint32_t properties = in.count(5); properties > 0 && in.ok(); --properties) {
        std::string name = in.text();
        sprite.set(name, in.value());
      }
    }
  }
  if (!in.ok() || !in.atEnd()) return std::nullopt;
  return score;
}

}  // namespace bench
