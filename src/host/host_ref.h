// Scoped ownership of host references, so that "every host object a call
// fetches is released exactly once, on every path" is a property of the type
// rather than of each early return.
#pragma once

#include "host/services.h"

// Holds one reference to a host object and releases it when the scope ends.
// Fill it with fetch(): an operation that fails may have left something in
// its out-parameter that was never ours, so a failed fetch holds nothing.
template <typename T>
class HostRef {
 public:
  HostRef() = default;
  ~HostRef() { reset(); }
  HostRef(const HostRef&) = delete;
  HostRef& operator=(const HostRef&) = delete;

  // For the out-parameter of the operation that fetches the object.
  // Runs `operation(T** out)` and keeps what it delivered only on success.
  template <typename Operation>
  HostCode fetch(Operation&& operation) {
    reset();
    HostCode code = operation(&object_);
    if (code != kOk) object_ = nullptr;
    return code;
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  void reset() {
    if (object_ != nullptr) object_->release();
    object_ = nullptr;
  }

 private:
  T* object_ = nullptr;
};
