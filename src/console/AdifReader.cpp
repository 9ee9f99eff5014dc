#include "AdifReader.h"

#include "common/SystemErrorText.h"
#include "common/Texts.h"
#include "common/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pelvorn::adif {
namespace {

constexpr std::size_t ChunkSize = 1u << 20;
// A tag is a name, a length and a type; anything this long without ">" is none.
constexpr std::size_t LongestTag = 1024;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The bytes a name or type may hold: no blank, control character, "<", ">" or ":".
constexpr std::array<bool, 256> NameBytes = [] {
  std::array<bool, 256> bytes{};
  for (int byte = 0x21; byte < 0x7F; ++byte) bytes[byte] = byte != '<' && byte != '>' && byte != ':';
  for (int byte = 0x80; byte < 0x100; ++byte) bytes[byte] = true;
  return bytes;
}();

bool NameByte(char c) { return NameBytes[static_cast<unsigned char>(c)]; }

// Fields that stand only in a header.
bool HeaderField(std::string_view name) {
  for (const std::string_view header : {"ADIF_VER", "PROGRAMID", "PROGRAMVERSION", "CREATED_TIMESTAMP"}) {
    if (SameAsciiLetters(name, header)) return true;
  }
  return name.size() > 7 && SameAsciiLetters(name.substr(0, 7), "USERDEF");
}

}  // namespace

std::string ShownField(std::string_view bytes) { return PeerText(bytes, ShownCharacters); }

Known KnownField(std::string_view name) noexcept {
  static constexpr std::array<std::string_view, static_cast<std::size_t>(Known::Count)> Names = {
      "CALL", "QSO_DATE", "MY_GRIDSQUARE", "MY_GRIDSQUARE_EXT", "MY_LAT", "MY_LON",
      "GRIDSQUARE", "GRIDSQUARE_EXT", "LAT", "LON", "DISTANCE", "ANT_PATH", "BAND", "FREQ", "MODE", "SUBMODE"};
  // Most fields of a log are none of these: their first letter or length
  // tells at once.
  const char first = name.empty() ? '\0' : AsciiCapital(name[0]);
  if (first != 'C' && first != 'Q' && first != 'M' && first != 'G' && first != 'L' && first != 'D' && first != 'A' &&
      first != 'B' && first != 'F' && first != 'S') {
    return Known::Count;
  }
  for (std::size_t i = 0; i < Names.size(); ++i) {
    if (SameAsciiLetters(name, Names[i])) return static_cast<Known>(i);
  }
  return Known::Count;
}

Reader::Step Reader::Fail(std::string reason) {
  failed_ = true;
  error_ = std::move(reason);
  return Step::Error;
}

bool Reader::ReadMore(Unit& unit) {
  if (begin_ > 0) {
    // The unit being read moves to the front, and its offsets with it.
    buffer_.erase(0, begin_);
    scan_ -= begin_;
    unit.begin -= begin_;
    for (FieldPlace& place : unit.fields) {
      if (!place.present) continue;
      place.lengthBegin -= begin_, place.lengthEnd -= begin_, place.dataBegin -= begin_, place.dataEnd -= begin_;
    }
    for (FieldPlace& place : unit.distances) {
      place.lengthBegin -= begin_, place.lengthEnd -= begin_, place.dataBegin -= begin_, place.dataEnd -= begin_;
    }
    begin_ = 0;
  }
  const std::size_t old = buffer_.size();
  // The buffer holds at most one piece and one chunk: never grown beyond that.
  if (buffer_.capacity() < old + ChunkSize) {
    buffer_.reserve(std::min(std::max(2 * buffer_.capacity(), old + ChunkSize), MaximumRecordBytes + 2 * ChunkSize));
  }
  buffer_.resize(old + ChunkSize);
  errno = 0;
  const std::size_t got = std::fread(buffer_.data() + old, 1, ChunkSize, input_);
  buffer_.resize(old + got);
  bytesRead_ += got;
  if (got == 0) {
    if (std::ferror(input_)) {
      readFailed_ = true;
      error_ = errno != 0 ? SystemErrorText(errno) : std::string(text::AdifReadFailed);
      failed_ = true;
      return false;
    }
    atEnd_ = true;
  }
  return true;
}

Reader::Tag Reader::ReadTag(std::size_t at, TagParts& parts) const {
  const std::string_view text(buffer_);
  const std::size_t last = std::min(text.size(), at + LongestTag);
  std::size_t i = at + 1;
  while (i < last && NameByte(text[i])) ++i;
  const std::size_t nameEnd = i;
  const bool incomplete = i == text.size();
  if (!incomplete && text[i] == '>' && nameEnd - at == 4) {
    const std::string_view name = text.substr(at + 1, 3);
    if (SameAsciiLetters(name, "EOR")) return parts.end = i, Tag::EndOfRecord;
    if (SameAsciiLetters(name, "EOH")) return parts.end = i, Tag::EndOfHeader;
  }
  if (incomplete) return i - at < LongestTag && !atEnd_ ? Tag::NeedMore : Tag::None;
  if (nameEnd == at + 1 || text[i] != ':') return Tag::None;
  const std::size_t lengthBegin = ++i;
  std::size_t bytes = 0;
  while (i < last && text[i] >= '0' && text[i] <= '9') {
    bytes = bytes > MaximumRecordBytes ? bytes : bytes * 10 + static_cast<std::size_t>(text[i] - '0');
    ++i;
  }
  const std::size_t lengthEnd = i;
  if (i < last && lengthEnd > lengthBegin && text[i] == ':') {
    ++i;
    while (i < last && NameByte(text[i])) ++i;
  }
  if (i == text.size()) {
    if (i - at >= LongestTag) return Tag::None;
    return atEnd_ ? Tag::CutOff : Tag::NeedMore;
  }
  if (lengthEnd == lengthBegin || i == last || text[i] != '>') return Tag::None;
  parts.end = i;
  parts.name = text.substr(at + 1, nameEnd - at - 1);
  parts.length = text.substr(lengthBegin, lengthEnd - lengthBegin);
  parts.bytes = bytes;
  return Tag::Field;
}

void Reader::StartUnit(Unit& unit) {
  unit.kind = Unit::Kind::Record;
  unit.begin = begin_;
  unit.end = unit.endOfRecordTag = 0;
  unit.fields.fill(FieldPlace{});
  unit.distances.clear();
}

Reader::Parse Reader::ParseUnit(Unit& unit) {
  const std::string_view text(buffer_);
  const std::size_t size = text.size();
  if (!started_) {
    // A byte order mark belongs to the first piece; whether a header comes
    // is decided by the first byte after it and any blanks and line ends.
    if (size < ByteOrderMark.size() && ByteOrderMark.starts_with(text) && !atEnd_) return Parse::NeedMore;
    const std::size_t first = text.find_first_not_of(" \t\r\n", text.starts_with(ByteOrderMark) ? 3 : 0);
    if (first == std::string_view::npos && !atEnd_) return Parse::NeedMore;
    inHeader_ = first != std::string_view::npos && text[first] != '<';
    started_ = true;
  }
  Unit& building = unit;
  std::size_t position = scan_;
  const auto done = [&](Unit::Kind kind, std::size_t end) {
    building.kind = kind;
    building.end = end;
    begin_ = scan_ = end;
    pendingField_ = false;
    return Parse::Done;
  };
  for (;;) {
    scan_ = position;
    const std::size_t tagBegin = text.find('<', position);
    if (tagBegin == std::string_view::npos) {
      scan_ = size;
      if (!atEnd_) return Parse::NeedMore;
      if (inHeader_) {
        error_ = seenAdif_ ? std::string(text::AdifNoEndOfHeader) : std::string(text::AdifNotAdif);
        return Parse::Failed;
      }
      if (pendingField_) {
        error_ = text::AdifNoEndOfRecord;
        return Parse::Failed;
      }
      if (begin_ == size) return Parse::End;
      if (size - begin_ > MaximumRecordBytes) {
        error_ = Fill(text::AdifPieceTooLarge, {std::to_string(MaximumRecordBytes >> 20)});
        return Parse::Failed;
      }
      return done(Unit::Kind::Tail, size);
    }
    TagParts tag;
    switch (ReadTag(tagBegin, tag)) {
      case Tag::None:
        position = tagBegin + 1;
        continue;
      case Tag::NeedMore:
        scan_ = tagBegin;
        return Parse::NeedMore;
      case Tag::CutOff:
        fieldLike_ = true;
        error_ = Fill(text::AdifTagCutOff, {ShownField(text.substr(tagBegin + 1))});
        return Parse::Failed;
      case Tag::EndOfRecord:
        seenAdif_ = true;
        if (inHeader_) {
          error_ = text::AdifRecordInHeader;
          return Parse::Failed;
        }
        if (tag.end + 1 - begin_ > MaximumRecordBytes) {
          error_ = Fill(text::AdifRecordOverLimit, {std::to_string(MaximumRecordBytes >> 20)});
          return Parse::Failed;
        }
        building.endOfRecordTag = tagBegin;
        ++records_;
        headerFields_ = false;
        return done(Unit::Kind::Record, tag.end + 1);
      case Tag::EndOfHeader:
        if (inHeader_ || (records_ == 0 && !headerRead_)) {
          // A log that begins with "<" may still have a header of fields.
          seenAdif_ = true;
          inHeader_ = false;
          headerRead_ = true;
          headerFields_ = false;
          building.fields.fill(FieldPlace{});
          building.distances.clear();
          return done(Unit::Kind::Header, tag.end + 1);
        }
        // Elsewhere it holds no data: passed over like text between fields.
        position = tag.end + 1;
        continue;
      case Tag::Field:
        break;
    }
    fieldLike_ = true;
    if (records_ == 0 && !headerRead_ && !inHeader_ && HeaderField(tag.name)) headerFields_ = true;
    const std::size_t dataBegin = tag.end + 1;
    if (tag.bytes > MaximumRecordBytes || dataBegin + tag.bytes - begin_ > MaximumRecordBytes) {
      error_ = Fill(text::AdifRecordTooLarge, {ShownField(tag.name), std::to_string(MaximumRecordBytes >> 20)});
      return Parse::Failed;
    }
    if (dataBegin + tag.bytes > size) {
      scan_ = tagBegin;
      if (!atEnd_) return Parse::NeedMore;
      error_ = Fill(text::AdifLengthPastEnd, {ShownField(tag.name), std::string(tag.length)});
      return Parse::Failed;
    }
    seenAdif_ = true;
    pendingField_ = true;
    if (!inHeader_) {
      const Known known = KnownField(tag.name);
      if (known != Known::Count) {
        const std::size_t lengthBegin = static_cast<std::size_t>(tag.length.data() - text.data());
        const FieldPlace place{true, lengthBegin, lengthBegin + tag.length.size(), dataBegin, dataBegin + tag.bytes};
        FieldPlace& first = building.fields[static_cast<std::size_t>(known)];
        if (!first.present) first = place;
        if (known == Known::Distance) building.distances.push_back(place);
      }
    }
    position = dataBegin + tag.bytes;
  }
}

Reader::Step Reader::Next(Unit& unit) {
  if (failed_) return Step::Error;
  StartUnit(unit);
  scan_ = begin_;
  for (;;) {
    switch (ParseUnit(unit)) {
      case Parse::Done:
        return Step::Unit;
      case Parse::End:
        if (!seenAdif_) return Fail(std::string(text::AdifNotAdif));
        return Step::End;
      case Parse::Failed:
        failed_ = true;
        if (!seenAdif_ && !fieldLike_) error_ = text::AdifNotAdif;
        return Step::Error;
      case Parse::NeedMore:
        // Whatever the piece is (a record, a header, text between records),
        // it is not held beyond the limit: its end lies past these bytes.
        if (buffer_.size() - begin_ >= MaximumRecordBytes) {
          if (!seenAdif_) return Fail(std::string(text::AdifNotAdif));
          return Fail(Fill(text::AdifPieceTooLarge, {std::to_string(MaximumRecordBytes >> 20)}));
        }
        if (!ReadMore(unit)) return Step::Error;
        break;
    }
  }
}

}  // namespace pelvorn::adif
