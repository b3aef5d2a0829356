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
