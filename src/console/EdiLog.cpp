#include "EdiLog.h"

#include "arithmetic/ContestDistance.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <algorithm>
#include <charconv>

namespace pelvorn::edi {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) { return SameAsciiLetters(a, b); }

bool StartsIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A count of points or kilometres: 1 to 9 ASCII digits, nothing else.
std::optional<std::int64_t> ReadCount(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || text.front() == '-' || text.front() == '+') {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string_view::npos) break;
    fields.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  fields.push_back(text.substr(start));
  return fields;
}

std::string Quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

QsoCheck CheckQso(std::string_view own, std::string_view text, std::size_t line) {
  QsoCheck qso;
  qso.line = line;
  const std::vector<std::string_view> fields = SplitFields(text, ';');
  if (fields.size() != QsoFieldCount) {
    qso.reason = Fill(text::WrongFieldCount, {std::to_string(fields.size()), std::to_string(QsoFieldCount)});
    return qso;
  }
  qso.call = TrimBlanks(fields[CallField]);
  qso.wwl = TrimBlanks(fields[WwlField]);
  const std::string_view points = fields[PointsField];
  qso.pointsOffset = static_cast<std::size_t>(points.data() - text.data());
  qso.pointsLength = points.size();
  // The records that score nothing (an ERROR call, a dupe) may leave
  // their points empty.
  const std::string_view dupe = TrimBlanks(fields[DupeField]);
  qso.error = SameIgnoringCase(qso.call, "ERROR");
  const bool scoresNothing = qso.error || SameIgnoringCase(dupe, "D");
  const std::optional<std::int64_t> claimed =
      scoresNothing && TrimBlanks(points).empty() ? std::optional<std::int64_t>(0) : ReadCount(TrimBlanks(points));
  if (!claimed) {
    qso.reason = Fill(text::PointsNotANumber, {Quoted(points)});
    return qso;
  }
  qso.claimed = *claimed;
  if (!dupe.empty() && !SameIgnoringCase(dupe, "D")) {
    qso.reason = Fill(text::BadDupeField, {Quoted(dupe)});
    return qso;
  }
  qso.dupe = !dupe.empty();

  const ContestLocator foreign = ReadContestLocator(qso.wwl);
  if (qso.dupe || qso.error) {
    qso.computed = 0;
  } else if (foreign.kind == ContestLocator::Kind::Subsquare) {
    qso.computed = *ContestKilometresBetween(own, qso.wwl);
  } else {
    qso.verdict = QsoCheck::Verdict::NotCheckable;
    if (qso.wwl.empty()) {
      qso.reason = text::NoLocator;
    } else if (foreign.kind == ContestLocator::Kind::SquareOnly) {
      qso.computed = *ContestKilometresBetween(own, qso.wwl);
      const std::string completed = AsciiCapitals(qso.wwl);
      qso.reason = Fill(text::SquareOnly, {completed, std::to_string(qso.computed)});
    } else {
      qso.reason = text::NoValidLocator;
    }
    return qso;
  }
  qso.verdict = qso.claimed == qso.computed ? QsoCheck::Verdict::Matches : QsoCheck::Verdict::Differs;
  return qso;
}

// Whether the claimed longest QSO "Call;WWL;km" names one of the longest.
bool DxMatches(std::string_view claimed, const LogCheck& check) {
  if (!check.longest) return false;
  const std::vector<std::string_view> fields = SplitFields(claimed, ';');
  if (fields.size() != 3) return false;
  const std::int64_t longestKm = check.qsos[*check.longest].computed;
  if (ReadCount(TrimBlanks(fields[2])) != longestKm) return false;
  return std::any_of(check.qsos.begin(), check.qsos.end(), [&](const QsoCheck& qso) {
    const bool scored = qso.verdict == QsoCheck::Verdict::Matches || qso.verdict == QsoCheck::Verdict::Differs;
    return scored && !qso.dupe && !qso.error && qso.computed == longestKm && SameIgnoringCase(qso.call, TrimBlanks(fields[0])) &&
           SameIgnoringCase(qso.wwl, TrimBlanks(fields[1]));
  });
}

std::string_view ValueOf(std::string_view text) { return text.substr(text.find('=') + 1); }

}  // namespace

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  while (!file.empty()) {
    const std::size_t feed = file.find('\n');
    if (feed == std::string_view::npos) {
      lines.push_back({file, {}});
      break;
    }
    const std::size_t textEnd = feed > 0 && file[feed - 1] == '\r' ? feed - 1 : feed;
    lines.push_back({file.substr(0, textEnd), file.substr(textEnd, feed + 1 - textEnd)});
    file.remove_prefix(feed + 1);
  }
  return lines;
}

bool LogCheck::AllMatches() const {
  if (!failure.empty() || MultiplierBlocks()) return false;
  for (const QsoCheck& qso : qsos) {
    if (qso.verdict == QsoCheck::Verdict::Differs || qso.verdict == QsoCheck::Verdict::Malformed) return false;
    if (qso.verdict == QsoCheck::Verdict::NotCheckable && qso.claimed != 0) return false;
  }
  if (unreadableRecordCount) return false;
  if (announcedRecords && *announcedRecords != static_cast<std::int64_t>(qsos.size())) return false;
  return claimedTotal == recomputedTotal && codxcLine && claimedDxMatches;
}

LogCheck CheckLog(std::string_view file) {
  LogCheck check;
  check.lines = SplitLines(file);
  if (check.lines.empty()) {
    check.failure = text::EmptyFile;
    return check;
  }
  std::string_view first = check.lines.front().text;
  if (first.find('\r') != std::string_view::npos) {
    check.failure = text::LoneCarriageReturns;
    return check;
  }
  if (first.starts_with("\xEF\xBB\xBF")) first.remove_prefix(3);
  if (!SameIgnoringCase(TrimBlanks(first), "[REG1TEST;1]")) {
    check.failure = text::NotEdi;
    return check;
  }

  enum class Section { Header, Remarks, Records, After };
  Section section = Section::Header;
  std::optional<std::string_view> own;
  for (std::size_t i = 1; i < check.lines.size(); ++i) {
    const std::string_view text = check.lines[i].text;
    const std::string_view trimmed = TrimBlanks(text);
    if (section == Section::Records) {
      if (trimmed.empty()) continue;
      if (trimmed.starts_with('[')) {
        section = Section::After;
        continue;
      }
      check.qsos.push_back(CheckQso(own.value_or(""), text, i));
      continue;
    }
    if (section == Section::After) continue;
    if (StartsIgnoringCase(trimmed, "[QSORecords;")) {
      section = Section::Records;
      std::string_view count = trimmed.substr(12);
      if (count.ends_with(']')) count.remove_suffix(1);
      // An unreadable count is a finding of its own, not a count left unchecked.
      check.announcedRecords = trimmed.ends_with(']') ? ReadCount(TrimBlanks(count)) : std::nullopt;
      if (!check.announcedRecords) check.unreadableRecordCount = count;
      if (!own) {
        check.failure = text::OwnLocatorMissing;
        return check;
      }
      continue;
    }
    if (SameIgnoringCase(trimmed, "[Remarks]")) {
      section = Section::Remarks;
      continue;
    }
    if (section != Section::Header) continue;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(text.substr(0, equals));
    const std::string_view value = TrimBlanks(text.substr(equals + 1));
    if (SameIgnoringCase(key, "PWWLo")) {
      own = value;
      if (ReadContestLocator(value).kind != ContestLocator::Kind::Subsquare) {
        check.failure = Fill(text::OwnLocatorNotSubsquare, {value});
        return check;
      }
    } else if (SameIgnoringCase(key, "CQSOP")) {
      check.cqsopLine = i;
      check.claimedTotal = ReadCount(value);
    } else if (SameIgnoringCase(key, "CODXC")) {
      check.codxcLine = i;
      check.claimedDx = value;
    } else if (SameIgnoringCase(key, "CQSOs")) {
      const std::vector<std::string_view> fields = SplitFields(value, ';');
      check.bandMultiplier = fields.size() > 1 ? std::string(TrimBlanks(fields[1])) : std::string();
    }
  }
  if (section != Section::Records && section != Section::After) {
    check.failure = text::NoRecordsSection;
    return check;
  }
  check.ownLocator = *own;

  for (std::size_t q = 0; q < check.qsos.size(); ++q) {
    const QsoCheck& qso = check.qsos[q];
    switch (qso.verdict) {
      case QsoCheck::Verdict::Matches:
      case QsoCheck::Verdict::Differs:
        check.recomputedTotal += qso.computed;
        if (!qso.dupe && !qso.error && (!check.longest || qso.computed > check.qsos[*check.longest].computed)) check.longest = q;
        break;
      case QsoCheck::Verdict::NotCheckable:
        check.recomputedTotal += qso.claimed;
        check.unverifiedPoints += qso.claimed;
        break;
      case QsoCheck::Verdict::Malformed:
        break;
    }
  }
  check.claimedDxMatches = check.codxcLine && DxMatches(check.claimedDx, check);
  return check;
}

std::string ReportText(const LogCheck& check) {
  if (!check.failure.empty()) return Fill(text::NotCheckable, {check.failure});
  std::string report;
  auto lineNumber = [&](const QsoCheck& qso) { return std::to_string(qso.line + 1); };
  if (check.MultiplierBlocks()) return Fill(text::MultiplierBlocks, {check.bandMultiplier});
  std::size_t differing = 0;
  for (const QsoCheck& qso : check.qsos) {
    if (qso.verdict != QsoCheck::Verdict::Differs) continue;
    ++differing;
    report += Fill(text::QsoDiffers, {lineNumber(qso), qso.call, qso.wwl, qso.dupe ? text::DupeMark : "",
                                      std::to_string(qso.claimed), std::to_string(qso.computed)});
  }
  for (const QsoCheck& qso : check.qsos) {
    if (qso.verdict == QsoCheck::Verdict::NotCheckable) {
      report += Fill(text::QsoNotCheckable, {lineNumber(qso), qso.call, qso.reason, std::to_string(qso.claimed)});
    } else if (qso.verdict == QsoCheck::Verdict::Malformed) {
      report += Fill(text::QsoMalformed, {lineNumber(qso), qso.reason});
    }
  }
  if (check.unreadableRecordCount) {
    report += Fill(text::RecordCountUnreadable, {*check.unreadableRecordCount, std::to_string(check.qsos.size())});
  }
  if (check.announcedRecords && *check.announcedRecords != static_cast<std::int64_t>(check.qsos.size())) {
    report += Fill(text::RecordCountDiffers,
                   {std::to_string(*check.announcedRecords), std::to_string(check.qsos.size())});
  }
  report += Fill(text::PointsSummary, {std::to_string(differing), std::to_string(check.qsos.size())});

  const std::string claimedTotal =
      !check.cqsopLine ? std::string(text::Missing)
      : check.claimedTotal ? std::to_string(*check.claimedTotal)
                           : Quoted(ValueOf(check.lines[*check.cqsopLine].text));
  const std::string unverified = check.unverifiedPoints == 0
                                     ? std::string()
                                     : Fill(text::UnverifiedPoints, {std::to_string(check.unverifiedPoints)});
  report += Fill(text::TotalLine, {claimedTotal, std::to_string(check.recomputedTotal), unverified});

  std::string longest(text::NoCheckableQso);
  if (check.longest) {
    const QsoCheck& dx = check.qsos[*check.longest];
    longest = std::string(dx.call) + ";" + std::string(dx.wwl) + ";" + std::to_string(dx.computed);
  }
  report += Fill(text::LongestLine, {check.codxcLine ? check.claimedDx : text::Missing, longest,
                                     check.claimedDxMatches ? "" : text::DxDiffers});
  report += check.AllMatches() ? text::AllMatch : text::SomethingDiffers;
  return report;
}

std::optional<std::string> CorrectedLog(std::string_view file, const LogCheck& check, std::string& whyNot) {
  if (!check.failure.empty()) {
    whyNot = check.failure;
    return std::nullopt;
  }
  if (check.MultiplierBlocks()) {
    whyNot = Fill(text::MultiplierBlocksCopy, {check.bandMultiplier});
    return std::nullopt;
  }
  for (const QsoCheck& qso : check.qsos) {
    if (qso.verdict == QsoCheck::Verdict::Malformed) {
      whyNot = Fill(text::MalformedBlocksCopy, {std::to_string(qso.line + 1)});
      return std::nullopt;
    }
  }

  std::vector<std::string> replaced(check.lines.size());
  std::vector<bool> isReplaced(check.lines.size(), false);
  auto replace = [&](std::size_t line, std::string text) {
    replaced[line] = std::move(text);
    isReplaced[line] = true;
  };
  for (const QsoCheck& qso : check.qsos) {
    if (qso.verdict != QsoCheck::Verdict::Differs) continue;
    std::string text(check.lines[qso.line].text);
    text.replace(qso.pointsOffset, qso.pointsLength, std::to_string(qso.computed));
    replace(qso.line, std::move(text));
  }
  auto keyPart = [&](std::size_t line) {
    const std::string_view text = check.lines[line].text;
    return std::string(text.substr(0, text.find('=') + 1));
  };
  if (check.cqsopLine && check.claimedTotal != check.recomputedTotal) {
    replace(*check.cqsopLine, keyPart(*check.cqsopLine) + std::to_string(check.recomputedTotal));
  }
  if (check.codxcLine && check.longest && !check.claimedDxMatches) {
    const QsoCheck& dx = check.qsos[*check.longest];
    replace(*check.codxcLine, keyPart(*check.codxcLine) + std::string(dx.call) + ";" + std::string(dx.wwl) + ";" +
                                  std::to_string(dx.computed));
  }

  std::string corrected;
  corrected.reserve(file.size() + 64);
  for (std::size_t i = 0; i < check.lines.size(); ++i) {
    if (isReplaced[i]) {
      corrected += replaced[i];
    } else {
      corrected += check.lines[i].text;
    }
    corrected += check.lines[i].end;
  }
  return corrected;
}

}  // namespace pelvorn::edi
