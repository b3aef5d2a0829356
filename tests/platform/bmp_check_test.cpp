// The checks of a BMP against its own header, on fixtures cut and forged
// the way damaged files come, and on whole files of every kind we write.
#include "platform/bmp_check.h"

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

TEST(BmpCheck, WholeFilesPass) {
  for (const char* name : {"snapshot_64x48.bmp", "top_down_24bit_5x3.bmp", "rle8_4x2.bmp"})
    EXPECT_EQ(bmp_defect(fixture(name)), std::nullopt) << name;
  Bitmap picture(1920, 3);
  EXPECT_EQ(bmp_defect(encode_bmp(picture)), std::nullopt);
  // Other formats are left to their own readers.
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G'};
  EXPECT_EQ(bmp_defect(png), std::nullopt);
}

TEST(BmpCheck, FilesCutShortAreRefusedAsTruncated) {
  for (const char* name : {"snapshot_first_4000_bytes.bmp", "snapshot_half.bmp", "snapshot_one_byte_short.bmp",
                           "header_only.bmp", "file_header_only.bmp", "top_down_24bit_5x3_cut.bmp",
                           "rle8_4x2_cut.bmp", "offset_past_end.bmp"}) {
    const auto defect = bmp_defect(fixture(name));
    ASSERT_TRUE(defect.has_value()) << name;
    EXPECT_NE(defect->find("tronqué"), std::string::npos) << name << ": " << *defect;
  }
  // Every length short of a whole file is refused.
  const std::vector<std::uint8_t> whole = encode_bmp(Bitmap(3, 2));
  for (std::size_t n = 2; n < whole.size(); ++n)
    EXPECT_TRUE(bmp_defect(std::span(whole).first(n)).has_value()) << n;
}

TEST(BmpCheck, ContradictoryHeadersAreRefusedInWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"negative_width.bmp", "dimensions"},       {"zero_height.bmp", "dimensions"},
      {"depth_7.bmp", "profondeur de couleur"},   {"huge_dimensions.bmp", "trop grande"},
      {"bad_info_size.bmp", "en-tête"},
  };
  for (const auto& [name, words] : cases) {
    const auto defect = bmp_defect(fixture(name));
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
