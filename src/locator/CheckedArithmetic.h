#pragma once

#include <cfenv>
#include <cstdint>

// The two kinds of checked step the locator arithmetic is built from:
// signed 16-bit integer steps that raise Overflow when they leave the range,
// and floating-point steps followed at once by a test of the status flags.

namespace pelvorn::checked {

// Integer steps in signed 16-bit arithmetic; each throws RuntimeError
// (Overflow) when the exact result does not fit.
std::int16_t Subtract(std::int16_t a, std::int16_t b);
std::int16_t Add(std::int16_t a, std::int16_t b);
std::int16_t Multiply(std::int16_t a, std::int16_t b);

// Clears the floating-point status flags; call before a checked computation.
void StartFloatingPoint() noexcept;

// Returns `value` once the status flags have been tested after the step that
// produced it. Throws RuntimeError (FloatOverflow, DivisionByZero or
// InvalidOperation) when that step raised a flag. The value passes through a
// volatile object before and after the test, so the compiler can neither
// compute the step after the test nor start the next step before it.
// Throws the RuntimeError that matches the raised flags in `raised`.
[[noreturn]] void RaiseFloatingPointError(int raised);

inline double Step(double value) {
  volatile double settled = value;
  if (const int raised = std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID)) [[unlikely]] {
    RaiseFloatingPointError(raised);
  }
  return settled;
}

}  // namespace pelvorn::checked
