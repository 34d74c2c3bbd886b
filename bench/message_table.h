// The message table a module registers, read as a host reads it: the first
// line names the Xtra; every later line that is not a "--" heading declares
// one method, numbered from 0 in order. A line beginning with "* " declares
// a global method; any other is called on a script object, which the host
// passes as the first argument. A trailing "*" argument admits any number
// of further arguments. Text after "--" describes the method.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct MethodDeclaration {
  std::string name;
  std::uint32_t index = 0;
  bool global = false;
  bool variadic = false;
  // Declared arguments after the script object: type and name.
  std::vector<std::pair<std::string, std::string>> arguments;
  std::string line;
};

class MessageTable {
 public:
  static MessageTable parse(const std::string& text);

  bool empty() const { return methods_.empty(); }
  const std::string& xtraName() const { return xtraName_; }
  const std::vector<MethodDeclaration>& methods() const { return methods_; }
  // Method names compare without regard to case, as scripts call them.
  const MethodDeclaration* find(const std::string& name) const;
  const MethodDeclaration* find(std::uint32_t index) const;

 private:
  std::string xtraName_;
  std::vector<MethodDeclaration> methods_;
};

}  // namespace bench
