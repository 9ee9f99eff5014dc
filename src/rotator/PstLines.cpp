#include "PstLines.h"

#include "RotctlLines.h"

#include <cmath>

namespace pelvorn::rotator::pst {

std::string AzimuthCommand(double azimuth) {
  const long tenths = std::lround(azimuth * 10.0);
  const long whole = tenths / 10, rest = std::labs(tenths % 10);
  std::string number = (tenths < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
  if (rest != 0) number += '.' + std::to_string(rest);
  return "<PST><AZIMUTH>" + number + "</AZIMUTH></PST>";
}

std::optional<double> ParseAzimuthAnswer(std::string_view datagram) {
  constexpr std::string_view Prefix = "AZ:";
  const std::size_t end = datagram.find_first_of("\r\n");
  std::string_view line = datagram.substr(0, end);
  if (!line.starts_with(Prefix)) return std::nullopt;
  line.remove_prefix(Prefix.size());
  const auto value = ParseNumber(line);
  if (!value || *value < -360.0 || *value > 720.0) return std::nullopt;
  return value;
}

}  // namespace pelvorn::rotator::pst
