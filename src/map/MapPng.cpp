#include "MapRenderer.h"

#include <cstdlib>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace pelvorn::map {
namespace {

// A deflate stream of fixed Huffman codes whose only matches repeat the
// byte before (distance 1). After PNG's "sub" filter the map's flat areas
// are runs of zeros, so this packs them nearly as tightly as zlib does, in
// one quick pass, and the same bytes on every system.
class BitWriter {
public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Put(unsigned bits, int count) {  // least significant bit first
    buffer_ |= std::uint64_t{bits} << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_ += static_cast<char>(buffer_ & 0xFF);
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }
  void Flush() {
    if (filled_ > 0) Put(0, 8 - filled_);
  }

private:
  std::string& out_;
  std::uint64_t buffer_ = 0;
  int filled_ = 0;
};

// The fixed code of each literal/length symbol, bit-reversed for Put.
struct Code {
  unsigned bits;
  int count;
};
const std::array<Code, 288>& FixedCodes() {
  static const std::array<Code, 288> codes = [] {
    std::array<Code, 288> table{};
    for (unsigned symbol = 0; symbol < 288; ++symbol) {
      const Code code = symbol < 144   ? Code{0x30 + symbol, 8}
                        : symbol < 256 ? Code{0x190 + symbol - 144, 9}
                        : symbol < 280 ? Code{symbol - 256, 7}
                                       : Code{0xC0 + symbol - 280, 8};
      unsigned reversed = 0;
      for (int i = 0; i < code.count; ++i) reversed |= ((code.bits >> i) & 1u) << (code.count - 1 - i);
      table[symbol] = {reversed, code.count};
    }
    return table;
  }();
  return codes;
}

void Literal(BitWriter& bits, unsigned symbol) {
  const Code& code = FixedCodes()[symbol];
  bits.Put(code.bits, code.count);
}

void Repeat(BitWriter& bits, unsigned length) {
  static constexpr unsigned short base[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                            31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static constexpr unsigned char extra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                            2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  unsigned code = 28;
  while (base[code] > length) --code;
  Literal(bits, 257 + code);
  bits.Put(length - base[code], extra[code]);
  bits.Put(0, 5);  // distance 1: code 0
}

// The zlib stream of the image's rows, each with the "sub" filter, made
// row by row.
std::string Zlib(const Pixels& pixels) {
  const std::size_t width = static_cast<std::size_t>(pixels.width), height = static_cast<std::size_t>(pixels.height);
  std::string out("\x78\x01", 2);
  BitWriter bits(out);
  bits.Put(1, 1);  // the last block
  bits.Put(1, 2);  // fixed codes
  std::vector<unsigned char> row(1 + width * 3);
  std::uint32_t a = 1, b = 0;
  int before = -1;  // the byte before, none at first
  for (std::size_t y = 0; y < height; ++y) {
    row[0] = 1;
    const std::uint8_t* rgba = &pixels.rgba[y * width * 4];
    for (std::size_t x = 0; x < width; ++x) {
      for (std::size_t c = 0; c < 3; ++c) {
        row[1 + x * 3 + c] = static_cast<unsigned char>(rgba[x * 4 + c] - (x ? rgba[x * 4 - 4 + c] : 0));
      }
    }
    for (std::size_t i = 0; i < row.size();) {
      std::size_t run = 0;
      while (run < 258 && i + run < row.size() && row[i + run] == before) ++run;
      if (run >= 3) {
        Repeat(bits, static_cast<unsigned>(run));
        i += run;
      } else {
        Literal(bits, row[i]);
        before = row[i++];
      }
    }
    for (std::size_t i = 0; i < row.size();) {
      for (const std::size_t end = std::min(row.size(), i + 5552); i < end; ++i) {
        a += row[i];
        b += a;
      }
      a %= 65521, b %= 65521;  // before b could overflow
    }
  }
  Literal(bits, 256);
  bits.Flush();
  const std::uint32_t adler = (b << 16) | a;
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((adler >> shift) & 0xFF);
  return out;
}

std::uint32_t Crc(const std::string& bytes, std::size_t from) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) c = table[(c ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void BigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  BigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out += type;
  out += data;
  BigEndian(out, Crc(out, start));
}

}  // namespace

std::string EncodePng(const Pixels& pixels) {
  const std::size_t width = static_cast<std::size_t>(pixels.width), height = static_cast<std::size_t>(pixels.height);
  if (width == 0 || height == 0 || pixels.rgba.size() != width * height * 4) return {};
  // The map is opaque: three channels.
  std::string header;
  BigEndian(header, static_cast<std::uint32_t>(width));
  BigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filters, no interlace
  std::string out("\x89PNG\r\n\x1a\n", 8);
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", Zlib(pixels));
  Chunk(out, "IEND", {});
  return out;
}

}  // namespace pelvorn::map
