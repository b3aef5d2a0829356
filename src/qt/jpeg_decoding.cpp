#include "qt/jpeg_decoding.h"

// jpeglib.h needs FILE and size_t declared first, and jerror.h what
// jpeglib.h configures.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <vector>

#include "platform/text.h"

namespace korvel::qt {

namespace {

struct Errors {
  jpeg_error_mgr manager;  // first: libjpeg knows only this part
  std::jmp_buf jump;
};

[[noreturn]] void stop_decoding(j_common_ptr info) { std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1); }

// Warnings that pixels would be made up stop the decoding. Stray bytes
// between segments, an unknown revision or profile lose no pixel.
void on_message(j_common_ptr info, int level) {
  if (level >= 0) return;  // tracing, not a warning
  switch (info->err->msg_code) {
    case JWRN_ARITH_BAD_CODE:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
      stop_decoding(info);
    default:
      break;
  }
}

// libjpeg's read state, freed however the decoding ends.
struct Decoder {
  jpeg_decompress_struct info{};
  Errors errors{};
  Decoder() {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = stop_decoding;
    errors.manager.emit_message = on_message;
  }
  ~Decoder() { jpeg_destroy_decompress(&info); }
};

// One decoded row to opaque pixels, as Qt converts it: grey levels
// repeated, CMYK (stored inverted, as Adobe writes it) scaled by K.
void convert_row(const JSAMPLE* in, int components, std::uint32_t* out, int width) {
  for (int x = 0; x < width; ++x, in += components) {
    std::uint32_t r = in[0], g = in[0], b = in[0];
    if (components == 3) {
      g = in[1];
      b = in[2];
    } else if (components == 4) {
      r = in[3] * r / 255;
      g = in[3] * std::uint32_t(in[1]) / 255;
      b = in[3] * std::uint32_t(in[2]) / 255;
    }
    out[x] = r << 16 | g << 8 | b;
  }
}

// Everything that may jump back stays in this frame, whose locals have no
// destructor; `picture` and `row` live in the caller's. False when libjpeg
// refuses the data.
bool read_rows(Decoder& d, std::span<const std::uint8_t> bytes, PicturePart part, Bitmap& picture,
               std::vector<JSAMPLE>& row) {
  if (setjmp(d.errors.jump)) return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.info, TRUE);
  jpeg_start_decompress(&d.info);
  const int components = d.info.output_components;
  if (components != 1 && components != 3 && components != 4) return false;
  const JDIMENSION width = std::min<JDIMENSION>(d.info.output_width, JDIMENSION(std::max(part.width, 1)));
  const JDIMENSION rows = std::min<JDIMENSION>(d.info.output_height, JDIMENSION(std::max(part.height, 1)));
  picture = Bitmap(int(width), int(rows));
  row.resize(std::size_t(d.info.output_width) * std::size_t(components));
  JSAMPROW into[1] = {row.data()};
  for (JDIMENSION y = 0; y < rows; ++y) {
    if (jpeg_read_scanlines(&d.info, into, 1) != 1) return false;
    convert_row(row.data(), components, picture.row(int(y)), int(width));
  }
  return true;
}

}  // namespace

Bitmap decode_jpeg(std::span<const std::uint8_t> bytes, PicturePart part) {
  Decoder decoder;
  Bitmap picture;
  std::vector<JSAMPLE> row;
  if (!read_rows(decoder, bytes, part, picture, row)) throw EInOutError("les données de l'image sont endommagées");
  return picture;
}

}  // namespace korvel::qt
