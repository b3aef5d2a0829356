// Blank pictures: on resize, on the two "New" buttons and on the key E.
#include "app/main_window.h"
#include "files/snapshot_writer.h"

namespace korvel {

namespace {

// Gives a control back its visibility however the scope is left.
class VisibilityRestorer {
 public:
  VisibilityRestorer(Control& c, bool visible) : m_control(c), m_visible(visible) {}
  ~VisibilityRestorer() { m_control.set_visible(m_visible); }
  VisibilityRestorer(const VisibilityRestorer&) = delete;
  VisibilityRestorer& operator=(const VisibilityRestorer&) = delete;

 private:
  Control& m_control;
  bool m_visible;
};

}  // namespace

void TForm1::FormResize() {
  nouvelle_image();
  Image1.canvas().Pen.Color = coul_crayon;
}

void TForm1::nouvelle_image() {
  {
    // The scroll box takes the whole client area while the panel is hidden.
    VisibilityRestorer restore_panel(Panel1, Panel1.visible());
    Panel1.set_visible(false);
    Image1.set_bounds(0, 0, ScrollBox1.width(), ScrollBox1.height());
    sauve_crayon();
    // Made in the background colour: the same picture as filling it after,
    // with one pass over the pixels instead of three (none for black).
    Image1.new_graphic(Image1.width(), Image1.height(), coul_fond);
    Canvas& canvas = Image1.canvas();
    canvas.Brush.Color = coul_fond;
    canvas.Pen.Color = clGreen;
    restaure_crayon();
  }
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::dessiner);
  desktop().set_cursor_pos({desktop().screen_width() / 2, desktop().screen_height() / 2});
}

void TForm1::nouveau_fond(TColor couleur) {
  coul_fond = couleur;
  nouvelle_image();
}

void TForm1::Panel_new_fond_noirClick() {
  nouveau_fond(0);
  record_frame(TimelapseFrame::next);
  desktop().set_cursor_pos({desktop().screen_width() / 2, desktop().screen_height() / 2});
  _ws();
}

void TForm1::Panel2Click() {
  nouveau_fond(0xFFFFFF);
  record_frame(TimelapseFrame::next);
  desktop().set_cursor_pos({desktop().screen_width() / 2, desktop().screen_height() / 2});
  _ws();
}

void TForm1::sauve_crayon() {
  const Canvas& canvas = Image1.canvas();
  style_brosse_sauve = canvas.Brush.Style;
  style_crayon_sauve = canvas.Pen.Style;
  largeur_crayon_sauve = canvas.Pen.Width;
}

void TForm1::restaure_crayon() {
  Canvas& canvas = Image1.canvas();
  canvas.Brush.Style = style_brosse_sauve;
  canvas.Pen.Style = style_crayon_sauve;
  canvas.Pen.Width = largeur_crayon_sauve;
}

}  // namespace korvel
