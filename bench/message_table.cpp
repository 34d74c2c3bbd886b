#include "message_table.h"

#include <sstream>

#include "value.h"

namespace bench {

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// "type name" pairs separated by commas; "*" alone admits more.
void parseArguments(const std::string& text, MethodDeclaration& method) {
  std::stringstream list(text);
  std::string item;
  bool first = true;
  while (std::getline(list, item, ',')) {
    item = trimmed(item);
    if (item.empty()) continue;
    if (item == "*") {
      method.variadic = true;
      continue;
    }
    const auto space = item.find_first_of(" \t");
    std::string type = item.substr(0, space);
    std::string name = space == std::string::npos ? std::string() : trimmed(item.substr(space));
    // The script object is the host's to pass, not a declared argument.
    if (first && !method.global && sameName(type, "object")) {
      first = false;
      continue;
    }
    first = false;
    method.arguments.emplace_back(type, name);
  }
}

}  // namespace

MessageTable MessageTable::parse(const std::string& text) {
  MessageTable table;
  std::stringstream lines(text);
  std::string line;
  bool firstLine = true;
  while (std::getline(lines, line)) {
    std::string body = trimmed(line);
    if (firstLine) {
      firstLine = false;
      std::stringstream words(body);
      std::string keyword;
      words >> keyword >> table.xtraName_;
      continue;
    }
    if (body.empty() || body.rfind("--", 0) == 0) continue;
    MethodDeclaration method;
    method.line = line;
    method.index = static_cast<std::uint32_t>(table.methods_.size());
    if (body.rfind("* ", 0) == 0) {
      method.global = true;
      body = trimmed(body.substr(2));
    }
    const auto description = body.find("--");
    if (description != std::string::npos) body = trimmed(body.substr(0, description));
    const auto space = body.find_first_of(" \t");
    method.name = body.substr(0, space);
    if (space != std::string::npos) parseArguments(body.substr(space), method);
    table.methods_.push_back(std::move(method));
  }
  return table;
}

const MethodDeclaration* MessageTable::find(const std::string& name) const {
  for (const MethodDeclaration& method : methods_)
    if (sameName(method.name, name)) return &method;
  return nullptr;
}

const MethodDeclaration* MessageTable::find(std::uint32_t index) const {
  return index < methods_.size() ? &methods_[index] : nullptr;
}

}  // namespace bench
