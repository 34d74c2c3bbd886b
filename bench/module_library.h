// A module file opened the way a host opens it: by path, through its five
// exports and nothing else.
#pragma once

#include <memory>
#include <string>

#include "host/module_contract.h"

class ModuleLibrary {
 public:
  // Null, with the reason in *error, when the file does not load or lacks
  // one of the five exports.
  static std::unique_ptr<ModuleLibrary> open(const std::string& path, std::string* error);
  ~ModuleLibrary();

  ModuleLibrary(const ModuleLibrary&) = delete;
  ModuleLibrary& operator=(const ModuleLibrary&) = delete;

  const std::string& path() const { return path_; }

  DllGetClassInfoFn getClassInfo = nullptr;
  DllGetClassFormFn getClassForm = nullptr;
  DllGetInterfaceFn getInterface = nullptr;
  DllCanUnloadNowFn canUnloadNow = nullptr;
  DllGetClassObjectFn getClassObject = nullptr;

 private:
  ModuleLibrary(std::string path, void* handle) : path_(std::move(path)), handle_(handle) {}
  void* lookUp(const char* name, std::string* error);

  std::string path_;
  void* handle_;
};
