#include "AdifCommand.h"

#include "arithmetic/ExtendedLocator.h"
#include "common/SystemErrorText.h"
#include "common/Texts.h"
#include "console/AdifCheck.h"
#include "console/AdifCopy.h"
#include "console/AdifKml.h"
#include "common/Text.h"
#include "console/AdifReader.h"
#include "console/ConsoleToolStatus.h"
#include "common/ReplaceFile.h"
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

void AppendTsv(std::string& out, const QsoCheck& check) {
  out += adif::ShownField(check.call);
  out += '\t';
  out += adif::ShownField(check.date);
  out += '\t';
  out += check.ownShown;
  out += '\t';
  out += check.foreignShown;
  out += '\t';
  if (check.Computed()) {
    AppendPathColumns(out, check.km, check.direction, check.longKm, check.longDirection);
  } else {
    out += "\t\t\t";
  }
  out += '\n';
}

// The copy of --fix, gathered and written in large pieces; a large piece
// (a record of megabytes) goes straight to the file, never held twice.
class Copy {
public:
  explicit Copy(FileReplacement& file) : file_(file) {}
  void Add(std::string_view bytes) {
    if (!ok_) return;
    if (bytes.size() >= FlushSize) {
      ok_ = Flush() && file_.Write(bytes, error_);
    } else {
      pending_.append(bytes);
    }
  }
  bool Flush(bool always = true) {
    if (ok_ && (always || pending_.size() >= FlushSize)) {
      ok_ = file_.Write(pending_, error_);
      pending_.clear();
    }
    return ok_;
  }
  const std::string& Error() const { return error_; }

private:
  FileReplacement& file_;
  std::string pending_;
  std::string error_;
  bool ok_ = true;
};

}  // namespace

void Report(std::string& out, const std::string& place, const QsoCheck& check, std::string_view what) {
  out += place;
  out += adif::ShownField(check.call);
  out += ' ';
  out += adif::ShownField(check.date);
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

bool ReadOwnOption(const std::optional<std::string>& option, std::FILE* err, std::optional<adif::OwnLocator>& own) {
  if (!option) return true;
  const std::optional<LocatorCell> cell = ReadExtendedLocator(*option);
  if (!cell) {
    Print(err, Fill(text::ErrorLine, {Fill(text::AdifOwnInvalid, {*option})}));
    return false;
  }
  own = adif::OwnLocator{*option, *cell};
  return true;
}

int RunAdif(const AdifOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
  std::optional<adif::OwnLocator> own;
  if (!ReadOwnOption(options.own, err, own)) return ToolInputUnreadable;
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
  // The file written: the copy of --fix or the KML of --kml (never both).
  const std::optional<std::string>& written = options.fix ? options.fix : options.kml;
  if (written && written->empty()) {
    Print(err, Fill(text::ErrorLine, {options.fix ? text::FixNameEmpty : text::KmlNameEmpty}));
    return ToolInputUnreadable;
  }
  if (written && !replacement.Open(*written, error)) {
    Print(err, Fill(text::ErrorLine, {Fill(text::About, {*written, Fill(text::AdifNothingWritten, {error})})}));
    return ToolInputUnreadable;
  }

  adif::Reader reader(input);
  Output report(out);
  Output messages(err);
  Copy copy(replacement);
  Totals totals;
  bool outputFailed = false;
  if (options.tsv) report.Text() += std::string(text::AdifTsvHeader) + "\n";
  // --tsv and --kml list only what has no position, on standard error.
  const bool listing = options.tsv || options.kml;
  adif::KmlWriter kml;
  std::string kmlPiece;
  if (options.kml) {
    const std::size_t slash = options.log.find_last_of("/\\");
    adif::KmlWriter::AppendHead(kmlPiece, slash == std::string::npos ? options.log : options.log.substr(slash + 1));
  }
  adif::Unit unit;
  for (;;) {
    const adif::Reader::Step step = reader.Next(unit);
    if (step == adif::Reader::Step::Error) {
      report.Flush(true);
      messages.Flush(true);
      return UnreadableLog(err, options.log, reader, written.has_value());
    }
    if (step == adif::Reader::Step::End) break;
    const std::string_view text = reader.Text();
    if (unit.kind != adif::Unit::Kind::Record) {
      if (options.fix) copy.Add(text.substr(unit.begin, unit.end - unit.begin));
    } else {
      const QsoCheck check = adif::CheckRecord(text, unit, own);
      ++totals.qsos;
      const std::string place =
          check.verdict == Verdict::Agrees && check.notes.empty()
              ? std::string()
              : options.log + ":" + std::to_string(reader.RecordsRead()) + ": ";
      const std::string km = check.Computed() ? Km(check.PathKm()) : std::string();
      std::string& listed = listing ? messages.Text() : report.Text();
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
          totals.longestCall = adif::ShownField(check.call);
          totals.longestDate = adif::ShownField(check.date);
        }
      }
      if (listing) {
        if (options.tsv) AppendTsv(report.Text(), check);
        if (options.kml && check.Computed()) kml.AppendQso(kmlPiece, check);
        if (check.verdict == Verdict::NoPosition) Report(listed, place, check, check.reason);
      } else if (check.verdict == Verdict::Missing) {
        Report(listed, place, check, Fill(text::AdifComputed, {text::AdifDistanceMissing, km}));
      } else if (check.verdict == Verdict::Differs) {
        Report(listed, place, check, Fill(text::AdifComputed, {check.reason, km}));
      } else if (check.verdict == Verdict::NoPosition) {
        Report(listed, place, check, check.reason);
      }
      if (!check.notes.empty()) {
        totals.notes = true;
        Report(listed, place, check, check.notes);
      }
      if (options.fix) {
        const adif::CopyAction action = adif::CopyRecord(text, unit, check, km, options.overwrite,
                                                         [&copy](std::string_view bytes) { copy.Add(bytes); });
        if (action == adif::CopyAction::Filled) ++totals.filled;
        if (action == adif::CopyAction::Replaced) ++totals.replaced;
        if (action == adif::CopyAction::TooLarge) {
          totals.notes = true;
          Report(listed, place, check, Fill(text::AdifCopyTooLarge, {std::to_string(adif::MaximumRecordBytes >> 20)}));
        }
      }
    }
    if (!report.Flush(false) || !messages.Flush(false)) {
      outputFailed = true;
      // A check whose reader has gone away has nothing left to do.
      if (!written) break;
    }
    if (!kmlPiece.empty()) {
      copy.Add(kmlPiece);
      kmlPiece.clear();
    }
    if (written && !copy.Flush(false)) {
      Print(err, Fill(text::ErrorLine, {Fill(text::About, {*written, Fill(text::AdifNothingWritten, {copy.Error()})})}));
      return ToolInputUnreadable;
    }
  }

  if (!listing) {
    report.Text() += Fill(text::AdifSummary, {std::to_string(totals.qsos), std::to_string(totals.computed),
                                              std::to_string(totals.missing), std::to_string(totals.differs),
                                              std::to_string(totals.noPosition)});
    report.Text() += totals.longestKm < 0 ? std::string(text::AdifNoLongest)
                                          : Fill(text::AdifLongest, {totals.longestCall, totals.longestDate,
                                                                     Km(totals.longestKm)});
  }
  int status = ToolSuccess;
  if (listing ? totals.noPosition > 0
                  : totals.computed != totals.qsos || totals.missing + totals.differs > 0 || totals.notes) {
    status = ToolSomeDiffer;
  }
  if (options.kml) {
    adif::KmlWriter::AppendTail(kmlPiece);
    copy.Add(kmlPiece);
  }
  if (written) {
    // The log is closed first: Windows renames nothing over an open file.
    closer.Close();
    if (!copy.Flush() || !replacement.Commit(error)) {
      if (error.empty()) error = copy.Error();
      report.Flush(true);
      Print(err, Fill(text::ErrorLine, {Fill(text::About, {*written, Fill(text::AdifNothingWritten, {error})})}));
      return ToolInputUnreadable;
    }
    report.Text() += options.fix ? Fill(text::AdifFixWritten, {*options.fix, std::to_string(totals.filled),
                                                               std::to_string(totals.replaced)})
                                 : Fill(text::KmlWritten, {*options.kml, std::to_string(totals.qsos),
                                                           std::to_string(totals.noPosition)});
  }
  if (!report.Flush(true) || !messages.Flush(true) || outputFailed) {
    // With --fix or --kml, 2 would say that OUT is unchanged: it is not.
    if (written) {
      Print(err, Fill(text::ErrorLine, {Fill(options.fix ? text::AdifOutputLostCopyWritten : text::KmlOutputLost,
                                             {*written})}));
      return ToolSomeDiffer;
    }
    Print(err, Fill(text::ErrorLine, {text::OutputNotWritable}));
    return ToolInputUnreadable;
  }
  return status;
}

}  // namespace pelvorn
