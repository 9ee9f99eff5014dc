#include "RuntimeError.h"

namespace pelvorn {

RuntimeError::RuntimeError(RuntimeErrorKind kind)
    : std::runtime_error(DescribeRuntimeError(kind)), kind_(kind) {}

const char* DescribeRuntimeError(RuntimeErrorKind kind) noexcept {
  switch (kind) {
    case RuntimeErrorKind::InvalidArgument: return "invalid procedure argument";
    case RuntimeErrorKind::Overflow: return "overflow";
    case RuntimeErrorKind::FloatOverflow: return "floating-point overflow";
    case RuntimeErrorKind::DivisionByZero: return "division by zero";
    case RuntimeErrorKind::InvalidOperation: return "invalid floating-point operation";
    case RuntimeErrorKind::PlatformFailure: return "window or clipboard operation failed";
  }
  return "unknown runtime error";
}

}  // namespace pelvorn
