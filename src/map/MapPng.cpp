#include "MapRenderer.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdlib>

namespace pelvorn::map {

std::string EncodePng(const Pixels& pixels) {
  // The map is opaque: three channels, one filter for every row (stb's own
  // choice per row costs most of the time), a quick deflate.
  std::vector<unsigned char> rgb(std::size_t(pixels.width) * pixels.height * 3);
  for (std::size_t i = 0, j = 0; j < rgb.size(); i += 4, j += 3) {
    rgb[j] = pixels.rgba[i], rgb[j + 1] = pixels.rgba[i + 1], rgb[j + 2] = pixels.rgba[i + 2];
  }
  stbi_write_png_compression_level = 2;
  stbi_write_force_png_filter = 1;
  int length = 0;
  unsigned char* png = stbi_write_png_to_mem(rgb.data(), pixels.width * 3, pixels.width, pixels.height, 3, &length);
  if (!png) return {};
  std::string out(reinterpret_cast<const char*>(png), static_cast<std::size_t>(length));
  std::free(png);
  return out;
}

}  // namespace pelvorn::map
