#include "LocatorDecoding.h"

#include "CharacterCode.h"
#include "CheckedArithmetic.h"

#include <array>
#include <type_traits>

namespace pelvorn {
namespace {

using checked::Add;
using checked::Multiply;
using checked::Step;
using checked::Subtract;

// Returns the size of a whole-degree cell of `level` along `axis`, for 16-bit steps.
std::int16_t WholeDegrees(std::size_t level, Axis axis) {
  return static_cast<std::int16_t>(CellDegrees(LocatorGrid[level], axis));
}

// Returns the degrees of the field's edge. Longitudes run east from 0 to
// 360, so the field value wraps once at 360 (J is 0), not as a modulo.
// Throws RuntimeError (Overflow) when a 16-bit step overflows.
std::int16_t FieldEdge(std::int16_t field, Axis axis) {
  const std::int16_t offset = static_cast<std::int16_t>(GridOrigin(axis) + (axis == Axis::Longitude ? 360 : 0));
  std::int16_t degrees = Add(Multiply(Subtract(field, FirstCode(LocatorGrid[0])), WholeDegrees(0, axis)), offset);
  if (axis == Axis::Longitude && degrees >= 360) degrees = Subtract(degrees, 360);
  return degrees;
}

// Returns the degrees of the cell edge inside its parent for the code of a
// whole-degree level below the field. Throws RuntimeError (Overflow) when
// a 16-bit step overflows.
std::int16_t WholeDegreeOffset(std::size_t level, std::int16_t code, Axis axis) {
  return Multiply(Subtract(code, FirstCode(LocatorGrid[level])), WholeDegrees(level, axis));
}

// Returns the degrees of the cell edge inside its parent for the code of a
// finer level. Throws RuntimeError when a step overflows.
double FractionalOffset(std::size_t level, std::int16_t code, Axis axis) {
  const double cellSize = Step(CellDegrees(LocatorGrid[level], axis));
  return Step(cellSize * static_cast<double>(Subtract(code, FirstCode(LocatorGrid[level]))));
}

// Returns the codes of the characters of `axis` in `locator`, read position
// by position, so the earlier missing position is the one that raises the
// error: RuntimeError (InvalidArgument).
std::array<std::int16_t, SubsquareLevels> AxisCodes(std::u16string_view locator, Axis axis) {
  std::array<std::int16_t, SubsquareLevels> codes{};
  for (std::size_t level = 0; level < codes.size(); ++level) {
    codes[level] = CharacterCodeAt(locator, CharacterPosition(level, axis) + 1);
  }
  return codes;
}

template <class Char>
bool WellFormed(std::basic_string_view<Char> text) noexcept {
  if (text.size() != LocatorLength) return false;
  for (std::size_t position = 0; position < text.size(); ++position) {
    const GridLevel& level = LocatorGrid[position / 2];
    const auto code = static_cast<std::make_unsigned_t<Char>>(text[position]);
    if (code < level.first || code > level.last) return false;
  }
  return true;
}

}  // namespace

double DegreesFromCodes(Axis axis, std::span<const std::int16_t> codes) {
  checked::StartFloatingPoint();
  static_assert(WholeDegreeLevels == 2, "one field and one square level of whole degrees");
  const std::int16_t field = FieldEdge(codes[0], axis);
  // A field alone (a two-character locator) has its centre half a field in.
  if (codes.size() == 1) return Step(Step(CellDegrees(LocatorGrid[0], axis) / 2) + static_cast<double>(field));
  double degrees = Step(static_cast<double>(WholeDegreeOffset(1, codes[1], axis)) + static_cast<double>(field));
  for (std::size_t level = WholeDegreeLevels; level < codes.size(); ++level) {
    degrees = Step(FractionalOffset(level, codes[level], axis) + degrees);
  }
  const double halfCell = Step(CellDegrees(LocatorGrid[codes.size() - 1], axis) / 2);
  return Step(halfCell + degrees);
}

double LocatorToLatitude(std::u16string_view locator) {
  return DegreesFromCodes(Axis::Latitude, AxisCodes(locator, Axis::Latitude));
}

double LocatorToLongitude(std::u16string_view locator) {
  return DegreesFromCodes(Axis::Longitude, AxisCodes(locator, Axis::Longitude));
}

bool IsWellFormedLocator(std::u16string_view text) noexcept { return WellFormed(text); }

bool IsWellFormedLocator(std::string_view text) noexcept { return WellFormed(text); }

}  // namespace pelvorn
