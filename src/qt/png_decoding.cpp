#include "qt/png_decoding.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "platform/text.h"

namespace korvel::qt {

namespace {

struct Input {
  std::span<const std::uint8_t> bytes;
  std::size_t at = 0;
};

void read_bytes(png_structp png, png_bytep out, std::size_t count) {
  auto* input = static_cast<Input*>(png_get_io_ptr(png));
  if (count > input->bytes.size() - input->at) png_error(png, "unexpected end");
  std::memcpy(out, input->bytes.data() + input->at, count);
  input->at += count;
}

// libpng's own handlers would print; the failure is reported in words.
[[noreturn]] void stop_reading(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore_warning(png_structp, png_const_charp) {}

// libpng's read state, freed however the decoding ends.
struct Reader {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, stop_reading, ignore_warning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// A 16-bit sample to 8 bits, rounded to the nearest as Qt rounds it.
std::uint32_t to_8_bits(const png_byte* sample) {
  const std::uint32_t v = std::uint32_t(sample[0]) << 8 | sample[1];
  return (v + 128) / 257;
}

// The rows the part needs, as RGB samples of 8 or 16 bits; `rows` holds one
// buffer a row of the part, `spare` takes the rows below it.
struct Rows {
  std::vector<std::vector<png_byte>> rows;
  std::vector<png_byte> spare;
  png_uint_32 width = 0, height = 0, row_count = 0;
  int bit_depth = 8;
  // The grey that Qt's reader shows black: the transparent one of a 2, 4
  // or 8-bit grey picture, as an 8-bit sample; -1 for none.
  int black_grey = -1;
};

// Qt reads 2, 4 and 8-bit grey pictures through a palette, in which the
// transparent grey becomes transparent black; others keep their colour.
int grey_shown_black(png_structp png, png_infop info) {
  png_bytep alpha = nullptr;
  int count = 0;
  png_color_16p colour = nullptr;
  const int depth = png_get_bit_depth(png, info);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_GRAY || depth == 1 || depth == 16 ||
      !png_get_tRNS(png, info, &alpha, &count, &colour) || !colour || colour->gray >= (1 << depth))
    return -1;
  return colour->gray * 255 / ((1 << depth) - 1);
}

// Everything that may jump back stays in this frame, which holds nothing
// with a destructor. False when libpng refuses the data.
bool read_rows(png_structp png, png_infop info, Rows& out, PicturePart part) {
  if (setjmp(png_jmpbuf(png))) return false;
  // The behaviour has bounded the picture's size already.
  png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
  png_read_info(png, info);
  out.black_grey = grey_shown_black(png, info);
  // Palettes and grey levels to RGB; alpha, and the colour a transparent
  // sample stands for, ignored: Qt's reader keeps the colour of each pixel
  // and the view drops alpha.
  png_set_palette_to_rgb(png);
  png_set_expand_gray_1_2_4_to_8(png);
  png_set_gray_to_rgb(png);
  png_set_strip_alpha(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out.width = png_get_image_width(png, info);
  out.height = png_get_image_height(png, info);
  out.bit_depth = png_get_bit_depth(png, info);
  out.row_count = std::min<png_uint_32>(out.height, png_uint_32(std::max(part.height, 0)));
  const std::size_t row_bytes = png_get_rowbytes(png, info);
  out.rows.assign(out.row_count, std::vector<png_byte>(row_bytes));
  out.spare.resize(row_bytes);
  // Interlaced passes fill each row in turn; otherwise the rows below the
  // part are never read.
  const png_uint_32 read_rows = passes > 1 ? out.height : out.row_count;
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < read_rows; ++y)
      png_read_row(png, y < out.row_count ? out.rows[y].data() : out.spare.data(), nullptr);
  return true;
}

}  // namespace

Bitmap decode_png(std::span<const std::uint8_t> bytes, PicturePart part) {
  Reader reader;
  if (!reader.info) throw EInOutError("la mémoire manque pour lire l'image");
  Input input{bytes, 0};
  png_set_read_fn(reader.png, &input, read_bytes);
  Rows rows;
  if (!read_rows(reader.png, reader.info, rows, part)) throw EInOutError("les données de l'image sont endommagées");
  const int width = int(std::min<png_uint_32>(rows.width, png_uint_32(std::max(part.width, 0))));
  Bitmap picture(width, int(rows.row_count));
  const std::size_t sample = rows.bit_depth == 16 ? 2 : 1;
  for (int y = 0; y < picture.height(); ++y) {
    const png_byte* in = rows.rows[std::size_t(y)].data();
    std::uint32_t* out = picture.row(y);
    for (int x = 0; x < width; ++x, in += 3 * sample) {
      const std::uint32_t r = sample == 2 ? to_8_bits(in) : in[0];
      const std::uint32_t g = sample == 2 ? to_8_bits(in + 2) : in[1];
      const std::uint32_t b = sample == 2 ? to_8_bits(in + 4) : in[2];
      out[x] = int(r) == rows.black_grey ? 0 : r << 16 | g << 8 | b;
    }
  }
  return picture;
}

}  // namespace korvel::qt
