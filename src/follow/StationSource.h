#pragma once

#include "follow/StationReport.h"

#include <chrono>
#include <cstddef>
#include <string>

// Where the follower hears of the station being worked: WSJT-X's datagrams,
// or another operating program. Each source turns its input into reports;
// everything after that is the follower's.

namespace pelvorn::follow {

// What one wait for a source gave.
struct Heard {
  enum class Kind {
    Nothing,  // the wait ended without news
    Report,   // `report` holds the station being worked
    Notice,   // `text` is a German line for the operator (e.g. the program went away)
    Failed,   // the source cannot go on: `text` says why (German)
  };
  Kind kind = Kind::Nothing;
  StationReport report;
  std::string text;
};

class StationSource {
public:
  virtual ~StationSource() = default;

  // Starts listening or connecting. Returns the German reason (UTF-8) when
  // that fails, else the empty text.
  virtual std::string open() = 0;

  // The German line saying what the follower waits for, once open.
  virtual std::string waitingLine() const = 0;

  // Waits at most `timeout` for news.
  virtual Heard next(std::chrono::milliseconds timeout) = 0;

  // How much input was unreadable and skipped.
  virtual std::size_t skipped() const = 0;
};

}  // namespace pelvorn::follow
