#pragma once

#include <cfenv>
#include <cstdint>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2_MATH__)
#include <xmmintrin.h>
#endif

// The two kinds of checked step the locator arithmetic is built from:
// signed 16-bit integer steps that raise Overflow when they leave the range,
// and floating-point steps followed at once by a test of the status flags.

namespace pelvorn::checked {

// Integer steps in signed 16-bit arithmetic; each throws RuntimeError
// (Overflow) when the exact result does not fit.
std::int16_t Subtract(std::int16_t a, std::int16_t b);
std::int16_t Add(std::int16_t a, std::int16_t b);
std::int16_t Multiply(std::int16_t a, std::int16_t b);

// The status flags of the unit that does the double arithmetic. On x86-64
// that is the SSE unit alone (the x87 unit serves only long double); its
// MXCSR register holds the flags at the <cfenv> bit positions and is read by
// one instruction, where fetestexcept also reads the x87 status word and
// feclearexcept rewrites the whole x87 environment.
#if defined(__x86_64__) && defined(__SSE2_MATH__)
// Returns the raised overflow, division-by-zero and invalid flags; never fails.
inline int RaisedFlags() noexcept {
  return static_cast<int>(_mm_getcsr()) & (FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
}
// Clears the floating-point status flags; call before a checked computation.
inline void StartFloatingPoint() noexcept {
  const unsigned status = _mm_getcsr();
  if (status & unsigned{FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID}) _mm_setcsr(status & ~unsigned{FE_ALL_EXCEPT});
}
#elif defined(__i386__) && defined(__SSE2_MATH__)
// On 32-bit x86 with SSE2 arithmetic the x87 unit still returns doubles from
// functions and serves the maths library, so both units count; the x87
// status word has the flags at the same bit positions. Read directly: the
// library's fetestexcept asks the processor for SSE (cpuid) on every call,
// which costs microseconds in a virtual machine.
inline int RaisedFlags() noexcept {
  unsigned short x87 = 0;
  __asm__ volatile("fnstsw %0" : "=am"(x87));
  return (static_cast<int>(_mm_getcsr()) | x87) & (FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
}
// Clears the floating-point status flags; call before a checked computation.
inline void StartFloatingPoint() noexcept {
  __asm__ volatile("fnclex");
  const unsigned status = _mm_getcsr();
  if (status & unsigned{FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID}) _mm_setcsr(status & ~unsigned{FE_ALL_EXCEPT});
}
#else
// Returns the raised overflow, division-by-zero and invalid flags; never fails.
inline int RaisedFlags() noexcept { return std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID); }
// Clears the floating-point status flags; call before a checked computation.
inline void StartFloatingPoint() noexcept { std::feclearexcept(FE_ALL_EXCEPT); }
#endif

// Throws the RuntimeError that matches the raised flags in `raised`, after
// clearing them.
[[noreturn]] void RaiseFloatingPointError(int raised);

// Returns `value` once the status flags have been tested after the step that
// produced it. Throws RuntimeError (FloatOverflow, DivisionByZero or
// InvalidOperation) when that step raised a flag. The value passes through a
// volatile object before and after the test, so the compiler can neither
// compute the step after the test nor start the next step before it.
inline double Step(double value) {
  volatile double settled = value;
  if (const int raised = RaisedFlags()) [[unlikely]] {
    RaiseFloatingPointError(raised);
  }
  return settled;
}

}  // namespace pelvorn::checked
