#pragma once

#include "common/Socket.h"
#include "follow/StationSource.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// fldigi: its log panel's Call and Loc, asked over XML-RPC (log.get_locator,
// log.get_call), each on a connection of its own. fldigi has no method
// that gives its own locator; it is read from its settings file
// (fldigi_def.xml in the folder fldigi.config_dir names) when fldigi runs on
// this computer.

namespace pelvorn::follow {

struct FldigiAddress {
  std::string host = "127.0.0.1";  // a name is resolved at each connection
  std::uint16_t port = 7362;
  std::chrono::milliseconds poll{500};  // --poll

  std::string text() const { return host + ':' + std::to_string(port); }
};

// Reads "HOST:PORT" ("[::1]:PORT" for an IPv6 address). nullopt when it is not.
std::optional<FldigiAddress> ParseFldigiAddress(std::string_view text);

// What the polls come to: a report when the pair of locators or the call
// changed (a locator still being typed counts as none), one notice when fldigi stops answering (or does not at the
// start) and one when it answers again, the report then following it.
class FldigiPolls {
public:
  explicit FldigiPolls(std::string address) : address_(std::move(address)) {}

  // A poll answered with `report`.
  Heard answered(StationReport report);
  // A poll that got no usable answer, `reason` in German.
  Heard silent(std::string_view reason);
  // The report held back behind the notice that fldigi answers again.
  std::optional<Heard> heldBack();
  // fldigi has not answered since the start or since it went silent.
  bool returning() const { return answering_ != true; }

private:
  std::string address_;
  std::optional<bool> answering_;  // unknown before the first poll
  std::optional<StationReport> last_;
  std::optional<Heard> heldBack_;
};

class FldigiSource final : public StationSource {
public:
  explicit FldigiSource(FldigiAddress address) : address_(std::move(address)), polls_(address_.text()) {}

  std::string open() override { return {}; }  // each question connects anew
  std::string waitingLine() const override;
  Heard next(std::chrono::milliseconds timeout) override;
  // An answer that is none is told in the notice that fldigi does not answer.
  std::size_t skipped() const override { return 0; }

private:
  enum class Step { Idle, SettingsFolder, Locator, Call };
  using Clock = std::chrono::steady_clock;

  Heard startPoll();
  Heard ask(Step step);
  Heard fail(std::string_view reason);

  FldigiAddress address_;
  FldigiPolls polls_;
  Socket socket_;
  Step step_ = Step::Idle;
  std::string received_;
  bool closed_ = false;
  Clock::time_point nextPoll_{};
  Clock::time_point deadline_{};
  StationReport report_;
};

// The locator in fldigi's settings `text` (fldigi_def.xml's MYLOC), or empty.
std::string FldigiOwnLocator(std::string_view text);

}  // namespace pelvorn::follow
