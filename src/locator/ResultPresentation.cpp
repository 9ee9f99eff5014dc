#include "ResultPresentation.h"

#include "GreatCircle.h"
#include "NumberPatterns.h"

namespace pelvorn {

void ShowDistanceDirection(double lat1, double lat2, double lon1, double lon2,
                           const QString& visibilityParam, ResultView& view,
                           const QLocale& locale) {
  const double centralAngle = CentralAngle(lat1, lat2, lon1, lon2);
  view.setDistanceCaption(FormatDistance(DistanceKm(centralAngle), locale));
  view.setDirectionCaption(FormatDirection(Direction(lat1, lat2, lon1, lon2, centralAngle), locale));

  // The line is built from what the fields show, not from the numbers.
  const QString distance = view.distanceCaption();
  const QString direction = view.directionCaption();
  view.publishResultLine(ResultLine(distance, direction));

  if (visibilityParam.isEmpty()) {
    view.showWithForeignLocatorFocused();
  } else if (visibilityParam == HiddenRunSwitch) {
    view.endHiddenRun();
  }
}

}  // namespace pelvorn
