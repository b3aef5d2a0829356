// The parameter file: read at the first activation, written on a confirmed
// quit, checked on the file's bytes and on the controls.
#include "files/parameter_file.h"

#include <gtest/gtest.h>

#include "app/choices.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;


std::string crlf_lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// A started window whose parameter file holds `bytes` at its first
// activation.
struct FormWithFile : StartedForm {
  explicit FormWithFile(const std::string& bytes) : StartedForm(64, 48) {
    text_files.files[form->chemin_parametres()] = bytes;
    form->FormActivate();
  }
  std::string& file() { return text_files.files[form->chemin_parametres()]; }
};

std::string file_of(StartedForm& f) { return f.text_files.files[f->chemin_parametres()]; }

void quit_with(StartedForm& f, bool yes) {
  f.desktop.confirm_answers.push_back(yes);
  f->quitter();
}

TEST(ParameterFile, LivesBesideTheProgramOrInTheUsersConfigDirectory) {
  StartedForm f(64, 48);
  EXPECT_EQ(f->chemin_parametres(), f->rep_prog + "/korvel.prm");
  f.text_files.read_only_dirs.insert(f->rep_prog);
  EXPECT_EQ(f->chemin_parametres(), "/home/user/.config/korvel/korvel.prm");
  quit_with(f, true);
  EXPECT_EQ(f.text_files.made_dirs, std::vector<std::string>{"/home/user/.config/korvel"});
  EXPECT_TRUE(f.text_files.files.count("/home/user/.config/korvel/korvel.prm"));
}

TEST(ParameterFile, WithoutAFileTheDefaultsApplyAndAQuitWritesThem) {
  StartedForm f(64, 48);
  EXPECT_EQ(f->Edit3.text(), "10");
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), 0);
  EXPECT_EQ(f->RadioGroup_symetrie.item_index(), 0);
  EXPECT_FALSE(f->CheckBox_panel_disparait_auto.checked());
  EXPECT_EQ(f->Panel1.color(), RGB(255, 128, 64));
  EXPECT_EQ(f->Label_rep.caption(), f->rep_prog);
  EXPECT_EQ(f->Edit_nom_generique.text(), "image.bmp");
  EXPECT_EQ(f->focused_control, &f->Edit2);
  EXPECT_EQ(f.text_files.writes, 0);

  quit_with(f, true);
  std::string expected = "10\r\n0\r\n0\r\nfalse\r\n4227327\r\n" + f->rep_prog + "\r\nimage.bmp\r\n";
  for (int i = 0; i < 13; ++i) expected += "\r\n";
  EXPECT_EQ(file_of(f), expected);
  EXPECT_EQ(f.text_files.writes, 1);  // one pass, not seven rewrites
  EXPECT_EQ(f.desktop.terminations, 1);
}

TEST(ParameterFile, StoredSettingsReplaceTheStartValues) {
  FormWithFile f(crlf_lines({"7", "2", "3", "true", "255", "/home/u/Images", "fleur.bmp"}));
  EXPECT_EQ(f->Edit3.text(), "7");
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), 2);
  EXPECT_EQ(f->RadioGroup_symetrie.item_index(), 3);
  EXPECT_TRUE(f->CheckBox_panel_disparait_auto.checked());
  EXPECT_EQ(f->Panel1.color(), clRed);
  EXPECT_EQ(f->Label_rep.caption(), "/home/u/Images");
  EXPECT_EQ(f->Edit_nom_generique.text(), "fleur.bmp");
}

TEST(ParameterFile, MissingLinesTakeTheirDefaults) {
  FormWithFile six(crlf_lines({"3", "1", "2", "false", "65280", "/d"}));
  EXPECT_EQ(six->Label_rep.caption(), "/d");
  EXPECT_EQ(six->Edit_nom_generique.text(), "image.bmp");

  // Three lines, the last without its line end.
  FormWithFile three("4\r\n1\r\n4");
  EXPECT_EQ(three->Edit3.text(), "4");
  EXPECT_EQ(three->RadioGroup_type_trace.item_index(), 1);
  EXPECT_EQ(three->RadioGroup_symetrie.item_index(), 4);
  EXPECT_FALSE(three->CheckBox_panel_disparait_auto.checked());
  EXPECT_EQ(three->Panel1.color(), 4227327u);
  EXPECT_EQ(three->Label_rep.caption(), three->rep_prog);
  EXPECT_EQ(three->Edit_nom_generique.text(), "image.bmp");

  // An empty line 6 is the program's directory; LF alone ends lines too.
  FormWithFile empty6("1\n0\n0\nfalse\n4227327\n\nx.bmp\n");
  EXPECT_EQ(empty6->Label_rep.caption(), empty6->rep_prog);
  EXPECT_EQ(empty6->Edit_nom_generique.text(), "x.bmp");
}

TEST(ParameterFile, OnlyTheExactTextTrueTicksTheBox) {
  for (const char* line : {"True", "1", "TRUE", " true", "true "}) {
    FormWithFile f(crlf_lines({"1", "0", "0", line}));
    EXPECT_FALSE(f->CheckBox_panel_disparait_auto.checked()) << line;
  }
  FormWithFile f(crlf_lines({"1", "0", "0", "true"}));
  EXPECT_TRUE(f->CheckBox_panel_disparait_auto.checked());
}

TEST(ParameterFile, RadioGroupIndexesAreClamped) {
  FormWithFile high(crlf_lines({"1", "9", "7"}));
  EXPECT_EQ(high->RadioGroup_type_trace.item_index(), int(TypeTrace::delie_elliptique));
  EXPECT_EQ(high->RadioGroup_symetrie.item_index(), int(Symetrie::unique));
  FormWithFile low(crlf_lines({"1", "-3", "-1"}));
  EXPECT_EQ(low->RadioGroup_type_trace.item_index(), -1);
  EXPECT_EQ(low->RadioGroup_symetrie.item_index(), -1);
}

TEST(ParameterFile, ANumberLineThatIsNoNumberStopsTheReadingThere) {
  StartedForm f(64, 48);
  f.text_files.files[f->chemin_parametres()] = crlf_lines({"33", "2", "abc", "true", "255", "/d", "n.bmp"});
  f->focused_control = nullptr;
  try {
    f->FormActivate();
    FAIL() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' n'est pas une valeur entière correcte");
  }
  EXPECT_EQ(f->Edit3.text(), "33");
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), 2);
  EXPECT_EQ(f->RadioGroup_symetrie.item_index(), 0);
  EXPECT_FALSE(f->CheckBox_panel_disparait_auto.checked());
  EXPECT_EQ(f->Edit_nom_generique.text(), "image.bmp");
  EXPECT_EQ(f->focused_control, nullptr);  // the focus is not moved
}

TEST(ParameterFile, ALongerFileIsCutToTwentyLinesAndItsOtherLinesSurvive) {
  std::string bytes = crlf_lines({"5", "1", "1", "false", "255", "/d", "n.bmp"});
  for (int k = 8; k <= 25; ++k) bytes += "autre " + std::to_string(k) + "\r\n";
  FormWithFile f(bytes);
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::miroir_vertical));
  quit_with(f, true);
  const LignesParametres written = decoupe_parametres(f.file());
  EXPECT_EQ(written[2], "2");
  for (int k = 8; k <= 20; ++k) EXPECT_EQ(written[std::size_t(k - 1)], "autre " + std::to_string(k));
  EXPECT_EQ(std::count(f.file().begin(), f.file().end(), '\n'), 20);
  EXPECT_EQ(f.file().find("autre 21"), std::string::npos);
}

TEST(ParameterFile, NoToQuitterReadsAndWritesNothing) {
  StartedForm f(64, 48);
  const int reads = f.text_files.reads;
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::quatre_quarts));
  quit_with(f, false);
  EXPECT_EQ(f.text_files.reads, reads);
  EXPECT_EQ(f.text_files.writes, 0);
  EXPECT_EQ(f->RadioGroup_symetrie.item_index(), int(Symetrie::quatre_quarts));
  EXPECT_EQ(f.desktop.terminations, 0);
}

TEST(ParameterFile, AFileThatCannotBeWrittenIsLostWithoutAWordAndTheProgramEnds) {
  StartedForm f(64, 48);
  f.text_files.fail_writes = true;
  quit_with(f, true);
  EXPECT_TRUE(f.desktop.errors.empty());
  EXPECT_TRUE(f.desktop.messages.empty());
  EXPECT_EQ(f.desktop.terminations, 1);
}

TEST(ParameterFile, OnePassWritesTheBytesOfTheSevenRewrites) {
  // Another hand's file: Windows-1252, 23 lines, LF ends, odd lines 8+.
  std::string bytes = "2\n1\n1\ntrue\n255\n/r\xe9p\nn.bmp\n";
  for (int k = 8; k <= 23; ++k) bytes += "x\xe8" + std::to_string(k) + (k % 2 ? "\r\n" : "\n");
  FormWithFile f(bytes);
  f->Edit3.set_text("14");
  f->RadioGroup_type_trace.set_item_index(3);
  f->Label_rep.set_caption("/home/u/Été");

  testing::MemoryTextFiles seven;
  const std::string path = f->chemin_parametres();
  seven.files[path] = bytes;
  const std::string values[] = {"14", "3", IntToStr(f->RadioGroup_symetrie.item_index()), "true", "255",
                                "/home/u/Été", "n.bmp"};
  for (int k = 1; k <= 7; ++k) ecrire_param(seven, f.desktop, values[k - 1], path, k);
  EXPECT_EQ(seven.writes, 7);

  quit_with(f, true);
  EXPECT_EQ(f.file(), seven.files[path]);
  EXPECT_NE(f.file().find("x\xc3\xa8" "8\r\n"), std::string::npos);  // è now in UTF-8
}

TEST(ParameterFile, OldFilesInWindows1252AreReadAsSuch) {
  FormWithFile f(crlf_lines({"1", "0", "0", "false", "255", "C:\\Mes images", "\xe9t\xe9.bmp"}));
  EXPECT_EQ(f->Edit_nom_generique.text(), "été.bmp");
  FormWithFile utf8(crlf_lines({"1", "0", "0", "false", "255", "/d", "été.bmp"}));
  EXPECT_EQ(utf8->Edit_nom_generique.text(), "été.bmp");
}

TEST(ParameterFile, JunkGivesTheDefaultsWithoutCrashOrHang) {
  FormWithFile binary(std::string("7\r\n2\0\x01\xff\r\n3\r\n", 12));
  EXPECT_EQ(binary->Edit3.text(), "10");
  EXPECT_EQ(binary->RadioGroup_type_trace.item_index(), 0);

  FormWithFile long_line(crlf_lines({"1", "0", "0", "false", "255", "/d", std::string(100000, 'a')}));
  EXPECT_EQ(long_line->Edit_nom_generique.text(), "image.bmp");

  FormWithFile huge("3\r\n" + std::string(kTailleMaxParametres, 'z'));
  EXPECT_EQ(huge->Edit3.text(), "10");

  StartedForm unreadable(64, 48);
  unreadable.text_files.files[unreadable->chemin_parametres()] = crlf_lines({"3"});
  unreadable.text_files.unreadable.insert(unreadable->chemin_parametres());
  unreadable->FormActivate();
  EXPECT_EQ(unreadable->Edit3.text(), "10");
}

TEST(ParameterFile, AValueWithALineBreakIsStoredEmpty) {
  StartedForm f(64, 48);
  f->Label_rep.set_caption("/tmp/a\nb");
  quit_with(f, true);
  const LignesParametres lines = decoupe_parametres(file_of(f));
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "image.bmp");
}

TEST(ParameterFile, LinesReadOneByOne) {
  testing::MemoryTextFiles files;
  files.files["/p"] = "a\r\n\r\nc";
  EXPECT_EQ(lire_param(files, "/p", 1), "a");
  EXPECT_EQ(lire_param(files, "/p", 2), "");
  EXPECT_EQ(lire_param_defaut(files, "/p", 2, "d"), "d");
  EXPECT_EQ(lire_param(files, "/p", 3), "c");
  EXPECT_EQ(lire_param(files, "/p", 4), "");
  EXPECT_EQ(lire_param(files, "/none", 1), "");
  EXPECT_EQ(bool_en_texte(true), "true");
  EXPECT_EQ(bool_en_texte(false), "false");
}

TEST(ParameterFile, ALineAboveTwentyIsRefusedWithTheMessage) {
  testing::MemoryTextFiles files;
  testing::FakeDesktop desktop;
  ecrire_param(files, desktop, "v", "/p", 21);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], " max_parametre = 20\n augmenter ce nombre dans le source...");
  EXPECT_EQ(files.writes, 0);
  ecrire_param(files, desktop, "v", "/p", 20);
  EXPECT_EQ(decoupe_parametres(files.files["/p"])[19], "v");
}

}  // namespace
}  // namespace korvel
