// Answers that several host objects give alike.
//
// getProp and setProp: the symbol names the property (any letter case); the
// object knows some properties of its own and keeps the rest in a
// PropertyMap. A value handed out is a copy of the object's, and a value
// set is copied in: the module's values and the object's never share a list.
//
// getMedia and setMedia: the descriptor's label and format name the media.
// getMedia answers with a new handle in the descriptor's data, which the
// module then owns. setMedia takes the descriptor's handle over whether or
// not it accepts the media, so a module never gives it back afterwards.
//
// Numbers found by name (a member's slot, a label's frame): the text is the
// module's, the number goes into its out-parameter, and a name that finds
// nothing fails with kNotFound.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host.h"
#include "movie_model.h"

namespace bench {

// The value of the named property, or none when the object has no such
// property (getProp then fails with kNotFound).
using PropertyReader = std::function<std::optional<Value>(const std::string& name)>;
// Sets the named property and gives the code.
using PropertyWriter = std::function<HostCode(const std::string& name, const Value& value)>;

HostCode answerGetProp(Host& host, const Origin& use, HostSymbol property, HostValue* out,
                       const PropertyReader& read);
HostCode answerSetProp(Host& host, const Origin& use, HostSymbol property, const HostValue* value,
                       const PropertyWriter& write);

// A property the scenario gave the object, or none.
std::optional<Value> keptProperty(const PropertyMap& properties, const std::string& name);
// Sets a property the scenario gave the object; kNotFound for any other.
HostCode setKeptProperty(PropertyMap& properties, const std::string& name, const Value& value);

// The bytes of the media of this label and format, or none (kNotFound).
using MediaReader =
    std::function<std::optional<Bytes>(const std::string& label, const std::string& format)>;
HostCode answerGetMedia(Host& host, const Origin& use, MediaInfo* info, const MediaReader& read);

struct GivenMedia {
  std::string label;
  std::string format;
  Bytes bytes;
};
// Takes the media and gives the code; called only for media the module
// could hand over.
using MediaWriter = std::function<HostCode(GivenMedia& media)>;
HostCode answerSetMedia(Host& host, const Origin& use, const MediaInfo* info, const MediaWriter& write);

// `find` gives the number for a name, 0 when there is none.
HostCode answerNumberByName(Host& host, const Origin& use, const char* name, std::int32_t* out,
                            const std::function<std::int32_t(const std::string& name)>& find);

}  // namespace bench
