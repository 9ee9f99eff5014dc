#include "AdifReader.h"

#include "common/SystemErrorText.h"
#include "common/Texts.h"
#include "common/Text.h"

#include <cerrno>
#include <cstring>

namespace pelvorn::adif {
namespace {

constexpr std::size_t ChunkSize = 1u << 20;
// A tag is a name, a length and a type; anything this long without ">" is none.
constexpr std::size_t LongestTag = 1024;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

char Capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view name, std::string_view capitals) {
  if (name.size() != capitals.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (Capital(name[i]) != capitals[i]) return false;
  }
  return true;
}

// The bytes of a name or length as they stand, for messages: at most 40
// bytes, control characters as blanks.
std::string Shown(std::string_view text) {
  std::string shown(text.substr(0, 40));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text.size() > 40 ? shown + "…" : shown;
}

}  // namespace

Known KnownField(std::string_view name) noexcept {
  static constexpr std::array<std::string_view, static_cast<std::size_t>(Known::Count)> Names = {
      "CALL", "QSO_DATE", "MY_GRIDSQUARE", "MY_GRIDSQUARE_EXT", "MY_LAT", "MY_LON",
      "GRIDSQUARE", "GRIDSQUARE_EXT", "LAT", "LON", "DISTANCE", "ANT_PATH"};
  // Most fields of a log are none of these: their first letter or length
  // tells at once.
  const char first = name.empty() ? '\0' : Capital(name[0]);
  if (first != 'C' && first != 'Q' && first != 'M' && first != 'G' && first != 'L' && first != 'D' && first != 'A') {
    return Known::Count;
  }
  for (std::size_t i = 0; i < Names.size(); ++i) {
    if (SameName(name, Names[i])) return static_cast<Known>(i);
  }
  return Known::Count;
}

Reader::Step Reader::Fail(std::string reason) {
  failed_ = true;
  error_ = std::move(reason);
  return Step::Error;
}

bool Reader::ReadMore() {
  if (begin_ > 0) {
    buffer_.erase(0, begin_);
    begin_ = 0;
  }
  const std::size_t old = buffer_.size();
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

Reader::Parse Reader::ParseUnit(Unit& unit) {
  const char* const text = buffer_.data();
  const std::size_t size = buffer_.size();
  unit = Unit{};
  unit.begin = begin_;
  std::size_t position = begin_;
  if (!started_) {
    // A byte order mark belongs to the first piece; whether a header comes
    // is decided by the first byte after it.
    std::string_view start(text, size);
    if (start.size() < ByteOrderMark.size() && ByteOrderMark.starts_with(start) && !atEnd_) return Parse::NeedMore;
    if (start.starts_with(ByteOrderMark)) position += ByteOrderMark.size();
    if (position == size && !atEnd_) return Parse::NeedMore;
    inHeader_ = position < size && text[position] != '<';
    started_ = true;
  }
  bool anyField = false;
  for (;;) {
    const void* opening = position < size ? std::memchr(text + position, '<', size - position) : nullptr;
    if (opening == nullptr) {
      if (!atEnd_) return Parse::NeedMore;
      if (inHeader_) {
        error_ = seenAdif_ ? std::string(text::AdifNoEndOfHeader) : std::string(text::AdifNotAdif);
        return Parse::Failed;
      }
      if (anyField) {
        error_ = text::AdifNoEndOfRecord;
        return Parse::Failed;
      }
      if (begin_ == size) return Parse::End;
      unit.kind = Unit::Kind::Tail;
      unit.end = size;
      begin_ = size;
      return Parse::Done;
    }
    const std::size_t tagBegin = static_cast<std::size_t>(static_cast<const char*>(opening) - text);
    // Tags are short: a plain loop finds their end sooner than memchr.
    const char* closing = nullptr;
    for (const char* c = text + tagBegin + 1; c < text + size; ++c) {
      if (*c == '>') {
        closing = c;
        break;
      }
    }
    if (closing == nullptr) {
      if (size - tagBegin > LongestTag) {
        error_ = Fill(text::AdifTagNotClosed, {Shown(std::string_view(text + tagBegin + 1, size - tagBegin - 1))});
        return Parse::Failed;
      }
      if (!atEnd_) return Parse::NeedMore;
      error_ = Fill(text::AdifTagCutOff, {Shown(std::string_view(text + tagBegin + 1, size - tagBegin - 1))});
      return Parse::Failed;
    }
    const std::size_t tagEnd = static_cast<std::size_t>(closing - text);
    const std::string_view tag(text + tagBegin + 1, tagEnd - tagBegin - 1);
    const std::size_t colon = tag.find(':');
    if (colon == std::string_view::npos) {
      if (SameName(tag, "EOR")) {
        if (inHeader_) {
          error_ = text::AdifRecordInHeader;
          return Parse::Failed;
        }
        seenAdif_ = true;
        unit.kind = Unit::Kind::Record;
        unit.endOfRecordTag = tagBegin;
        unit.end = tagEnd + 1;
        begin_ = unit.end;
        ++records_;
        return Parse::Done;
      }
      if (SameName(tag, "EOH") && (inHeader_ || records_ == 0)) {
        // A log that begins with "<" may still have a header of fields.
        seenAdif_ = true;
        inHeader_ = false;
        unit = Unit{};
        unit.kind = Unit::Kind::Header;
        unit.begin = begin_;
        unit.end = tagEnd + 1;
        begin_ = unit.end;
        return Parse::Done;
      }
      // A tag without a length (an application's end mark such as
      // <APP_X_EOF>) holds no data: passed over like text between fields.
      position = tagEnd + 1;
      continue;
    }
    fieldLike_ = true;
    const std::string_view name = tag.substr(0, colon);
    std::string_view length = tag.substr(colon + 1);
    length = length.substr(0, length.find(':'));
    if (name.empty()) {
      error_ = Fill(text::AdifFieldWithoutName, {Shown(tag)});
      return Parse::Failed;
    }
    std::size_t bytes = 0;
    bool digits = !length.empty();
    for (char c : length) {
      if (c < '0' || c > '9') {
        digits = false;
        break;
      }
      bytes = bytes > MaximumRecordBytes ? bytes : bytes * 10 + static_cast<std::size_t>(c - '0');
    }
    if (!digits) {
      error_ = Fill(text::AdifLengthNotNumber, {Shown(name), Shown(length)});
      return Parse::Failed;
    }
    const std::size_t dataBegin = tagEnd + 1;
    if (bytes > MaximumRecordBytes || dataBegin + bytes - begin_ > MaximumRecordBytes) {
      error_ = Fill(text::AdifRecordTooLarge, {Shown(name), std::to_string(MaximumRecordBytes >> 20)});
      return Parse::Failed;
    }
    if (dataBegin + bytes > size) {
      if (!atEnd_) return Parse::NeedMore;
      error_ = Fill(text::AdifLengthPastEnd, {Shown(name), std::string(length)});
      return Parse::Failed;
    }
    seenAdif_ = true;
    anyField = true;
    if (!inHeader_) {
      const Known known = KnownField(name);
      if (known != Known::Count) {
        FieldPlace& place = unit.fields[static_cast<std::size_t>(known)];
        if (!place.present) {
          const std::size_t lengthBegin = tagBegin + 1 + colon + 1;
          place = {true, lengthBegin, lengthBegin + length.size(), dataBegin, dataBegin + bytes};
        }
      }
    }
    position = dataBegin + bytes;
  }
}

Reader::Step Reader::Next(Unit& unit) {
  if (failed_) return Step::Error;
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
        // it is not held beyond the limit.
        if (buffer_.size() - begin_ >= MaximumRecordBytes) {
          if (!seenAdif_) return Fail(std::string(text::AdifNotAdif));
          return Fail(Fill(text::AdifPieceTooLarge, {std::to_string(MaximumRecordBytes >> 20)}));
        }
        if (!ReadMore()) return Step::Error;
        break;
    }
  }
}

}  // namespace pelvorn::adif
