// The checks of a picture file against its own structure, on fixtures cut and forged
// the way damaged files come, and on whole files of every kind we open.
#include "files/picture_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "platform/bmp_encoding.h"
#include "platform/file_reading.h"
#include "platform/text.h"

namespace korvel {
namespace {

std::vector<std::uint8_t> fixture(const std::string& name) {
  std::ifstream in(std::string(KORVEL_TEST_DATA) + "/pictures/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), {}};
}

const char* const kWholeFixtures[] = {
    "snapshot_64x48.bmp", "top_down_24bit_5x3.bmp", "rle8_4x2.bmp", "red_3x2.png", "photo_64x48.jpg",
    "photo_64x48_progressive.jpg", "photo_64x48.gif", "png/gray1.png", "png/rgba16_interlaced.png",
    "png/palette8_trns.png"};

TEST(PictureCheck, WholeFilesPass) {
  for (const char* name : kWholeFixtures) EXPECT_EQ(picture_defect(fixture(name)), std::nullopt) << name;
  EXPECT_EQ(picture_defect(encode_bmp(Bitmap(1920, 3))), std::nullopt);
}

TEST(PictureCheck, FilesCutShortAreRefusedAsTruncated) {
  for (const char* name : {"snapshot_first_4000_bytes.bmp", "snapshot_half.bmp", "snapshot_one_byte_short.bmp",
                           "header_only.bmp", "file_header_only.bmp", "top_down_24bit_5x3_cut.bmp",
                           "rle8_4x2_cut.bmp", "offset_past_end.bmp", "red_3x2_cut.png",
                           "photo_1920x1080_first_2000_bytes.jpg", "photo_64x48_half.gif"}) {
    const auto defect = picture_defect(fixture(name));
    ASSERT_TRUE(defect.has_value()) << name;
    EXPECT_NE(defect->find("tronqué"), std::string::npos) << name << ": " << *defect;
  }
  // A PNG whose chunk claims more bytes than the file has (a fuzz input
  // that made the decoder reserve 457 MB).
  std::ifstream in(std::string(KORVEL_TEST_DATA) + "/fuzz/picture/timeout-png-chunk-of-457mb", std::ios::binary);
  const std::vector<std::uint8_t> huge_chunk{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(huge_chunk.empty());
  EXPECT_EQ(picture_defect(huge_chunk).value_or(""), "le fichier est tronqué");
  // Every length short of a whole file is refused, in every format; of a
  // GIF, whose first image is the picture, the last byte is its end mark.
  for (const char* name : kWholeFixtures) {
    const std::vector<std::uint8_t> whole = fixture(name);
    const std::size_t shown = std::string_view(name).ends_with(".gif") ? whole.size() - 1 : whole.size();
    for (std::size_t n = 0; n < shown; ++n)
      ASSERT_TRUE(picture_defect(std::span(whole).first(n)).has_value()) << name << " cut at " << n;
  }
}

TEST(PictureCheck, ContradictoryHeadersAndOtherFilesAreRefusedInWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"negative_width.bmp", "dimensions"},       {"zero_height.bmp", "dimensions"},
      {"depth_7.bmp", "profondeur de couleur"},   {"huge_dimensions.bmp", "trop grande"},
      {"bad_info_size.bmp", "en-tête"},
  };
  for (const auto& [name, words] : cases) {
    const auto defect = picture_defect(fixture(name));
    ASSERT_TRUE(defect.has_value()) << name;
    EXPECT_NE(defect->find(words), std::string::npos) << name << ": " << *defect;
  }
  const std::vector<std::uint8_t> zeros(4096), text = {'B', 'o', 'n', 'j', 'o', 'u', 'r'};
  for (const auto& bytes : {zeros, text})
    EXPECT_EQ(picture_defect(bytes).value_or(""), "ce fichier n'est pas une image BMP, PNG, JPEG ou GIF");
}

// The ends of a file drawn wrongly or refused wrongly before.
TEST(PictureCheck, FilesThatAreWholeAsTheirDecodersReadThem) {
  // An OS/2 BMP of one pixel is 30 bytes; stray bytes between two JPEG
  // segments are skipped by the decoder, which loses no pixel for them.
  for (const char* name : {"bmp/os2_1x1_30_bytes.bmp", "photo_64x48_stray_bytes.jpg"})
    EXPECT_EQ(picture_defect(fixture(name)), std::nullopt) << name;
  // Past 64 kB of them, the file is something else after its start.
  std::vector<std::uint8_t> strays = fixture("photo_64x48.jpg");
  strays.insert(strays.begin() + 20, 70000, 0x00);
  EXPECT_EQ(picture_defect(strays).value_or(""), "le fichier JPEG est endommagé");
  // A marker no decoder reads (reserved, a second start, a second frame)
  // is a damaged file, or other bytes after a valid start.
  for (const std::uint8_t marker : {0x02, 0xD8, 0xF3, 0xC0}) {
    std::vector<std::uint8_t> bytes = fixture("photo_64x48.jpg");
    bytes[marker == 0xC0 ? 290 : 3] = marker;  // the APP0 segment, or the last DHT
    EXPECT_EQ(picture_defect(bytes).value_or(""), "le fichier JPEG est endommagé") << int(marker);
  }
}

// 12-bit, lossless and hierarchical JPEG: the decoder reads none of them.
TEST(PictureCheck, JpegKindsTheDecoderDoesNotReadAreRefused) {
  const std::vector<std::uint8_t> photo = fixture("photo_64x48.jpg");
  constexpr std::size_t kFrameMarker = 159, kPrecision = 162;  // SOF0 at 158
  ASSERT_EQ(photo[kFrameMarker], 0xC0);
  const std::pair<std::size_t, std::uint8_t> cases[] = {
      {kPrecision, 12},     // 12 bits a sample
      {kFrameMarker, 0xC3},  // lossless
      {kFrameMarker, 0xC5},  // hierarchical
      {kFrameMarker, 0xCB},  // lossless, arithmetic
      {3, 0xDE},             // hierarchical: its first segment
  };
  for (const auto& [at, value] : cases) {
    std::vector<std::uint8_t> bytes = photo;
    bytes[at] = value;
    EXPECT_EQ(picture_defect(bytes).value_or(""), "ce type d'image JPEG n'est pas pris en charge") << int(value);
  }
}

// LZW codes that stop before the frame's last pixel, or name a string not
// yet made, leave pixels to be guessed.
TEST(PictureCheck, GifDataThatDoesNotGiveEveryPixelIsRefused) {
  EXPECT_EQ(picture_defect(fixture("damaged/photo_64x48_data_stops_early.gif")).value_or(""),
            "les données de l'image sont endommagées");
  // A 2x2 frame in 2-bit codes (clear 4, end 5), packed low bit first.
  const auto gif = [](std::uint8_t first, std::uint8_t second) {
    return std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                                     0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2, 2, first, second, 0, 0x3B};
  };
  const std::pair<std::vector<std::uint8_t>, const char*> cases[] = {
      {gif(0x84, 0x51), nullptr},  // clear, 0, 6 (the string 0 0), 0, end: four pixels
      {gif(0x44, 0x01), "les données de l'image sont endommagées"},  // clear, 0, end: one pixel
      {gif(0xC4, 0x0B), "les données de l'image sont endommagées"},  // clear, 0, 7: not made yet
  };
  for (const auto& [bytes, cause] : cases)
    EXPECT_EQ(picture_defect(bytes), cause ? std::optional<std::string>(cause) : std::nullopt);
}

TEST(FileReading, ReadsOnlyRegularFilesWhereAsked) {
  char tmpl[] = "/tmp/korvel-read-XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl;
  std::ofstream(dir + "/a.bin", std::ios::binary) << "abcdef";
  const RegularFile file(dir + "/a.bin");
  EXPECT_EQ(file.size(), 6u);
  EXPECT_EQ(file.read(2, 3), (std::vector<std::uint8_t>{'c', 'd', 'e'}));
  EXPECT_EQ(file.read(4, 100), (std::vector<std::uint8_t>{'e', 'f'}));
  EXPECT_TRUE(file.read(9, 3).empty());
  auto message = [](const std::string& path) {
    try {
      RegularFile opened(path);
    } catch (const EInOutError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_NE(message(dir).find("pas un fichier ordinaire"), std::string::npos);
  EXPECT_NE(message(dir + "/none").find("n'existe pas"), std::string::npos);
  // A pipe with no writer would block a plain read for ever.
  ASSERT_EQ(::mkfifo((dir + "/pipe.bmp").c_str(), 0600), 0);
  EXPECT_NE(message(dir + "/pipe.bmp").find("pas un fichier ordinaire"), std::string::npos);
  EXPECT_NE(message("/dev/zero").find("pas un fichier ordinaire"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace korvel
