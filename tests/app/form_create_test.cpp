// The window after start-up, on screens of several widths.
#include <gtest/gtest.h>

#include <cmath>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

TEST(FormCreate, StartValuesOnAFullHdScreen) {
  StartedForm f(1920, 1080);
  EXPECT_EQ(f->centre_x, 960);
  EXPECT_EQ(f->centre_y, 540);
  EXPECT_EQ(f->coul_crayon, 0x008000u);
  EXPECT_EQ(f->coul_crayon_prec, 0x008000u);
  EXPECT_EQ(f->coul_peinture, 0xFFFF00u);
  EXPECT_EQ(f->coul_fond, 0u);
  EXPECT_EQ(f->coul_menu, 0x4080FFu);
  EXPECT_EQ(f->coul_aide, 0xBEE496u);
  EXPECT_EQ(f->mode_crayon, pmCopy);
  EXPECT_EQ(f->ComboBox1.item_index(), 0);
  EXPECT_FALSE(f->trace_en_cours || f->choix_centre || f->ligne_en_cours);
  EXPECT_FALSE(f->menu_a_cacher || f->menu_descend);
  EXPECT_EQ(f->nb_clones, 1);
  EXPECT_EQ(f->ellipse_nb, 0);
  EXPECT_EQ(f->ellipse_ctrl_x, -50);
  EXPECT_EQ(f->ellipse_ctrl_y, -50);
  EXPECT_EQ(f->Label1.caption(), "");
}

TEST(FormCreate, StartSelectionsAndSwatches) {
  StartedForm f;
  EXPECT_EQ(f->RadioGroup_couleur_crayon.item_index(), 0);
  EXPECT_EQ(f->RadioGroup_couleur_peinture.item_index(), 0);
  EXPECT_EQ(f->RadioGroup_symetrie.item_index(), 0);
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), 0);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 0);
  EXPECT_EQ(f->RadioGroup_coul_type.item_index(), 0);
  EXPECT_EQ(f->Panel_crayon.color(), 0x008000u);
  EXPECT_EQ(f->Panel9.color(), 0x008000u);
  EXPECT_EQ(f->Panel_peinture.color(), 0xFFFF00u);
  EXPECT_EQ(f->Panel10.color(), clRed);
  EXPECT_EQ(f->Panel1.color(), 0x4080FFu);
  for (Panel* p : {&f->Panel_quit, &f->Panel3, &f->Panel4, &f->Panel5, &f->Panel7, &f->Panel6, &f->Panel11,
                   &f->Panel13, &f->Panel12, &f->Panel_stop, &f->Panel8})
    EXPECT_EQ(p->color(), 0xBEE496u) << p->name();
  // Labels and groups show the panel's colour through them.
  EXPECT_EQ(f->Label7.color(), 0x4080FFu);
  EXPECT_EQ(f->RadioGroup_symetrie.color(), 0x4080FFu);
}

TEST(FormCreate, PanelDockedAtTheBottomAndHelpCentredAndHidden) {
  StartedForm f(1920, 1080);
  EXPECT_TRUE(f->Panel1.visible());
  EXPECT_EQ(f->Panel1.align(), alBottom);
  EXPECT_EQ(f->Panel1.top(), 1080 - 132);
  EXPECT_EQ(f->Panel1.width(), 1920);
  EXPECT_EQ(f->top_menu, 1080 - 132);
  EXPECT_FALSE(f->Panel8.visible());
  EXPECT_EQ(f->Panel8.left(), (1920 - 401) / 2);
  EXPECT_EQ(f->Panel8.top(), (1080 - 425) / 2);
  EXPECT_EQ(f->Memo1.lines().size(), 25u);
  EXPECT_EQ(f->Memo1.lines().front(), "  Echap ou F1=> sortie");
  EXPECT_EQ(f->Memo1.lines().back(), "la touche ²  permet de remettre à 1 le type de coloriage");
}

TEST(FormCreate, PictureIsBlackAndCoversTheWholeScreen) {
  StartedForm f(800, 600);
  const Canvas& c = f.canvas();
  ASSERT_EQ(c.width(), 800);
  ASSERT_EQ(c.height(), 600);
  for (int y : {0, 299, 599})
    for (int x : {0, 400, 799}) EXPECT_EQ(c.Pixels(x, y), clBlack);
  EXPECT_EQ(c.Pen.Color, 0x008000u);
  EXPECT_EQ(c.Pen.Mode, pmCopy);
}

TEST(FormCreate, HistoryLabelsAndDirectories) {
  StartedForm f;
  EXPECT_EQ(f->indice_fic, -1);
  EXPECT_EQ(f->max_fic, -1);
  EXPECT_EQ(f->Label8.caption(), "-1/-1");
  EXPECT_EQ(f->Label9.caption(), " -> -1/-1");
  EXPECT_EQ(f->nom_fic, "");
  const std::string dir = std::filesystem::path(StartedForm::default_program_path()).parent_path().string();
  EXPECT_EQ(f->rep_prog, dir);
  EXPECT_EQ(f->Label_rep.caption(), dir);
  EXPECT_EQ(f->rep_instantanes, dir);
}

TEST(FormCreate, QuarterWaveTables) {
  StartedForm f;
  EXPECT_EQ(f->table_sin[0], 0.0L);
  EXPECT_EQ(f->table_cos[0], 1.0L);
  EXPECT_NEAR(double(f->table_sin[181]), 1.0, 1e-18);
  EXPECT_NEAR(double(f->table_cos[181]), 0.0, 1e-18);
  // Step i is i quarter-turns / 181: sin(90 pi / 362) = 0.70403184451812104...
  EXPECT_NEAR(double(f->table_sin[90]), 0.704031844518121043, 1e-15);
  for (std::size_t i = 0; i <= 181; ++i) {
    EXPECT_NEAR(double(f->table_sin[i]), double(f->table_cos[181 - i]), 1e-18) << i;
    if (i > 0) {
      EXPECT_GT(f->table_sin[i], f->table_sin[i - 1]) << i;
    }
  }
}

TEST(FormCreate, CustomColoursOfTheColourDialog) {
  StartedForm f;
  const auto& boxes = f->ColorDialog1_CustomColors;
  EXPECT_EQ(boxes[0], RGB(255, 128, 64));  // the menu colour at start-up
  EXPECT_EQ(boxes[1], 0xDAFEE7u);
  EXPECT_EQ(boxes[4], RGB(253, 234, 225));
  EXPECT_EQ(boxes[10], RGB(100, 193, 255));
  EXPECT_EQ(boxes[15], RGB(245, 216, 176));
}

TEST(FormActivate, PutsTheFocusOnTheTrap) {
  StartedForm f;
  EXPECT_EQ(f->focused_control, &f->Edit2);
}

struct ShiftCase {
  int screen_width;
  int shift;
};

class PanelShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(PanelShift, EveryControlMovesByTheSameAmount) {
  const auto [screen_width, shift] = GetParam();
  StartedForm f(screen_width, 768);
  EXPECT_EQ(f->Panel_new_fond_noir.left(), 8 + shift);
  EXPECT_EQ(f->Label10.left(), 9 + shift);
  EXPECT_EQ(f->Panel_quit.left(), 1156 + shift);
  EXPECT_EQ(f->Panel4.left(), 1294 + shift);
  EXPECT_EQ(f->ComboBox1.left(), 677 + shift);
  EXPECT_EQ(f->Panel_quit.top(), 22);
  EXPECT_EQ(f->Panel1.width(), screen_width);
  // Children of the help panel do not move.
  EXPECT_EQ(f->SpeedButton_exit_help.left(), 367);
}

INSTANTIATE_TEST_SUITE_P(Screens, PanelShift,
                         ::testing::Values(ShiftCase{1024, -176}, ShiftCase{1377, 0}, ShiftCase{1920, 271},
                                           ShiftCase{1376, 0}, ShiftCase{1375, -1}));

}  // namespace
}  // namespace korvel
