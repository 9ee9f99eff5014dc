#include "CheckedArithmetic.h"

#include "RuntimeError.h"

#include <cfenv>
#include <limits>

namespace pelvorn::checked {
namespace {

std::int16_t Narrow(int exact) {
  if (exact < std::numeric_limits<std::int16_t>::min() ||
      exact > std::numeric_limits<std::int16_t>::max()) {
    throw RuntimeError(RuntimeErrorKind::Overflow);
  }
  return static_cast<std::int16_t>(exact);
}

}  // namespace

std::int16_t Subtract(std::int16_t a, std::int16_t b) { return Narrow(int{a} - int{b}); }
std::int16_t Add(std::int16_t a, std::int16_t b) { return Narrow(int{a} + int{b}); }
std::int16_t Multiply(std::int16_t a, std::int16_t b) { return Narrow(int{a} * int{b}); }

void RaiseFloatingPointError(int raised) {
  std::feclearexcept(FE_ALL_EXCEPT);  // both units
  if (raised & FE_INVALID) throw RuntimeError(RuntimeErrorKind::InvalidOperation);
  if (raised & FE_DIVBYZERO) throw RuntimeError(RuntimeErrorKind::DivisionByZero);
  throw RuntimeError(RuntimeErrorKind::FloatOverflow);
}

}  // namespace pelvorn::checked
