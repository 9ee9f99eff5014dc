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

int FloorDivide(int dividend, int divisor) {
  const int quotient = dividend / divisor;
  return (dividend % divisor != 0 && dividend < 0) ? quotient - 1 : quotient;
}

// Returns the indices of `degrees` for a grid whose field is `fieldSize`
// degrees and whose square is `squareSize` degrees (10 squares to a field),
// each square holding 24 subsquares. Everything follows from the number of
// whole subsquare steps below the position, taken with floor, so a boundary
// belongs to the square above it.
GridIndices IndicesOf(double degrees, int fieldSize, int squareSize) {
  const int stepsPerDegree = 24 / squareSize;
  double steps = std::floor(degrees * stepsPerDegree);
  // The product may round up onto a boundary the position lies just below;
  // the exact remainder tells.
  if (std::fma(degrees, stepsPerDegree, -steps) < 0) steps -= 1;
  const int allSteps = static_cast<int>(steps);
  const int stepsPerField = fieldSize * stepsPerDegree;
  const int field = FloorDivide(allSteps, stepsPerField);
  const int stepsInField = allSteps - field * stepsPerField;
  return {field, stepsInField / 24, stepsInField % 24};
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
