// Picture files as "Sauve" and "Ouvrir" know them: the format a name gives,
// the formats offered, and the reading of a file: its format from its first
// bytes, then only what its header announces and what shows of it.
#include "files/picture_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/bmp_encoding.h"
#include "platform/file_reading.h"
#include "platform/text.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

std::string fixture_path(const std::string& name) { return std::string(KORVEL_TEST_DATA) + "/pictures/" + name; }

std::vector<std::uint8_t> fixture(const std::string& name) {
  std::ifstream in(fixture_path(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Bytes in memory, or a file, counting what is read of them.
struct CountedSource {
  explicit CountedSource(std::vector<std::uint8_t> memory) : bytes(std::move(memory)) {
    source = {bytes.size(), [this](std::uint64_t at, std::uint64_t count) {
                const std::size_t from = std::size_t(std::min<std::uint64_t>(at, bytes.size()));
                const std::size_t to = std::size_t(std::min<std::uint64_t>(bytes.size(), from + count));
                read += to - from;
                return std::vector<std::uint8_t>(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(to));
              }};
  }
  explicit CountedSource(const std::string& path) : file(std::make_unique<RegularFile>(path)) {
    source = {file->size(), [this](std::uint64_t at, std::uint64_t count) {
                auto part = file->read(at, count);
                read += part.size();
                return part;
              }};
  }
  CountedSource(const CountedSource&) = delete;
  CountedSource& operator=(const CountedSource&) = delete;
  std::vector<std::uint8_t> bytes;
  std::unique_ptr<RegularFile> file;
  ByteSource source;
  std::uint64_t read = 0;
};

std::string refusal(const ByteSource& source, PicturePart part = {}) {
  try {
    read_picture(source, part, "f");
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "no refusal";
}

struct TemporaryDirectory {
  fs::path path = fs::temp_directory_path() / ("korvel-pictures-" + std::to_string(::getpid()));
  TemporaryDirectory() { fs::create_directories(path); }
  ~TemporaryDirectory() { fs::remove_all(path); }
};

TEST(SavedFormat, TheExtensionNamesPngOrJpegElseBmp) {
  const std::pair<const char*, PictureFormat> cases[] = {
      {"a.png", PictureFormat::png},  {"a.PNG", PictureFormat::png},   {"b.jpg", PictureFormat::jpeg},
      {"b.JPEG", PictureFormat::jpeg}, {"c.bmp", PictureFormat::bmp},  {"d.ppm", PictureFormat::bmp},
      {"e.gif", PictureFormat::bmp},   {"photo", PictureFormat::bmp},  {"/x/f.png/g", PictureFormat::bmp},
  };
  for (const auto& [name, format] : cases) EXPECT_EQ(saved_format(name), format) << name;
}

TEST(OpenDialogFilter, OffersTheFormatsCheckedWholeInEitherCase) {
  const std::string filter = open_dialog_filter();
  for (const char* pattern : {"*.bmp;", "*.BMP;", "*.png;", "*.jpg;", "*.JPEG;", "*.gif;", "*.GIF|"})
    EXPECT_NE(filter.find(pattern), std::string::npos) << pattern;
  for (const char* other : {"ppm", "tif", "xpm", "ico", "webp"}) EXPECT_EQ(filter.find(other), std::string::npos) << other;
  EXPECT_TRUE(filter.ends_with("|Tous les fichiers (*)|*"));
}

// 900 MB of zeros named big.bmp, made sparse: refused from its first bytes.
TEST(ReadPicture, ALargeFileOfZerosIsRefusedFromItsFirstBytes) {
  TemporaryDirectory dir;
  const std::string big = (dir.path / "big.bmp").string();
  { std::ofstream(big, std::ios::binary); }
  fs::resize_file(big, 900'000'000);
  CountedSource file(big);
  EXPECT_EQ(refusal(file.source), "Impossible de lire l'image f : ce fichier n'est pas une image BMP, PNG, JPEG ou GIF");
  EXPECT_LE(file.read, 64u << 10);
  try {
    read_picture_file(big, {});
    ADD_FAILURE() << "read";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find(big), std::string::npos) << e.what();
  }
}

// A small picture, then hundreds of megabytes that its header does not
// announce: a BMP is read to its last row, a PNG whose data claims more
// than any picture of its size needs is refused before it is read.
TEST(ReadPicture, NoMoreIsReadThanTheHeaderAnnounces) {
  TemporaryDirectory dir;
  const std::vector<std::uint8_t> bmp = encode_bmp(Bitmap(10, 10, clRed));
  const std::vector<std::uint8_t> red = fixture("red_3x2.png");
  std::vector<std::uint8_t> png(red.begin(), red.begin() + 33);
  png.insert(png.end(), {0x30, 0x00, 0x00, 0x00, 'I', 'D', 'A', 'T'});  // 805 MB of data
  for (const auto& [name, head] : {std::pair{"big.bmp", bmp}, {"big.png", png}}) {
    const std::string path = (dir.path / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
    fs::resize_file(path, 900'000'000);
    CountedSource file(path);
    if (std::string(name) == "big.bmp") {
      EXPECT_EQ(read_picture(file.source, {}, path).bytes, bmp);
      EXPECT_LE(file.read, (64u << 10) + bmp.size());
    } else {
      EXPECT_NE(refusal(file.source).find("plus long que l'image que son en-tête annonce"), std::string::npos);
      EXPECT_LE(file.read, 17u << 20);
    }
  }
}

// Of a BMP only the part that shows is read: the same file as the part
// itself would make.
TEST(ReadPicture, OfABmpOnlyThePartThatShowsIsKept) {
  std::mt19937 random(3);
  Bitmap picture(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) picture.set_colour(x, y, TColor(random() & 0xFFFFFF));
  CountedSource memory(encode_bmp(picture));
  for (const PicturePart part : {PicturePart{15, 7}, {40, 30}, {100, 100}, {1, 30}, {40, 1}}) {
    Bitmap shown(std::min(part.width, 40), std::min(part.height, 30));
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) shown.row(y)[x] = picture.row(y)[x];
    const PictureFile file = read_picture(memory.source, part, "f");
    EXPECT_EQ(file.format, PictureFormat::bmp);
    EXPECT_EQ(file.bytes, encode_bmp(shown)) << part.width << "x" << part.height;
  }
}

TEST(ReadPicture, FilesCutShortAreRefusedWithTheirName) {
  for (const char* name : {"photo_1920x1080_first_2000_bytes.jpg", "photo_64x48_half.gif", "snapshot_half.bmp",
                           "red_3x2_cut.png"}) {
    const std::string path = fixture_path(name);
    try {
      read_picture_file(path, {});
      ADD_FAILURE() << name << " was read";
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), "Impossible de lire l'image " + path + " : le fichier est tronqué");
    }
  }
}

// A JPEG whose header comes after 100 kB of metadata is read all the same,
// and ends at its end mark whatever follows.
TEST(ReadPicture, AJpegIsReadToItsEndMarkWhereverItsHeaderIs) {
  const std::vector<std::uint8_t> photo = fixture("photo_64x48.jpg");
  std::vector<std::uint8_t> bytes = {0xFF, 0xD8};
  for (const std::uint8_t filler : {0, 1}) {
    std::vector<std::uint8_t> metadata(50002, filler);  // an APP1 segment of 50000 bytes
    const std::uint8_t marker[] = {0xFF, 0xE1, 0xC3, 0x50};
    std::copy(std::begin(marker), std::end(marker), metadata.begin());
    bytes.insert(bytes.end(), metadata.begin(), metadata.end());
  }
  bytes.insert(bytes.end(), photo.begin() + 2, photo.end());
  const std::size_t whole = bytes.size();
  bytes.resize(whole + 1000, 0xFF);
  CountedSource memory(bytes);
  const PictureFile file = read_picture(memory.source, {}, "f");
  EXPECT_EQ(file.format, PictureFormat::jpeg);
  EXPECT_EQ(file.bytes.size(), whole);
}

// Decoders go through whole rows, and through every row of an interlaced or
// progressive picture: that, not the file's size, bounds an open.
TEST(ReadPicture, PicturesThatWouldTakeTooLongToDecodeAreRefused) {
  std::vector<std::uint8_t> png = fixture("red_3x2.png");
  const auto with = [&](std::uint32_t width, std::uint32_t height, std::uint8_t interlace) {
    std::vector<std::uint8_t> b = png;
    for (int i = 0; i < 4; ++i) {
      b[16 + std::size_t(i)] = std::uint8_t(width >> (24 - 8 * i));
      b[20 + std::size_t(i)] = std::uint8_t(height >> (24 - 8 * i));
    }
    b[28] = interlace;
    return CountedSource(b);
  };
  const std::string too_big = "l'image est trop grande";
  EXPECT_NE(refusal(with(100000, 1000, 0).source, {1920, 1080}).find(too_big), std::string::npos);
  // 300 rows of 100000 pixels may be decoded.
  EXPECT_EQ(refusal(with(100000, 1000, 0).source, {1920, 300}), "no refusal");
  EXPECT_NE(refusal(with(6000, 6000, 1).source, {10, 10}).find(too_big), std::string::npos);
}

}  // namespace
}  // namespace korvel
