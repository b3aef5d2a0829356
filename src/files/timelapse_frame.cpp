#include "files/timelapse_frame.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace korvel {

namespace {

constexpr char kMagic[4] = {'K', 'V', 'F', '1'};
constexpr std::size_t kHeaderBytes = 24;
constexpr std::size_t kEntryBytes = 8;

struct TileRect {
  int x, y, width, height;
  std::size_t bytes() const { return std::size_t(width) * std::size_t(height) * 4; }
};

int columns_of(int width) { return (width + kTile - 1) / kTile; }

TileRect tile_rect(std::uint32_t tile, int width, int height) {
  const int columns = columns_of(width);
  const int x = int(tile % std::uint32_t(columns)) * kTile;
  const int y = int(tile / std::uint32_t(columns)) * kTile;
  return {x, y, std::min(kTile, width - x), std::min(kTile, height - y)};
}

void put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

std::uint32_t get32(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= std::uint32_t(std::uint8_t(bytes[at + std::size_t(i)])) << (8 * i);
  return v;
}

// One deflate state for all the tiles of a frame: setting one up costs
// more than deflating a plain tile.
class Deflater {
 public:
  Deflater() {
    if (deflateInit(&m_stream, 1) != Z_OK) throw std::bad_alloc();
  }
  ~Deflater() { deflateEnd(&m_stream); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  void deflate_into(const std::uint8_t* data, std::size_t size, std::string& out) {
    deflateReset(&m_stream);
    const std::size_t start = out.size();
    out.resize(start + deflateBound(&m_stream, uLong(size)));
    m_stream.next_in = const_cast<Bytef*>(data);
    m_stream.avail_in = uInt(size);
    m_stream.next_out = reinterpret_cast<Bytef*>(out.data() + start);
    m_stream.avail_out = uInt(out.size() - start);
    if (::deflate(&m_stream, Z_FINISH) != Z_STREAM_END) throw std::bad_alloc();
    out.resize(start + m_stream.total_out);
  }

 private:
  z_stream m_stream{};
};

class Inflater {
 public:
  Inflater() {
    if (inflateInit(&m_stream) != Z_OK) throw std::bad_alloc();
  }
  ~Inflater() { inflateEnd(&m_stream); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  // True when `in` inflates to exactly `size` bytes, with nothing left over.
  bool inflate_exactly(std::string_view in, std::uint8_t* out, std::size_t size) {
    inflateReset(&m_stream);
    m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    m_stream.avail_in = uInt(in.size());
    m_stream.next_out = out;
    m_stream.avail_out = uInt(size);
    return ::inflate(&m_stream, Z_FINISH) == Z_STREAM_END && m_stream.avail_out == 0 && m_stream.avail_in == 0;
  }

 private:
  z_stream m_stream{};
};

// Where each tile's deflated bytes are in a frame file.
struct TileEntry {
  std::uint32_t tile;
  std::string_view deflated;
};

struct ParsedFrame {
  FrameHeader header;
  std::vector<TileEntry> entries;
};

std::optional<ParsedFrame> parse(std::string_view bytes, int width, int height) {
  if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), kMagic, 4) != 0) return std::nullopt;
  ParsedFrame frame;
  const auto kind = std::uint8_t(bytes[4]);
  if (kind != std::uint8_t(FrameKind::first) && kind != std::uint8_t(FrameKind::next)) return std::nullopt;
  frame.header.kind = FrameKind(kind);
  if (get32(bytes, 8) != std::uint32_t(width) || get32(bytes, 12) != std::uint32_t(height)) return std::nullopt;
  frame.header.width = width;
  frame.header.height = height;
  frame.header.stride = get32(bytes, 16);
  const std::uint32_t count = get32(bytes, 20);
  const std::uint32_t all = tile_count(width, height);
  if (count > all || frame.header.stride == 0) return std::nullopt;
  if (frame.header.kind == FrameKind::first && count != all) return std::nullopt;
  std::size_t at = kHeaderBytes + std::size_t(count) * kEntryBytes;
  if (at > bytes.size()) return std::nullopt;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeaderBytes + std::size_t(i) * kEntryBytes;
    const std::uint32_t tile = get32(bytes, entry);
    const std::uint32_t length = get32(bytes, entry + 4);
    if (tile >= all || (i > 0 && tile <= frame.header.tiles.back())) return std::nullopt;
    if (length > bytes.size() - at) return std::nullopt;
    frame.header.tiles.push_back(tile);
    frame.entries.push_back({tile, bytes.substr(at, length)});
    at += length;
  }
  if (at != bytes.size()) return std::nullopt;
  return frame;
}

std::string assemble(FrameKind kind, std::uint32_t stride, int width, int height,
                     const std::vector<TileEntry>& entries) {
  std::string out(kMagic, 4);
  out.push_back(char(kind));
  out.append(3, '\0');
  put32(out, std::uint32_t(width));
  put32(out, std::uint32_t(height));
  put32(out, stride);
  put32(out, std::uint32_t(entries.size()));
  for (const TileEntry& e : entries) {
    put32(out, e.tile);
    put32(out, std::uint32_t(e.deflated.size()));
  }
  for (const TileEntry& e : entries) out.append(e.deflated);
  return out;
}

}  // namespace

std::uint32_t tile_count(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  return std::uint32_t(columns_of(width)) * std::uint32_t((height + kTile - 1) / kTile);
}

std::vector<std::uint32_t> changed_tiles(const Bitmap& before, const Bitmap& after) {
  const int width = after.width(), height = after.height();
  std::vector<std::uint32_t> tiles;
  const bool same_size = before.width() == width && before.height() == height;
  for (std::uint32_t tile = 0, n = tile_count(width, height); tile < n; ++tile) {
    const TileRect r = tile_rect(tile, width, height);
    bool changed = !same_size;
    for (int y = r.y; !changed && y < r.y + r.height; ++y)
      changed = std::memcmp(before.row(y) + r.x, after.row(y) + r.x, std::size_t(r.width) * 4) != 0;
    if (changed) tiles.push_back(tile);
  }
  return tiles;
}

std::string encode_frame(FrameKind kind, std::uint32_t stride, const Bitmap& picture,
                         const std::vector<std::uint32_t>& tiles) {
  const int width = picture.width(), height = picture.height();
  Deflater deflater;
  std::string deflated;
  std::vector<std::size_t> ends;
  std::vector<std::uint8_t> raw(std::size_t(kTile) * kTile * 4);
  for (const std::uint32_t tile : tiles) {
    const TileRect r = tile_rect(tile, width, height);
    for (int y = 0; y < r.height; ++y)
      std::memcpy(raw.data() + std::size_t(y) * std::size_t(r.width) * 4, picture.row(r.y + y) + r.x,
                  std::size_t(r.width) * 4);
    deflater.deflate_into(raw.data(), r.bytes(), deflated);
    ends.push_back(deflated.size());
  }
  std::vector<TileEntry> entries;
  std::size_t start = 0;
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    entries.push_back({tiles[i], std::string_view(deflated).substr(start, ends[i] - start)});
    start = ends[i];
  }
  return assemble(kind, stride, width, height, entries);
}

std::optional<FrameHeader> read_frame_header(std::string_view bytes, int width, int height) {
  auto frame = parse(bytes, width, height);
  if (!frame) return std::nullopt;
  return std::move(frame->header);
}

bool apply_frame(std::string_view bytes, Bitmap& picture) {
  const int width = picture.width(), height = picture.height();
  const auto frame = parse(bytes, width, height);
  if (!frame) return false;
  // Every tile is inflated before any is drawn: a damaged frame draws nothing.
  std::size_t total = 0;
  for (const TileEntry& e : frame->entries) total += tile_rect(e.tile, width, height).bytes();
  std::vector<std::uint8_t> raw(total);
  Inflater inflater;
  std::size_t at = 0;
  for (const TileEntry& e : frame->entries) {
    const std::size_t size = tile_rect(e.tile, width, height).bytes();
    if (!inflater.inflate_exactly(e.deflated, raw.data() + at, size)) return false;
    at += size;
  }
  at = 0;
  for (const TileEntry& e : frame->entries) {
    const TileRect r = tile_rect(e.tile, width, height);
    for (int y = 0; y < r.height; ++y)
      std::memcpy(picture.row(r.y + y) + r.x, raw.data() + at + std::size_t(y) * std::size_t(r.width) * 4,
                  std::size_t(r.width) * 4);
    at += r.bytes();
  }
  return true;
}

std::optional<std::string> merge_frames(std::string_view earlier, std::string_view later, int width, int height) {
  const auto a = parse(earlier, width, height);
  const auto b = parse(later, width, height);
  if (!a || !b) return std::nullopt;
  std::vector<TileEntry> entries;
  std::size_t i = 0, j = 0;
  while (i < a->entries.size() || j < b->entries.size()) {
    if (j == b->entries.size() || (i < a->entries.size() && a->entries[i].tile < b->entries[j].tile)) {
      entries.push_back(a->entries[i++]);
    } else {
      if (i < a->entries.size() && a->entries[i].tile == b->entries[j].tile) ++i;
      entries.push_back(b->entries[j++]);
    }
  }
  const FrameKind kind = a->header.kind == FrameKind::first ? FrameKind::first : b->header.kind;
  return assemble(kind, b->header.stride, width, height, entries);
}

}  // namespace korvel
