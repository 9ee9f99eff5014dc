#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// A streaming reader of ADIF logs in the ADI format: fields
// <NAME:LENGTH[:TYPE]>data (names case-insensitive, LENGTH the number of
// bytes of data), records ended by <EOR>, an optional header ended by <EOH>.
// A "<" begins a tag only where NAME:DIGITS[:TYPE]> or EOR> or EOH> follows
// (NAME and TYPE without blanks, control characters, "<", ">" or ":");
// any other "<" is text, and text between fields is skipped. A log whose
// first character other than blanks and line ends is "<" has no header text
// (but may begin with header fields ended by <EOH>).
// The reader holds one record at a time (and at most MaximumRecordBytes of
// it, <EOR> included), so its memory does not grow with the log; each byte
// is looked at about once. Bytes are never decoded.

namespace pelvorn::adif {

// The fields the log check and the log's map read; every other field is passed over.
enum class Known : std::size_t {
  Call,
  QsoDate,
  MyGridsquare,
  MyGridsquareExt,
  MyLat,
  MyLon,
  Gridsquare,
  GridsquareExt,
  Lat,
  Lon,
  Distance,
  AntPath,
  Band,
  Freq,
  Mode,
  Submode,
  Count
};

// Where a field lies in the reader's buffer (offsets from Unit::begin's base).
struct FieldPlace {
  bool present = false;
  std::size_t lengthBegin = 0;  // the LENGTH digits
  std::size_t lengthEnd = 0;
  std::size_t dataBegin = 0;
  std::size_t dataEnd = 0;
};

// One piece of the log, in order: the header, each record, and what
// follows the last record. Its bytes are text().substr(begin, end - begin);
// together the pieces are the whole log. Offsets are valid until the next
// call of Reader::Next.
struct Unit {
  enum class Kind { Header, Record, Tail };
  Kind kind = Kind::Record;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t endOfRecordTag = 0;  // Record: where its <EOR> begins
  std::array<FieldPlace, static_cast<std::size_t>(Known::Count)> fields{};  // the first of each name
  std::vector<FieldPlace> distances;  // Record: every DISTANCE field, in order

  const FieldPlace& operator[](Known field) const { return fields[static_cast<std::size_t>(field)]; }
};

// A record larger than this is refused rather than held.
inline constexpr std::size_t MaximumRecordBytes = 16u << 20;

class Reader {
public:
  explicit Reader(std::FILE* input) : input_(input) {}

  enum class Step {
    Unit,   // `unit` holds the next piece
    End,    // the log ended after its last piece
    Error,  // error() says why (German, UTF-8); the log is not read further
  };
  Step Next(Unit& unit);

  // The buffer the offsets of a Unit refer to.
  std::string_view Text() const { return buffer_; }
  // The number of records read so far; the last Record unit is this one.
  std::size_t RecordsRead() const { return records_; }
  // After an error: the number of the record it is in (1-based), 0 in the
  // header (header text, or the first piece of a log once it has shown a
  // header field such as ADIF_VER or PROGRAMID).
  std::size_t FailedRecord() const { return inHeader_ || headerFields_ ? 0 : records_ + 1; }
  const std::string& Error() const { return error_; }
  // Whether the error is that the input could not be read (no record to name).
  bool ReadFailed() const { return readFailed_; }
  // Whether the reader has met anything ADIF so far: a field, <EOH> or <EOR>.
  bool SeenAdif() const { return seenAdif_; }
  // The bytes read so far.
  unsigned long long BytesRead() const { return bytesRead_; }

private:
  enum class Parse { Done, End, NeedMore, Failed };
  enum class Tag { None, Field, EndOfRecord, EndOfHeader, NeedMore, CutOff };
  struct TagParts {
    std::size_t end = 0;  // where the ">" is
    std::string_view name, length;
    std::size_t bytes = 0;
  };
  Tag ReadTag(std::size_t at, TagParts& parts) const;
  Parse ParseUnit(Unit& unit);
  void StartUnit(Unit& unit);
  bool ReadMore(Unit& unit);
  Step Fail(std::string reason);

  std::FILE* input_;
  std::string buffer_;
  std::size_t begin_ = 0;  // where the next unit begins in buffer_
  // Where reading the unit goes on when more bytes have come.
  std::size_t scan_ = 0;
  bool pendingField_ = false;
  bool started_ = false;
  bool inHeader_ = false;
  bool headerRead_ = false;
  bool headerFields_ = false;
  bool atEnd_ = false;
  bool failed_ = false;
  bool seenAdif_ = false;
  bool fieldLike_ = false;
  bool readFailed_ = false;  // a tag with a length has been met
  std::size_t records_ = 0;
  unsigned long long bytesRead_ = 0;
  std::string error_;
};

// The characters of a field's bytes a message shows at most.
inline constexpr std::size_t ShownCharacters = 60;

// Returns a field's bytes (or a name) as messages and TSV lines show them:
// PeerText, at most ShownCharacters.
std::string ShownField(std::string_view bytes);

// Returns the field `name` stands for, or Known::Count for any other.
Known KnownField(std::string_view name) noexcept;

}  // namespace pelvorn::adif
