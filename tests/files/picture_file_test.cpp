// Picture files as "Sauve" and "Ouvrir" know them: the format a name gives,
// the formats offered, and the reading of a file: its format from its first
// bytes, then only what its header announces and what shows of it.
#include "files/picture_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

#include "platform/bmp_encoding.h"
#include "platform/file_reading.h"
#include "platform/text.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> fixture(const std::string& name) {
  std::ifstream in(std::string(KORVEL_TEST_DATA) + "/pictures/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

ByteSource in_memory(std::vector<std::uint8_t> bytes) {
  auto kept = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
  return {kept->size(), [kept](std::uint64_t at, std::uint64_t count) {
            const auto from = kept->begin() + std::ptrdiff_t(std::min<std::uint64_t>(at, kept->size()));
            return std::vector<std::uint8_t>(from, from + std::ptrdiff_t(std::min<std::uint64_t>(count, kept->end() - from)));
          }};
}

std::string refusal(const ByteSource& source, PicturePart part = {}) {
  try {
    read_picture(source, part, "f");
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "no refusal";
}

// No saved file's extension says it holds what it does not: other names
// are refused.
TEST(SavedFormat, TheExtensionNamesTheFormatOrTheNameIsRefused) {
  const std::pair<const char*, std::optional<PictureFormat>> cases[] = {
      {"a.png", PictureFormat::png},   {"a.PNG", PictureFormat::png},  {"b.jpg", PictureFormat::jpeg},
      {"b.JPEG", PictureFormat::jpeg}, {"c.bmp", PictureFormat::bmp},  {"c.Dib", PictureFormat::bmp},
      {"photo", PictureFormat::bmp},   {"/x/f.png/g", PictureFormat::bmp}, {"d.ppm", std::nullopt},
      {"e.gif", std::nullopt},         {"e.webp", std::nullopt},       {"v1.2", std::nullopt},
      {"photo.", std::nullopt},
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

// 900 MB files, made sparse: zeros named big.bmp are refused from their
// first bytes; a small BMP, then zeros, is read to its last row; a PNG
// whose data claims more than any picture of its size needs is refused
// before the claim is read.
TEST(ReadPicture, NoMoreIsReadThanTheHeaderAnnounces) {
  const fs::path dir = fs::temp_directory_path() / ("korvel-pictures-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::vector<std::uint8_t> bmp = encode_bmp(Bitmap(10, 10, clRed));
  std::vector<std::uint8_t> png = fixture("red_3x2.png");
  png.resize(33);
  png.insert(png.end(), {0x30, 0x00, 0x00, 0x00, 'I', 'D', 'A', 'T'});  // 805 MB of data
  const struct {
    const char* name;
    std::vector<std::uint8_t> head;
    const char* cause;
    std::uint64_t most_read;
  } cases[] = {{"zeros.bmp", {}, "ce fichier n'est pas une image BMP, PNG, JPEG ou GIF", 64u << 10},
               {"small.bmp", bmp, "", (64u << 10) + bmp.size()},
               {"big.png", png, "le fichier est plus long que l'image que son en-tête annonce", 17u << 20}};
  for (const auto& c : cases) {
    const std::string path = (dir / c.name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(c.head.data()), std::streamsize(c.head.size()));
    fs::resize_file(path, 900'000'000);
    const RegularFile file(path);
    std::uint64_t read = 0;
    const ByteSource counted{file.size(), [&](std::uint64_t at, std::uint64_t count) {
                               auto bytes = file.read(at, count);
                               read += bytes.size();
                               return bytes;
                             }};
    if (*c.cause)
      EXPECT_EQ(refusal(counted), std::string("Impossible de lire l'image f : ") + c.cause);
    else
      EXPECT_EQ(read_picture(counted, {}, "f").bytes, bmp);
    EXPECT_LE(read, c.most_read) << c.name;
  }
  fs::remove_all(dir);
}

// A file holding fewer bytes than its size says (rewritten while opened,
// or a /proc or /sys file): the read that comes back short ends it.
TEST(ReadPicture, AFileShorterThanItsSizeIsCutShortNotAskedAgain) {
  for (const char* name : {"red_3x2.png", "photo_64x48.jpg", "photo_64x48.gif", "snapshot_64x48.bmp", "rle8_4x2.bmp"}) {
    const std::vector<std::uint8_t> whole = fixture(name);
    for (const std::size_t held : {std::size_t(4), std::size_t(20), whole.size() / 2}) {
      int reads = 0;
      const ByteSource source{whole.size(), [&](std::uint64_t at, std::uint64_t count) {
                                if (++reads > 100) throw std::runtime_error("the same bytes asked for again and again");
                                const std::uint64_t from = std::min<std::uint64_t>(at, held);
                                const std::uint64_t to = std::min<std::uint64_t>(held, from + count);
                                return std::vector<std::uint8_t>(whole.begin() + std::ptrdiff_t(from),
                                                                 whole.begin() + std::ptrdiff_t(to));
                              }};
      EXPECT_EQ(refusal(source), "Impossible de lire l'image f : le fichier est tronqué") << name << " " << held;
    }
  }
}

// 900 MB files, made sparse, that begin as a picture and go on as zeros:
// they are refused having held no more than a window of their bytes at a
// time, as is a JPEG whose header is said to come after 16 MiB of metadata.
TEST(ReadPicture, AFileThatIsNoPictureIsReadInSmallWindows) {
  const fs::path dir = fs::temp_directory_path() / ("korvel-windows-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  // 5600x5600, then its scan's header: the coded data are the zeros.
  std::vector<std::uint8_t> jpeg = fixture("photo_64x48.jpg");
  jpeg.resize(354);
  for (const std::size_t at : {163, 165}) jpeg[at] = 5600 >> 8, jpeg[at + 1] = 5600 & 0xFF;
  // 5600x5600, then an IDAT chunk of 899,999,000 bytes.
  std::vector<std::uint8_t> png = fixture("red_3x2.png");
  png.resize(33);
  for (const std::size_t at : {16, 20}) png[at + 2] = 5600 >> 8, png[at + 3] = 5600 & 0xFF;
  png.insert(png.end(), {0x35, 0xA4, 0xE5, 0x18, 'I', 'D', 'A', 'T'});
  // 17 MiB of metadata segments of 64 kB.
  std::vector<std::uint8_t> metadata = {0xFF, 0xD8};
  while (metadata.size() < (17u << 20)) {
    metadata.insert(metadata.end(), {0xFF, 0xE1, 0xFF, 0xFF});
    metadata.resize(metadata.size() + 0xFFFD);
  }
  const struct {
    const char* name;
    const std::vector<std::uint8_t>& head;
    const char* cause;
  } cases[] = {{"header.jpg", jpeg, "le fichier est tronqué"},
               {"header.png", png, "le fichier est plus long que l'image que son en-tête annonce"},
               {"metadata.jpg", metadata, "l'en-tête du fichier n'est pas valide"}};
  for (const auto& c : cases) {
    const std::string path = (dir / c.name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(c.head.data()), std::streamsize(c.head.size()));
    fs::resize_file(path, 900'000'000);
    const RegularFile file(path);
    std::uint64_t largest = 0;
    const ByteSource counted{file.size(), [&](std::uint64_t at, std::uint64_t count) {
                               auto bytes = file.read(at, count);
                               largest = std::max<std::uint64_t>(largest, bytes.size());
                               return bytes;
                             },
                             [&](std::uint64_t at) { return file.data_from(at); }};
    EXPECT_EQ(refusal(counted, {1920, 1080}), std::string("Impossible de lire l'image f : ") + c.cause) << c.name;
    EXPECT_LE(largest, 1u << 20) << c.name;
    fs::remove(path);
  }
  fs::remove_all(dir);
}

// Past 1 GiB, a file is not read whole, whatever its header allows.
TEST(ReadPicture, AFileLargerThanAnyReadIsRefused) {
  std::vector<std::uint8_t> png = fixture("red_3x2.png");
  png.resize(33);
  for (const std::size_t at : {16, 20}) png[at + 2] = 16000 >> 8, png[at + 3] = 16000 & 0xFF;
  png[24] = 16, png[25] = 2;  // 16-bit RGB: 1.5 GB of rows
  const ByteSource source{std::uint64_t(3) << 30, in_memory(png).read};
  EXPECT_EQ(refusal(source, {1920, 1080}), "Impossible de lire l'image f : le fichier est trop grand");
}

// The rows of a BMP start after its headers and palette, even when its
// file header says they start within them.
TEST(ReadPicture, ABmpRowsOffsetInsideItsPaletteIsReadAfterIt) {
  for (const char* name : {"bmp/palette8_plain.bmp", "bmp/palette8_rle.bmp", "bmp/palette4.bmp"}) {
    const std::vector<std::uint8_t> whole = fixture(name);
    std::vector<std::uint8_t> inside = whole;
    inside[10] = 54, inside[11] = inside[12] = inside[13] = 0;  // right after a 40-byte header
    EXPECT_EQ(read_picture(in_memory(inside), {}, "f").bytes, read_picture(in_memory(whole), {}, "f").bytes) << name;
  }
}

// Of a BMP only the part that shows is kept: the same file as the part
// itself would make.
TEST(ReadPicture, OfABmpOnlyThePartThatShowsIsKept) {
  std::mt19937 random(3);
  Bitmap picture(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) picture.set_colour(x, y, TColor(random() & 0xFFFFFF));
  const ByteSource source = in_memory(encode_bmp(picture));
  for (const PicturePart part : {PicturePart{15, 7}, {40, 30}, {100, 100}, {1, 30}, {40, 1}}) {
    Bitmap shown(std::min(part.width, 40), std::min(part.height, 30));
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) shown.row(y)[x] = picture.row(y)[x];
    EXPECT_EQ(read_picture(source, part, "f").bytes, encode_bmp(shown)) << part.width << "x" << part.height;
  }
}

// A JPEG whose header comes after 100 kB of metadata is read all the same,
// and ends at its end mark whatever follows.
TEST(ReadPicture, AJpegIsReadToItsEndMarkWhereverItsHeaderIs) {
  const std::vector<std::uint8_t> photo = fixture("photo_64x48.jpg");
  std::vector<std::uint8_t> bytes = {0xFF, 0xD8};
  for (int segment = 0; segment < 2; ++segment) {
    bytes.insert(bytes.end(), {0xFF, 0xE1, 0xC3, 0x50});  // 50000 bytes of metadata
    bytes.insert(bytes.end(), 49998, std::uint8_t(segment));
  }
  bytes.insert(bytes.end(), photo.begin() + 2, photo.end());
  const std::size_t whole = bytes.size();
  bytes.insert(bytes.end(), 1000, 0xFF);
  EXPECT_EQ(read_picture(in_memory(bytes), {}, "f").bytes.size(), whole);
}

// Decoders go through whole rows, and through every row of an interlaced or
// progressive picture: that, not the file's size, bounds an open.
TEST(ReadPicture, PicturesThatWouldTakeTooLongToDecodeAreRefused) {
  const auto png = [](std::uint32_t width, std::uint32_t height, std::uint8_t interlace) {
    std::vector<std::uint8_t> b = fixture("red_3x2.png");
    for (int i = 0; i < 4; ++i) {
      b[16 + std::size_t(i)] = std::uint8_t(width >> (24 - 8 * i));
      b[20 + std::size_t(i)] = std::uint8_t(height >> (24 - 8 * i));
    }
    b[28] = interlace;
    return in_memory(b);
  };
  const std::string too_big = "Impossible de lire l'image f : l'image est trop grande";
  EXPECT_EQ(refusal(png(100000, 1000, 0), {1920, 1080}), too_big);
  EXPECT_EQ(refusal(png(100000, 1000, 0), {1920, 300}), "no refusal");  // 300 rows of 100000 pixels
  EXPECT_EQ(refusal(png(6000, 6000, 1), {10, 10}), too_big);
}

}  // namespace
}  // namespace korvel
