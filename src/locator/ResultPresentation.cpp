#include "ResultPresentation.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/NumberPatterns.h"
#include "common/CommandLineValues.h"

namespace pelvorn {

void ShowDistanceDirection(double lat1, double lat2, double lon1, double lon2,
                           std::u16string_view visibilityParam, ResultView& view,
                           const NumberLocale& locale) {
  const double centralAngle = CentralAngle(lat1, lat2, lon1, lon2);
  view.setDistanceCaption(FormatDistance(DistanceKm(centralAngle), locale));
  view.setDirectionCaption(FormatDirection(Direction(lat1, lat2, lon1, lon2, centralAngle), locale));

  // The line is built from what the fields show, not from the numbers.
  const std::u16string distance = view.distanceCaption();
  const std::u16string direction = view.directionCaption();
  view.publishResultLine(ResultLine(distance, direction));

  if (visibilityParam.empty()) {
    view.showWithForeignLocatorFocused();
  } else if (visibilityParam == HiddenRunSwitch) {
    view.endHiddenRun();
  }
}

}  // namespace pelvorn
