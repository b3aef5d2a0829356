// The checks of a picture file against its own structure, on fixtures cut and forged
// the way damaged files come, and on whole files of every kind we write.
#include "platform/picture_check.h"

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

TEST(PictureCheck, WholeFilesPass) {
  for (const char* name : {"snapshot_64x48.bmp", "top_down_24bit_5x3.bmp", "rle8_4x2.bmp"})
    EXPECT_EQ(picture_defect(fixture(name)), std::nullopt) << name;
  Bitmap picture(1920, 3);
  EXPECT_EQ(picture_defect(encode_bmp(picture)), std::nullopt);
  EXPECT_EQ(picture_defect(fixture("red_3x2.png")), std::nullopt);
  // Other formats are left to their own readers.
  const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_EQ(picture_defect(gif), std::nullopt);
}

TEST(PictureCheck, FilesCutShortAreRefusedAsTruncated) {
  for (const char* name : {"snapshot_first_4000_bytes.bmp", "snapshot_half.bmp", "snapshot_one_byte_short.bmp",
                           "header_only.bmp", "file_header_only.bmp", "top_down_24bit_5x3_cut.bmp",
                           "rle8_4x2_cut.bmp", "offset_past_end.bmp"}) {
    const auto defect = picture_defect(fixture(name));
    ASSERT_TRUE(defect.has_value()) << name;
    EXPECT_NE(defect->find("tronqué"), std::string::npos) << name << ": " << *defect;
  }
  // A PNG cut short, or whose chunk claims more bytes than the file has (a
  // fuzz input that made the decoder reserve 457 MB).
  EXPECT_NE(picture_defect(fixture("red_3x2_cut.png")).value_or(""), "");
  std::ifstream in(std::string(KORVEL_TEST_DATA) + "/fuzz/picture/timeout-png-chunk-of-457mb", std::ios::binary);
  const std::vector<std::uint8_t> huge_chunk{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(huge_chunk.empty());
  EXPECT_EQ(picture_defect(huge_chunk).value_or(""), "le fichier est tronqué");
  // Every length short of a whole file is refused.
  const std::vector<std::uint8_t> whole = encode_bmp(Bitmap(3, 2));
  for (std::size_t n = 2; n < whole.size(); ++n)
    EXPECT_TRUE(picture_defect(std::span(whole).first(n)).has_value()) << n;
}

TEST(PictureCheck, ContradictoryHeadersAreRefusedInWords) {
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
}

TEST(FileReading, ReadsOnlyRegularFilesWithinTheBound) {
  char tmpl[] = "/tmp/korvel-read-XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl;
  std::ofstream(dir + "/a.bin", std::ios::binary) << "abcdef";
  EXPECT_EQ(read_whole_file(dir + "/a.bin", 6), (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e', 'f'}));
  auto message = [](auto&& call) {
    try {
      call();
    } catch (const EInOutError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_NE(message([&] { read_whole_file(dir + "/a.bin", 5); }).find("trop grand"), std::string::npos);
  EXPECT_NE(message([&] { read_whole_file(dir, 100); }).find("pas un fichier ordinaire"), std::string::npos);
  EXPECT_NE(message([&] { read_whole_file(dir + "/none", 100); }).find("n'existe pas"), std::string::npos);
  // A pipe with no writer would block a plain read for ever.
  ASSERT_EQ(::mkfifo((dir + "/pipe.bmp").c_str(), 0600), 0);
  EXPECT_NE(message([&] { read_whole_file(dir + "/pipe.bmp", 100); }).find("pas un fichier ordinaire"),
            std::string::npos);
  EXPECT_NE(message([&] { read_whole_file("/dev/zero", 100); }).find("pas un fichier ordinaire"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace korvel
