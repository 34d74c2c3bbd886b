// ValueServices and ListServices: symbols, values and lists, all kept in the
// host's value table.
#include "services.h"

namespace bench {

ValueService::ValueService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "ValueServices", ids::kValueServices, std::move(origin), trap) {}

HostCode XCALL ValueService::stringToSymbol(const char* text, HostSymbol* out) {
  Gate gate = enter("stringToSymbol", host_.showText(text));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const char* name = host_.text(text, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kBadArgument, out);
  *out = host_.values.symbol(name);
  return kOk;
}

HostCode XCALL ValueService::symbolToString(HostSymbol symbol, char* buffer, std::int32_t size) {
  Gate gate = enter("symbolToString", host_.showSymbol(symbol) + ", " + std::to_string(size));
  if (!gate) return host_.fail(gate.origin(), gate.code(), TextOut{buffer, size});
  if (!host_.buffer(buffer, size, gate.origin())) return kBadArgument;
  const std::string* name = host_.values.symbolName(symbol, gate.origin());
  if (name == nullptr) return host_.fail(gate.origin(), kUnknownValue, TextOut{buffer, size});
  Host::writeText(*name, buffer, size);
  return kOk;
}

HostCode XCALL ValueService::getValueType(const HostValue* value, std::int32_t* outType) {
  Gate gate = enter("getValueType", host_.showValue(value));
  if (!gate) return host_.fail(gate.origin(), gate.code(), outType);
  if (!host_.out(outType, gate.origin())) return kBadArgument;
  const Value* read = host_.values.read(value, gate.origin());
  if (read == nullptr) return host_.fail(gate.origin(), kUnknownValue, outType);
  *outType = kindNumber(read->kind());
  return kOk;
}

HostCode XCALL ValueService::releaseValue(HostValue* value) {
  Gate gate = enter("releaseValue", host_.showValue(value), false);
  if (!gate) return gate.code();
  return host_.values.release(value, gate.origin());
}

HostCode XCALL ValueService::valueToInteger(const HostValue* value, std::int32_t* out) {
  Gate gate = enter("valueToInteger", host_.showValue(value));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const Value* read = host_.values.read(value, gate.origin());
  if (read == nullptr) return host_.fail(gate.origin(), kUnknownValue, out);
  if (read->kind() != Kind::Integer) return host_.fail(gate.origin(), kWrongKind, out);
  *out = read->asInteger();
  return kOk;
}

HostCode XCALL ValueService::valueToSymbol(const HostValue* value, HostSymbol* out) {
  Gate gate = enter("valueToSymbol", host_.showValue(value));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const Value* read = host_.values.read(value, gate.origin());
  if (read == nullptr) return host_.fail(gate.origin(), kUnknownValue, out);
  if (read->kind() != Kind::Symbol && read->kind() != Kind::String)
    return host_.fail(gate.origin(), kWrongKind, out);
  *out = host_.values.symbol(read->text());
  return kOk;
}

HostCode XCALL ValueService::valueToString(const HostValue* value, char* buffer,
                                           std::int32_t size) {
  Gate gate = enter("valueToString", host_.showValue(value) + ", " + std::to_string(size));
  if (!gate) return host_.fail(gate.origin(), gate.code(), TextOut{buffer, size});
  if (!host_.buffer(buffer, size, gate.origin())) return kBadArgument;
  const Value* read = host_.values.read(value, gate.origin());
  if (read == nullptr) return host_.fail(gate.origin(), kUnknownValue, TextOut{buffer, size});
  if (read->kind() != Kind::String && read->kind() != Kind::Symbol)
    return host_.fail(gate.origin(), kWrongKind, TextOut{buffer, size});
  Host::writeText(read->text(), buffer, size);
  return kOk;
}

HostCode XCALL ValueService::integerToValue(std::int32_t number, HostValue* out) {
  Gate gate = enter("integerToValue", std::to_string(number));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  if (!host_.number(number, gate.origin())) return host_.fail(gate.origin(), kUnknownValue, out);
  *out = host_.values.handOut(Value::integer(number), gate.origin());
  return kOk;
}

HostCode XCALL ValueService::stringToValue(const char* text, HostValue* out) {
  Gate gate = enter("stringToValue", host_.showText(text));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const char* checked = host_.text(text, gate.origin());
  if (checked == nullptr) return host_.fail(gate.origin(), kBadArgument, out);
  *out = host_.values.handOut(Value::string(checked), gate.origin());
  return kOk;
}

HostCode XCALL ValueService::pointToValue(const HostPoint* point, HostValue* out) {
  Gate gate = enter("pointToValue",
                    point ? std::to_string(point->x) + ", " + std::to_string(point->y) : "null");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin()) || !host_.out(point, gate.origin())) return kBadArgument;
  if (!host_.number(point->x, gate.origin()) || !host_.number(point->y, gate.origin()))
    return host_.fail(gate.origin(), kUnknownValue, out);
  *out = host_.values.handOut(Value::point(point->x, point->y), gate.origin());
  return kOk;
}

HostCode XCALL ValueService::rectToValue(const HostRect* rect, HostValue* out) {
  Gate gate = enter("rectToValue", rect ? std::to_string(rect->top) + ", " +
                                              std::to_string(rect->left) + ", " +
                                              std::to_string(rect->bottom) + ", " +
                                              std::to_string(rect->right)
                                        : "null");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin()) || !host_.out(rect, gate.origin())) return kBadArgument;
  for (std::int32_t side : {rect->top, rect->left, rect->bottom, rect->right})
    if (!host_.number(side, gate.origin())) return host_.fail(gate.origin(), kUnknownValue, out);
  *out = host_.values.handOut(Value::rect(rect->left, rect->top, rect->right, rect->bottom),
                              gate.origin());
  return kOk;
}

ListService::ListService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "ListServices", ids::kListServices, std::move(origin), trap) {}

HostCode XCALL ListService::newList(HostValue* out) {
  Gate gate = enter("newList");
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  *out = host_.values.handOut(Value::list(), gate.origin());
  return kOk;
}

HostCode XCALL ListService::appendToList(HostValue* list, const HostValue* element) {
  Gate gate = enter("appendToList", host_.showValue(list) + ", " + host_.showValue(element));
  if (!gate) return gate.code();
  Value* target = host_.values.read(list, gate.origin());
  const Value* item = host_.values.read(element, gate.origin());
  if (target == nullptr || item == nullptr) return kUnknownValue;
  if (target->kind() != Kind::List) return kWrongKind;
  target->append(*item);
  return kOk;
}

std::int32_t XCALL ListService::countElements(const HostValue* list) {
  Gate gate = enter("countElements", host_.showValue(list), false);
  if (!gate) return 0;
  const Value* read = host_.values.read(list, gate.origin());
  if (read == nullptr) return 0;
  if (read->kind() == Kind::List) return static_cast<std::int32_t>(read->elements().size());
  if (read->kind() == Kind::PropList) return static_cast<std::int32_t>(read->properties().size());
  return 0;
}

HostCode XCALL ListService::getElement(const HostValue* list, std::int32_t index,
                                       HostValue* out) {
  Gate gate = enter("getElement", host_.showValue(list) + ", " + std::to_string(index));
  if (!gate) return host_.fail(gate.origin(), gate.code(), out);
  if (!host_.out(out, gate.origin())) return kBadArgument;
  const Value* read = host_.values.read(list, gate.origin());
  if (read == nullptr || !host_.number(index, gate.origin()))
    return host_.fail(gate.origin(), kUnknownValue, out);
  Value element;
  if (read->kind() == Kind::List) {
    if (index < 1 || static_cast<std::size_t>(index) > read->elements().size())
      return host_.fail(gate.origin(), kOutOfRange, out);
    element = read->elements()[static_cast<std::size_t>(index - 1)];
  } else if (read->kind() == Kind::PropList) {
    if (index < 1 || static_cast<std::size_t>(index) > read->properties().size())
      return host_.fail(gate.origin(), kOutOfRange, out);
    element = read->properties()[static_cast<std::size_t>(index - 1)].second;
  } else {
    return host_.fail(gate.origin(), kWrongKind, out);
  }
  *out = host_.values.handOut(element, gate.origin());
  return kOk;
}

}  // namespace bench
