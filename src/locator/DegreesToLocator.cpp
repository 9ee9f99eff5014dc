#include "DegreesToLocator.h"

#include <cmath>

namespace pelvorn {
namespace {

// The indices of one coordinate: field, square and subsquare.
struct GridIndices {
  int field;
  int square;
  int subsquare;
};

// Returns the indices of `degrees` for a grid whose field is `fieldSize`
// degrees, whose square is `squareSize` degrees (10 squares to a field) and
// whose square holds 24 subsquares. Every index is a floor of the exact
// position, so a boundary belongs to the square above it.
GridIndices IndicesOf(double degrees, int fieldSize, int squareSize) {
  const double wholeDegrees = std::floor(degrees);
  // Exact except for -1 < degrees < 0, where it may round up to 1.0.
  const double fraction = degrees - wholeDegrees;
  const int whole = static_cast<int>(wholeDegrees);
  const int field = whole >= 0 ? whole / fieldSize : -((-whole + fieldSize - 1) / fieldSize);
  const int degreesInField = whole - field * fieldSize;
  const int square = degreesInField / squareSize;
  const int degreesInSquare = degreesInField - square * squareSize;
  const int stepsPerDegree = 24 / squareSize;
  int steps = static_cast<int>(std::floor(fraction * stepsPerDegree));
  // The true fraction is below one degree; a product rounded up to the next
  // degree still lies in the last step of this one.
  if (steps >= stepsPerDegree) steps = stepsPerDegree - 1;
  return {field, square, degreesInSquare * stepsPerDegree + steps};
}

}  // namespace

std::string DegreesToLocator(double longitude, double latitude, CoordinateWarnings& warnings) {
  if (!(std::fabs(longitude) < 180)) {
    warnings.Warn(LongitudeWarningTitle, LongitudeWarningPrompt);
    return {};
  }
  if (!(std::fabs(latitude) < 90)) {
    warnings.Warn(LatitudeWarningTitle, LatitudeWarningPrompt);
    return {};
  }
  const GridIndices lon = IndicesOf(longitude, 20, 2);
  const GridIndices lat = IndicesOf(latitude, 10, 1);
  return {static_cast<char>('J' + lon.field), static_cast<char>('J' + lat.field),
          static_cast<char>('0' + lon.square), static_cast<char>('0' + lat.square),
          static_cast<char>('A' + lon.subsquare), static_cast<char>('A' + lat.subsquare)};
}

}  // namespace pelvorn
