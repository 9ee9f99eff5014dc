#pragma once

#include "locator/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace pelvorn {

inline void PrintTo(RuntimeErrorKind kind, std::ostream* out) { *out << DescribeRuntimeError(kind); }

namespace test_support {

// Runs `call` and returns the kind of RuntimeError it throws; fails the test
// when it returns normally.
template <typename Call>
RuntimeErrorKind KindThrownBy(Call call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return error.kind();
  }
  ADD_FAILURE() << "no RuntimeError";
  return RuntimeErrorKind::PlatformFailure;
}

// Expects `actual` within 1e-9 relative of `expected`.
inline void ExpectRelative(double expected, double actual) {
  EXPECT_NEAR(actual, expected, 1e-9 * std::fabs(expected));
}

}  // namespace test_support
}  // namespace pelvorn
