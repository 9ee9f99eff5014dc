#include "PstRotator.h"

#include "PstLines.h"
#include "RotatorConnection.h"
#include "arithmetic/NormalisedDegrees.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <cmath>
#include <thread>

namespace pelvorn::rotator {
namespace {

using std::chrono::milliseconds;

// How often a turn asks whether the antenna is on its way.
constexpr milliseconds AskAgain{200};
// Stale datagrams read away before a question, at the most.
constexpr int MostStale = 1000;

double Apart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

}  // namespace

PstRotator::PstRotator(Address address, Options options) : Rotator(options), address_(std::move(address)) {}

Outcome PstRotator::timedOut(std::string_view what) const {
  return Outcome::Fail(Failure::Timeout,
                       Fill(text::NoAnswerWithin, {AddressText(address_), what, SecondsText(options_.timeout)}));
}

Outcome PstRotator::open() {
  if (socket_.isOpen()) return {};
  if (!Socket::ResolveIpv4(address_.host, peer_)) {
    return Outcome::Fail(Failure::HostNotFound, Fill(text::UnknownHost, {address_.host}));
  }
  const auto answerPort = static_cast<std::uint16_t>(address_.port + 1);
  if (const SocketStatus bound = socket_.bindUdp(0, answerPort, false); !bound) {
    const std::string why = bound.kind == SocketStatus::AddressInUse ? std::string(text::AnswerPortInUse)
                                                                     : SocketErrorText(bound.code);
    return Outcome::Fail(Failure::Refused, Fill(text::AnswerPortUnusable, {std::to_string(answerPort), why}));
  }
  return {};
}

Outcome PstRotator::send(std::string_view datagram) {
  if (Outcome opened = open(); !opened) return opened;
  if (const SocketStatus sent = socket_.sendDatagram(datagram, peer_, address_.port); !sent) {
    socket_.close();
    return Outcome::Fail(Failure::Refused,
                         Fill(text::ConnectFailed, {AddressText(address_), SocketErrorText(sent.code)}));
  }
  return {};
}

Outcome PstRotator::ask(double& azimuth, Clock::time_point deadline) {
  if (Outcome opened = open(); !opened) return opened;
  // What is still queued answers an earlier question, or nothing.
  std::string datagram;
  std::uint32_t from = 0;
  for (int i = 0; i < MostStale && socket_.receiveDatagram(datagram, milliseconds(0)); ++i) {
  }
  if (Outcome sent = send(pst::PositionQuery); !sent) return sent;
  std::string unclear;
  for (;;) {
    const SocketStatus got = socket_.receiveDatagram(datagram, {deadline, options_.cancel}, from);
    if (got.kind == SocketStatus::Cancelled) return Outcome::Fail(Failure::Cancelled, std::string(text::Cancelled));
    if (got.kind == SocketStatus::TimedOut) {
      if (unclear.empty()) return timedOut(text::NoAnswer);
      return Outcome::Fail(Failure::BadAnswer,
                           Fill(text::UnclearAnswer, {AddressText(address_), "AZ?", PeerText(unclear, 80)}));
    }
    if (!got) {
      socket_.close();
      return Outcome::Fail(Failure::ConnectionLost, Fill(text::ConnectionLost, {AddressText(address_)}));
    }
    if (from != peer_) continue;
    if (const auto value = pst::ParseAzimuthAnswer(datagram)) {
      azimuth = *value;
      return {};
    }
    unclear = datagram;
  }
}

Outcome PstRotator::position(double& azimuth) { return ask(azimuth, Clock::now() + options_.timeout); }

Outcome PstRotator::turnTo(double direction, Turn& turn) {
  turn = {};
  const double target = NormalisedDegrees(std::round(direction * 100.0) / 100.0);
  double standing = 0.0;
  if (Outcome asked = position(standing); !asked) return asked;
  turn.standing = standing;
  if (withinDeadband(standing, target)) {
    turn.withinDeadband = true;
    return {};
  }
  if (Outcome sent = send(pst::AzimuthCommand(target)); !sent) return sent;
  // Done once the antenna is seen on its way (PstRotator answers in whole degrees).
  const auto deadline = Clock::now() + options_.timeout;
  for (;;) {
    double now = 0.0;
    Outcome asked = ask(now, deadline);
    if (!asked && asked.failure != Failure::Timeout) return asked;
    if (asked && (Apart(now, target) < Apart(standing, target) - 0.01 || withinDeadband(now, target))) {
      turn.sent = target;
      return {};
    }
    if (!asked || Clock::now() >= deadline) return asked ? timedOut(text::NoTurnSeen) : asked;
    if (!pause(std::min<Clock::duration>(AskAgain, deadline - Clock::now()))) {
      return Outcome::Fail(Failure::Cancelled, std::string(text::Cancelled));
    }
  }
}

Outcome PstRotator::commandAndListen(std::string_view command) {
  if (Outcome sent = send(command); !sent) return sent;
  double azimuth = 0.0;
  return position(azimuth);
}

Outcome PstRotator::stop() { return commandAndListen(pst::StopCommand); }
Outcome PstRotator::parkItself() { return commandAndListen(pst::ParkCommand); }

}  // namespace pelvorn::rotator
