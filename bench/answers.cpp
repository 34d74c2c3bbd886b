#include "answers.h"

namespace bench {

HostCode answerGetProp(Host& host, const Origin& use, HostSymbol property, HostValue* out,
                       const PropertyReader& read) {
  if (!host.out(out, use)) return kBadArgument;
  const std::string* name = host.values.symbolName(property, use);
  if (name == nullptr) return host.fail(use, kUnknownValue, out);
  std::optional<Value> value = read(*name);
  if (!value) return host.fail(use, kNotFound, out);
  *out = host.values.handOut(value->deepCopy(), use);
  return kOk;
}

HostCode answerSetProp(Host& host, const Origin& use, HostSymbol property, const HostValue* value,
                       const PropertyWriter& write) {
  const std::string* name = host.values.symbolName(property, use);
  const Value* given = name ? host.values.read(value, use) : nullptr;
  if (given == nullptr) return kUnknownValue;
  return write(*name, given->deepCopy());
}

std::optional<Value> keptProperty(const PropertyMap& properties, const std::string& name) {
  const Value* kept = properties.find(name);
  return kept ? std::optional<Value>(*kept) : std::nullopt;
}

HostCode setKeptProperty(PropertyMap& properties, const std::string& name, const Value& value) {
  if (properties.find(name) == nullptr) return kNotFound;
  properties.set(name, value);
  return kOk;
}

namespace {

// The label and format of a descriptor; false, with a finding, when it
// names symbols the host never made.
bool mediaNames(Host& host, const MediaInfo& info, const Origin& use, std::string* label,
                std::string* format) {
  const std::string* labelName = host.values.symbolName(info.label, use);
  const std::string* formatName = labelName ? host.values.symbolName(info.format, use) : nullptr;
  if (formatName == nullptr) return false;
  *label = *labelName;
  *format = *formatName;
  return true;
}

}  // namespace

HostCode answerGetMedia(Host& host, const Origin& use, MediaInfo* info, const MediaReader& read) {
  if (!host.out(info, use)) return kBadArgument;
  std::string label, format;
  if (!mediaNames(host, *info, use, &label, &format)) return host.fail(use, kUnknownValue, info);
  std::optional<Bytes> bytes = read(label, format);
  if (!bytes) return host.fail(use, kNotFound, info);
  info->data = host.handles.make(std::move(*bytes), use);
  return kOk;
}

HostCode answerSetMedia(Host& host, const Origin& use, const MediaInfo* info, const MediaWriter& write) {
  if (!host.out(info, use)) return kBadArgument;
  Handle* handle = host.handles.read(info->data, use);
  if (handle == nullptr) return kUnknownValue;
  GivenMedia media;
  media.bytes = handle->bytes;
  host.handles.end(*handle, Handle::State::TakenOver, use);
  if (!mediaNames(host, *info, use, &media.label, &media.format)) return kUnknownValue;
  return write(media);
}

HostCode answerNumberByName(Host& host, const Origin& use, const char* name, std::int32_t* out,
                            const std::function<std::int32_t(const std::string& name)>& find) {
  if (!host.out(out, use)) return kBadArgument;
  const char* checked = host.text(name, use);
  if (checked == nullptr) return host.fail(use, kBadArgument, out);
  const std::int32_t found = find(checked);
  if (found == 0) return host.fail(use, kNotFound, out);
  *out = found;
  return kOk;
}

}  // namespace bench
