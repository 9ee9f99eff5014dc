#include "LiveMap.h"

#include "arithmetic/GreatCircle.h"
#include "arithmetic/NumberPatterns.h"
#include "arithmetic/SubsquareCentres.h"
#include "common/ReplaceFile.h"
#include "common/Text.h"
#include "common/Texts.h"

namespace pelvorn::follow {

std::string ShowLiveMap(const LiveMapFile& file, const Sighting& sighting, const NumberLocale& locale) {
  const SubsquareCentre own = CentreOfWellFormed(sighting.ownLocator);
  const SubsquareCentre foreign = CentreOfWellFormed(sighting.foreignLocator);
  const auto [km, direction] = UncheckedDistanceAndDirection(own.latitude, foreign.latitude, own.longitude, foreign.longitude);
  std::string line;
  AppendResultLine(line, km, direction, locale);
  map::MapRequest request = file.look;
  request.own = {own.latitude, own.longitude, ToUtf8(sighting.ownLocator)};
  request.dx = map::Station{foreign.latitude, foreign.longitude, ToUtf8(sighting.foreignLocator)};
  request.caption = Fill(text::MapCaption, {request.own.label, request.dx->label, line});
  std::string error;
  if (ReplaceFileContents(file.path, map::RenderMapBytes(request, file.format), error)) return {};
  return Fill(text::About, {file.path, error});
}

}  // namespace pelvorn::follow
