#pragma once

#include <optional>
#include <string>
#include <string_view>

// PstRotator's datagrams, built and read without the C locale.
namespace pelvorn::rotator::pst {

// "<PST><AZIMUTH>139.7</AZIMUTH></PST>": the azimuth with one decimal, a
// decimal point whatever the locale ("139" for whole degrees).
std::string AzimuthCommand(double azimuth);
inline constexpr std::string_view StopCommand = "<PST><STOP>1</STOP></PST>";
inline constexpr std::string_view ParkCommand = "<PST><PARK>1</PARK></PST>";
inline constexpr std::string_view PositionQuery = "<PST>AZ?</PST>";

// The azimuth of an answer "AZ:139\r" (the CR and blanks may be missing,
// the number may have decimals; further lines are ignored). nullopt for
// anything else.
std::optional<double> ParseAzimuthAnswer(std::string_view datagram);

}  // namespace pelvorn::rotator::pst
