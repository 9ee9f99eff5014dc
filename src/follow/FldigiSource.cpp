#include "FldigiSource.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "follow/Follower.h"
#include "follow/XmlRpcAnswer.h"
#include "rotator/RotatorConnection.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <thread>

namespace pelvorn::follow {
namespace {

using std::chrono::milliseconds;

// A poll, from connecting to the last answer, gets as long as one step of the rotator.
constexpr milliseconds PollLimit{3000};
constexpr std::size_t Chunk = 4096;
// fldigi_def.xml is about 40 KiB.
constexpr std::uintmax_t LongestSettings = 1024 * 1024;

constexpr std::string_view SettingsFolderMethod = "fldigi.config_dir";
constexpr std::string_view LocatorMethod = "log.get_locator";
constexpr std::string_view CallMethod = "log.get_call";

// fldigi's settings file is only ours to read when fldigi runs here.
bool IsThisComputer(std::string_view host) {
  return host == "localhost" || host.starts_with("127.") || host == "::1";
}

std::string SettingsLocator(const std::string& folder) {
  const std::filesystem::path path =
      std::filesystem::path(std::u8string(folder.begin(), folder.end())) / "fldigi_def.xml";
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > LongestSettings) return {};
  std::ifstream file(path, std::ios::binary);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!file.read(text.data(), static_cast<std::streamsize>(size))) return {};
  return FldigiOwnLocator(text);
}

std::string ConnectReason(const SocketStatus& status) {
  switch (status.kind) {
    case SocketStatus::TimedOut: return Fill(text::FollowFldigiNoAnswer, {rotator::SecondsText(PollLimit)});
    case SocketStatus::HostNotFound: return std::string(text::FollowFldigiUnknownHost);
    case SocketStatus::Refused: return std::string(text::FollowFldigiRefused);
    case SocketStatus::Unreachable: return std::string(text::FollowFldigiUnreachable);
    default: return SocketErrorText(status.code);
  }
}

}  // namespace

std::optional<FldigiAddress> ParseFldigiAddress(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view host = text.substr(0, colon);
  const std::string_view port = text.substr(colon + 1);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  unsigned value = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
  if (host.empty() || port.empty() || error != std::errc{} || end != port.data() + port.size() || value == 0 ||
      value > 65535) {
    return std::nullopt;
  }
  FldigiAddress address;
  address.host = std::string(host);
  address.port = static_cast<std::uint16_t>(value);
  return address;
}

std::string FldigiOwnLocator(std::string_view text) {
  constexpr std::string_view Start = "<MYLOC>", End = "</MYLOC>";
  const std::size_t start = text.find(Start);
  if (start == std::string_view::npos) return {};
  text.remove_prefix(start + Start.size());
  const std::size_t end = text.find(End);
  if (end == std::string_view::npos || end > 16) return {};
  return std::string(text.substr(0, end));
}

Heard FldigiPolls::answered(StationReport report) {
  // The field is polled while the operator types: "KM3" is no locator yet, and prints nothing.
  if (NormalisedGrid(report.dxGrid).empty()) report.dxGrid.clear();
  Heard heard;
  const bool back = answering_ == false;
  answering_ = true;
  if (!last_ || last_->dxGrid != report.dxGrid || last_->dxCall != report.dxCall || last_->deGrid != report.deGrid) {
    heard.kind = Heard::Kind::Report;
    heard.report = report;
    last_ = std::move(report);
  }
  if (!back) return heard;
  if (heard.kind == Heard::Kind::Report) heldBack_ = std::move(heard);
  return {Heard::Kind::Notice, {}, Fill(text::FollowFldigiBack, {address_})};
}

Heard FldigiPolls::silent(std::string_view reason) {
  if (answering_ == false) return {};
  answering_ = false;
  return {Heard::Kind::Notice, {}, Fill(text::FollowFldigiSilent, {address_, reason})};
}

std::optional<Heard> FldigiPolls::heldBack() {
  std::optional<Heard> heard = std::move(heldBack_);
  heldBack_.reset();
  return heard;
}

std::string FldigiSource::waitingLine() const {
  return Fill(text::FollowFldigiAsking, {address_.text(), rotator::SecondsText(address_.poll)});
}

Heard FldigiSource::fail(std::string_view reason) {
  socket_.close();
  step_ = Step::Idle;
  return polls_.silent(reason);
}

// Each question gets a connection of its own: a server that closes after each answer is served as well.
Heard FldigiSource::ask(Step step) {
  const SocketStatus connected = socket_.connect(address_.host, address_.port, {deadline_});
  if (!connected) return fail(ConnectReason(connected));
  step_ = step;
  received_.clear();
  closed_ = false;
  const std::string_view method = step == Step::SettingsFolder ? SettingsFolderMethod
                                  : step == Step::Locator      ? LocatorMethod
                                                               : CallMethod;
  const SocketStatus sent = socket_.send(XmlRpcRequest(address_.text(), method), {deadline_});
  if (sent) return {};
  return fail(sent.kind == SocketStatus::TimedOut ? ConnectReason(sent) : std::string(text::FollowFldigiClosed));
}

Heard FldigiSource::startPoll() {
  const Clock::time_point now = Clock::now();
  nextPoll_ = now + address_.poll;
  deadline_ = now + PollLimit;
  report_ = StationReport{"fldigi", {}, {}, report_.deGrid};
  // Its own locator is read again whenever fldigi (re)appears: it may have been restarted with other settings.
  const bool settings = polls_.returning() && IsThisComputer(address_.host);
  if (polls_.returning()) report_.deGrid.clear();
  return ask(settings ? Step::SettingsFolder : Step::Locator);
}

Heard FldigiSource::next(milliseconds timeout) {
  if (std::optional<Heard> held = polls_.heldBack()) return std::move(*held);
  const Clock::time_point until = Clock::now() + std::max(timeout, milliseconds(0));
  if (step_ == Step::Idle) {
    if (Clock::now() < nextPoll_) {
      std::this_thread::sleep_until(std::min(until, nextPoll_));
      return {};
    }
    if (Heard heard = startPoll(); step_ == Step::Idle) return heard;
  }
  for (;;) {
    const std::string_view method = step_ == Step::SettingsFolder ? SettingsFolderMethod
                                    : step_ == Step::Locator      ? LocatorMethod
                                                                  : CallMethod;
    XmlRpcAnswer answer = ReadXmlRpcAnswer(received_, closed_);
    switch (answer.verdict) {
      case XmlRpcAnswer::Verdict::Incomplete: {
        if (Clock::now() >= deadline_) {
          return fail(Fill(text::FollowFldigiNoAnswer, {rotator::SecondsText(PollLimit)}));
        }
        if (Clock::now() >= until) return {};  // the poll goes on at the next call
        const SocketStatus got = socket_.receive(received_, Chunk, {std::min(until, deadline_)});
        const bool closed = got.kind == SocketStatus::Failed && got.code == 0;
        if ((closed && received_.empty()) || (!got && !closed && got.kind != SocketStatus::TimedOut)) {
          return fail(text::FollowFldigiClosed);
        }
        closed_ = closed;
        continue;
      }
      case XmlRpcAnswer::Verdict::Fault:
        if (step_ == Step::SettingsFolder) break;  // an fldigi without it: no own locator
        socket_.close();
        step_ = Step::Idle;
        return {Heard::Kind::Failed, {}, Fill(text::FollowFldigiRefuses, {address_.text(), method, answer.text})};
      case XmlRpcAnswer::Verdict::NotOk:
        return fail(Fill(text::FollowFldigiHttpStatus, {answer.text, method}));
      case XmlRpcAnswer::Verdict::Malformed:
        return fail(Fill(text::FollowFldigiUnclear, {method}));
      case XmlRpcAnswer::Verdict::TooLong:
        return fail(Fill(text::FollowFldigiTooLong, {method, std::to_string(LongestXmlRpcAnswer / 1024)}));
      case XmlRpcAnswer::Verdict::Value: break;
    }
    switch (step_) {
      case Step::SettingsFolder:
        if (answer.verdict == XmlRpcAnswer::Verdict::Value) report_.deGrid = SettingsLocator(answer.text);
        if (Heard heard = ask(Step::Locator); step_ == Step::Idle) return heard;
        break;
      case Step::Locator:
        report_.dxGrid = std::move(answer.text);
        if (Heard heard = ask(Step::Call); step_ == Step::Idle) return heard;
        break;
      case Step::Call:
      case Step::Idle:
        report_.dxCall = std::move(answer.text);
        socket_.close();
        step_ = Step::Idle;
        return polls_.answered(report_);
    }
  }
}

}  // namespace pelvorn::follow
