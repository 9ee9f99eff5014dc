#pragma once

#include <stdexcept>

namespace pelvorn {

// The kinds of runtime error the locator arithmetic raises. Callers only
// need to tell them from a normal return; the kind helps tests and messages.
enum class RuntimeErrorKind {
  InvalidArgument,       // a missing character, the root of a negative number
  Overflow,              // a signed 16-bit integer step left -32768..32767
  FloatOverflow,         // a floating-point step overflowed
  DivisionByZero,        // a floating-point division by zero
  InvalidOperation,      // a floating-point step without a defined result
  PlatformFailure,       // a window or clipboard operation did not succeed
};

class RuntimeError : public std::runtime_error {
public:
  explicit RuntimeError(RuntimeErrorKind kind);
  RuntimeErrorKind kind() const noexcept { return kind_; }

private:
  RuntimeErrorKind kind_;
};

// Returns a short English description of `kind`, for diagnostics only.
const char* DescribeRuntimeError(RuntimeErrorKind kind) noexcept;

}  // namespace pelvorn
