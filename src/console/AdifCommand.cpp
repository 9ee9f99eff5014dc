#include "AdifCommand.h"

#include "arithmetic/ExtendedLocator.h"
#include "common/SystemErrorText.h"
#include "common/Texts.h"
#include "console/AdifCheck.h"
#include "common/Text.h"
#include "console/AdifReader.h"
#include "console/ConsoleToolStatus.h"
#include "console/ReplaceFile.h"
#include "console/InputFile.h"
#include "console/TsvLine.h"

#include <cerrno>
#include <filesystem>

namespace pelvorn {
namespace {

using adif::Known;
using adif::QsoCheck;
using Verdict = QsoCheck::Verdict;

constexpr std::size_t FlushSize = 1u << 16;

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// A stream's bytes gathered and written in large pieces.
class Output {
public:
  explicit Output(std::FILE* stream) : stream_(stream) {}
  std::string& Text() { return text_; }
  bool Flush(bool always) {
    if (!always && text_.size() < FlushSize) return true;
    if (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), stream_) != text_.size()) ok_ = false;
    text_.clear();
    if (always && std::fflush(stream_) != 0) ok_ = false;
    return ok_;
  }

private:
  std::FILE* stream_;
  std::string text_;
  bool ok_ = true;
};

struct Totals {
  unsigned long long qsos = 0, computed = 0, missing = 0, differs = 0, noPosition = 0;
  unsigned long long filled = 0, replaced = 0;
  bool notes = false;
  double longestKm = -1;
  std::string longestCall, longestDate;
};

std::string Km(double km) {
  std::string text;
  AppendFixed(text, km, 3);
  return text;
}

void AppendCleaned(std::string& out, std::string_view text) {
  for (char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

void AppendTsv(std::string& out, const QsoCheck& check) {
  AppendCleaned(out, check.call);
  out += '\t';
  AppendCleaned(out, check.date);
  out += '\t';
  AppendCleaned(out, check.ownShown);
  out += '\t';
  AppendCleaned(out, check.foreignShown);
  out += '\t';
  if (check.Computed()) {
    AppendPathColumns(out, check.km, check.direction, check.longKm, check.longDirection);
  } else {
    out += "\t\t\t";
  }
  out += '\n';
}

// The record as it goes to the copy: DISTANCE written in where it is
// missing (and, with `overwrite`, where it differs); all else unchanged.
void AppendCopy(std::string& copy, std::string_view text, const adif::Unit& unit, const QsoCheck& check,
                const std::string& value, bool overwrite, Totals& totals) {
  const bool write = check.verdict == Verdict::Missing || (overwrite && check.verdict == Verdict::Differs);
  if (!write) {
    copy.append(text.substr(unit.begin, unit.end - unit.begin));
    return;
  }
  const std::string length = std::to_string(value.size());
  const adif::FieldPlace& distance = unit[Known::Distance];
  if (distance.present) {
    copy.append(text.substr(unit.begin, distance.lengthBegin - unit.begin));
    copy += length;
    copy.append(text.substr(distance.lengthEnd, distance.dataBegin - distance.lengthEnd));
    copy += value;
    copy.append(text.substr(distance.dataEnd, unit.end - distance.dataEnd));
  } else {
    copy.append(text.substr(unit.begin, unit.endOfRecordTag - unit.begin));
    copy += "<DISTANCE:" + length + ">" + value;
    copy.append(text.substr(unit.endOfRecordTag, unit.end - unit.endOfRecordTag));
  }
  ++(check.verdict == Verdict::Missing ? totals.filled : totals.replaced);
}

void Report(std::string& out, const std::string& place, const QsoCheck& check, std::string_view what) {
  out += place;
  out.append(check.call);
  out += ' ';
  out.append(check.date);
  out += ": ";
  out.append(what);
  out += '\n';
}

int UnreadableLog(std::FILE* err, const std::string& name, const adif::Reader& reader, bool fixing) {
  std::string place = name;
  if (reader.Error() != text::AdifNotAdif && !reader.ReadFailed()) {
    const std::size_t record = reader.FailedRecord();
    // FILE:RECORD, as compilers name a place.
    place += ':' + (record == 0 ? std::string(text::AdifHeaderPlace) : std::to_string(record));
  }
  const std::string why = fixing ? Fill(text::AdifNothingWritten, {reader.Error()}) : reader.Error();
  Print(err, Fill(text::ErrorLine, {Fill(text::About, {place, why})}));
  return ToolInputUnreadable;
}

}  // namespace

int RunAdif(const AdifOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
  std::optional<adif::OwnLocator> own;
  if (options.own) {
    const std::optional<LocatorCell> cell = ReadExtendedLocator(*options.own);
    if (!cell) {
      Print(err, Fill(text::ErrorLine, {Fill(text::AdifOwnInvalid, {*options.own})}));
      return ToolInputUnreadable;
    }
    own = adif::OwnLocator{*options.own, *cell};
  }
  const bool fromStandardInput = options.log == "-";
  std::FILE* input = fromStandardInput ? in : OpenForReading(options.log);
  if (input == nullptr) {
    Print(err, Fill(text::ErrorLine, {Fill(text::About, {options.log, SystemErrorText(errno)})}));
    return ToolInputUnreadable;
  }
  struct Closer {
    std::FILE* file;
    bool owned;
    void Close() {
      if (owned && file != nullptr) std::fclose(file);
      file = nullptr;
    }
    ~Closer() { Close(); }
  } closer{input, !fromStandardInput};

  std::string error;
  FileReplacement replacement;
  if (options.fix && !replacement.Open(*options.fix, error)) {
    Print(err, Fill(text::ErrorLine, {Fill(text::About, {*options.fix, Fill(text::AdifNothingWritten, {error})})}));
    return ToolInputUnreadable;
  }

  adif::Reader reader(input);
  Output report(out);
  Output messages(err);
  std::string copy;
  Totals totals;
  bool outputFailed = false;
  if (options.tsv) report.Text() += std::string(text::AdifTsvHeader) + "\n";
  adif::Unit unit;
  for (;;) {
    const adif::Reader::Step step = reader.Next(unit);
    if (step == adif::Reader::Step::Error) {
      report.Flush(true);
      messages.Flush(true);
      return UnreadableLog(err, options.log, reader, options.fix.has_value());
    }
    if (step == adif::Reader::Step::End) break;
    const std::string_view text = reader.Text();
    if (unit.kind != adif::Unit::Kind::Record) {
      if (options.fix) copy.append(text.substr(unit.begin, unit.end - unit.begin));
    } else {
      const QsoCheck check = adif::CheckRecord(text, unit, own);
      ++totals.qsos;
      const std::string place =
          check.verdict == Verdict::Agrees && check.notes.empty()
              ? std::string()
              : options.log + ":" + std::to_string(reader.RecordsRead()) + ": ";
      const std::string km = check.Computed() ? Km(check.PathKm()) : std::string();
      std::string& listing = options.tsv ? messages.Text() : report.Text();
      switch (check.verdict) {
        case Verdict::Agrees: break;
        case Verdict::Missing: ++totals.missing; break;
        case Verdict::Differs: ++totals.differs; break;
        case Verdict::NoPosition: ++totals.noPosition; break;
      }
      if (check.Computed()) {
        ++totals.computed;
        if (check.PathKm() > totals.longestKm) {
          totals.longestKm = check.PathKm();
          totals.longestCall = check.call;
          totals.longestDate = check.date;
        }
      }
      if (options.tsv) {
        AppendTsv(report.Text(), check);
        if (check.verdict == Verdict::NoPosition) Report(listing, place, check, check.reason);
      } else if (check.verdict == Verdict::Missing) {
        Report(listing, place, check, Fill(text::AdifComputed, {text::AdifDistanceMissing, km}));
      } else if (check.verdict == Verdict::Differs) {
        Report(listing, place, check, Fill(text::AdifComputed, {check.reason, km}));
      } else if (check.verdict == Verdict::NoPosition) {
        Report(listing, place, check, check.reason);
      }
      if (!check.notes.empty()) {
        totals.notes = true;
        Report(listing, place, check, check.notes);
      }
      if (options.fix) AppendCopy(copy, text, unit, check, km, options.overwrite, totals);
    }
    if (!report.Flush(false) || !messages.Flush(false)) {
      outputFailed = true;
      // A check whose reader has gone away has nothing left to do.
      if (!options.fix) break;
    }
    if (options.fix && copy.size() >= FlushSize) {
      if (!replacement.Write(copy, error)) {
        Print(err, Fill(text::ErrorLine, {Fill(text::About, {*options.fix, Fill(text::AdifNothingWritten, {error})})}));
        return ToolInputUnreadable;
      }
      copy.clear();
    }
  }

  if (!options.tsv) {
    report.Text() += Fill(text::AdifSummary, {std::to_string(totals.qsos), std::to_string(totals.computed),
                                              std::to_string(totals.missing), std::to_string(totals.differs),
                                              std::to_string(totals.noPosition)});
    report.Text() += totals.longestKm < 0 ? std::string(text::AdifNoLongest)
                                          : Fill(text::AdifLongest, {totals.longestCall, totals.longestDate,
                                                                     Km(totals.longestKm)});
  }
  int status = ToolSuccess;
  if (options.tsv ? totals.noPosition > 0
                  : totals.computed != totals.qsos || totals.missing + totals.differs > 0 || totals.notes) {
    status = ToolSomeDiffer;
  }
  if (options.fix) {
    // The log is closed first: Windows renames nothing over an open file.
    closer.Close();
    if (!replacement.Write(copy, error) || !replacement.Commit(error)) {
      report.Flush(true);
      Print(err, Fill(text::ErrorLine, {Fill(text::About, {*options.fix, Fill(text::AdifNothingWritten, {error})})}));
      return ToolInputUnreadable;
    }
    report.Text() += Fill(text::AdifFixWritten, {*options.fix, std::to_string(totals.filled),
                                                 std::to_string(totals.replaced)});
  }
  if (!report.Flush(true) || !messages.Flush(true) || outputFailed) {
    Print(err, Fill(text::ErrorLine, {text::OutputNotWritable}));
    return ToolInputUnreadable;
  }
  return status;
}

}  // namespace pelvorn
