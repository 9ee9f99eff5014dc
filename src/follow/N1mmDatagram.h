#pragma once

#include "follow/StationReport.h"

#include <cstddef>
#include <string>
#include <string_view>

// The datagrams N1MM Logger+ (and the loggers that copy its format: not1mm,
// Log4OM, DXLab, ...) send to their "Broadcast Data" addresses: one XML
// document each. Only three name the station being worked: lookupinfo (a
// call entered and looked up), contactinfo and contactreplace (a QSO logged
// or edited). They carry no own locator.

namespace pelvorn::follow {

// Larger datagrams are refused unread (N1MM's are about 2 KiB).
inline constexpr std::size_t N1mmLargestDatagram = 16384;

struct N1mmDatagram {
  enum class Verdict {
    Report,     // lookupinfo, contactinfo or contactreplace: `report` holds its
                // StationName (else its app) as id, its call and gridsquare
    Ignored,    // well formed, but another document (RadioInfo, spots, ...)
    Malformed,  // no well-formed XML, or too large: `problem` says why
  };
  Verdict verdict = Verdict::Malformed;
  StationReport report;
  std::string problem;  // English, for the fuzz and unit tests; never shown to the user
};

// Reads one datagram: a UTF-8 byte order mark, an XML declaration, comments,
// processing instructions, attributes, CDATA and the predefined and numeric
// character references; no document type declaration. Never throws and
// never reads past `bytes`; elements nest at most 16 deep.
N1mmDatagram ReadN1mmDatagram(std::string_view bytes);

}  // namespace pelvorn::follow
