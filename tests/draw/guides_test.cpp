// The guides: their rays pass where the copies of a drawn segment land, their
// mirror lines are mirrors of the copies, their marks sit at the clones'
// centres, and their pixels do not depend on the part of the screen painted.
#include "draw/guides.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <utility>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;
using Pixel = std::pair<int, int>;

// The pixels of the guides' rays of one kind (marks left out).
std::set<Pixel> pixels_rayons(Guides g, GenreRayon genre) {
  std::erase_if(g.rayons, [&](const RayonGuide& r) { return r.genre != genre; });
  g.marques.clear();
  std::set<Pixel> out;
  pour_chaque_pixel_guide(g, Rect{0, 0, g.largeur, g.hauteur}, [&](int x, int y, Teinte) { out.insert({x, y}); });
  return out;
}

// Within `d` pixels across and down of one of the pixels.
bool pres_de(const std::set<Pixel>& pixels, Pixel p, int d = 1) {
  for (int dy = -d; dy <= d; ++dy)
    for (int dx = -d; dx <= d; ++dx)
      if (pixels.count({p.first + dx, p.second + dy})) return true;
  return false;
}

// A window on a small black screen, pen 1 pixel wide, guides shown.
struct Fenetre {
  StartedForm f{400, 300};
  Fenetre() {
    f->Edit3.set_text("1");
    f->guides_visibles = true;
  }
  Guides guides() { return calcule_guides(*f->parametres_guides()); }
  // The pixels a segment lights in every copy, white on the black picture.
  std::set<Pixel> trace(TPoint p1, TPoint p2) {
    f.canvas().Brush.Color = clBlack;
    f.canvas().FillRect(0, 0, 400, 300);
    f->trace_symetrique(p1, p2, pmCopy, clWhite);
    std::set<Pixel> lit;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x)
        if (f.canvas().Pixels(x, y) == clWhite) lit.insert({x, y});
    return lit;
  }
  TPoint centre() const { return {f.form->centre_x, f.form->centre_y}; }
  // The point at distance r from the centre at angle a (sin a right, cos a down).
  TPoint a_distance(double r, double a) const {
    return {int(std::lround(centre().x + r * std::sin(a))), int(std::lround(centre().y + r * std::cos(a)))};
  }
};

struct CasSymetrie {
  const char* nom;
  Symetrie symetrie;
  const char* petales;
  bool spirale;
  double angle_trace;  // the drawn segment's direction from the centre
  GenreRayon genre;    // the rays it falls on
  int rayons;          // how many rays of that kind
  bool tous;           // whether each of them carries a copy
};

constexpr double kPi = std::numbers::pi;

TEST(Guides, TheRaysPassThroughThePixelsWhereTheCopiesLand) {
  const CasSymetrie cas[] = {
      {"rosace 6", Symetrie::rosace, "6", false, kPi, GenreRayon::petale, 6, true},
      {"rosace 7", Symetrie::rosace, "7", false, kPi, GenreRayon::petale, 7, true},
      {"Spirale 5", Symetrie::rosace, "5", true, kPi, GenreRayon::petale, 5, true},
      {"vitrail 6, petals", Symetrie::vitrail, "6", false, kPi, GenreRayon::petale, 6, true},
      {"vitrail 5, petals", Symetrie::vitrail, "5", false, kPi, GenreRayon::petale, 5, true},
      {"vitrail 6, mirror lines", Symetrie::vitrail, "6", false, kPi + kPi / 6, GenreRayon::miroir, 6, true},
      {"vitrail 5, mirror lines", Symetrie::vitrail, "5", false, kPi + kPi / 5, GenreRayon::miroir, 5, true},
      {"miroir vertical", Symetrie::miroir_vertical, "6", false, kPi, GenreRayon::miroir, 2, false},
      {"4 quarts, across", Symetrie::quatre_quarts, "6", false, kPi / 2, GenreRayon::miroir, 4, false},
      {"4 quarts, down", Symetrie::quatre_quarts, "6", false, 0, GenreRayon::miroir, 4, false},
  };
  for (const CasSymetrie& c : cas) {
    SCOPED_TRACE(c.nom);
    Fenetre w;
    w.f->RadioGroup_symetrie.set_choice(c.symetrie);
    w.f->Edit1.set_text(c.petales);
    w.f->CheckBox_spirale.set_checked(c.spirale);
    w.f->Edit4.set_text("3");
    w.f->Edit5.set_text("800");
    const Guides g = w.guides();
    ASSERT_EQ(std::count_if(g.rayons.begin(), g.rayons.end(), [&](const RayonGuide& r) { return r.genre == c.genre; }),
              c.rayons);
    const std::set<Pixel> rayons = pixels_rayons(g, c.genre);
    const std::set<Pixel> lit = w.trace(w.a_distance(30, c.angle_trace), w.a_distance(120, c.angle_trace));
    ASSERT_FALSE(lit.empty());
    // Every copy lies on a ray, outside the centre's mark...
    for (const Pixel& p : lit) {
      if (std::hypot(p.first - w.centre().x, p.second - w.centre().y) < 14) continue;
      EXPECT_TRUE(pres_de(rayons, p)) << p.first << ", " << p.second;
    }
    // ...and every ray of that kind carries a copy.
    for (const RayonGuide& r : g.rayons) {
      if (!c.tous || r.genre != c.genre) continue;
      Guides seul = g;
      seul.rayons = {r};
      const std::set<Pixel> pixels = pixels_rayons(seul, c.genre);
      EXPECT_TRUE(std::any_of(lit.begin(), lit.end(), [&](const Pixel& p) { return pres_de(pixels, p); }))
          << r.sx << ", " << r.sy;
    }
  }
}

// Any segment's copies are symmetric about each mirror line.
TEST(Guides, TheCopiesOfAnySegmentMirrorAboutTheMirrorLines) {
  for (const Symetrie s : {Symetrie::vitrail, Symetrie::miroir_vertical, Symetrie::quatre_quarts}) {
    for (const char* n : {"5", "8"}) {
      SCOPED_TRACE(int(s));
      Fenetre w;
      w.f->RadioGroup_symetrie.set_choice(s);
      w.f->Edit1.set_text(n);
      const Guides g = w.guides();
      const std::set<Pixel> lit = w.trace({w.centre().x + 25, w.centre().y - 70}, {w.centre().x + 60, w.centre().y - 40});
      for (const RayonGuide& r : g.rayons) {
        if (r.genre != GenreRayon::miroir) continue;
        for (const Pixel& p : lit) {
          const double dx = p.first - r.centre.x, dy = p.second - r.centre.y;
          const double along = dx * r.sx + dy * r.sy;
          const Pixel image{int(std::lround(r.centre.x + 2 * along * r.sx - dx)),
                            int(std::lround(r.centre.y + 2 * along * r.sy - dy))};
          // Each copy is rounded on its own: a pixel or two apart.
          ASSERT_TRUE(pres_de(lit, image, 2)) << p.first << ", " << p.second << " about " << r.sx << ", " << r.sy;
        }
      }
    }
  }
}

TEST(Guides, EachCloneCentreIsMarkedWhereItsCopiesLand) {
  for (const char* clones : {"3", "4", "1", "0", "-5", "100000"}) {
    SCOPED_TRACE(clones);
    Fenetre w;
    w.f->RadioGroup_symetrie.set_choice(Symetrie::unique);
    w.f->Edit6.set_text(clones);
    const Guides g = w.guides();
    EXPECT_TRUE(g.rayons.empty());
    // A dot at the centre: one pixel in every clone.
    const std::set<Pixel> lit = w.trace(w.centre(), {w.centre().x + 1, w.centre().y});
    std::set<Pixel> marques;
    for (const TPoint& m : g.marques)
      if (m.x >= 0 && m.x < 400) marques.insert({m.x, m.y});
    if (std::string(clones) == "-5") {
      // No clone is drawn at all: the centre alone is marked.
      EXPECT_TRUE(lit.empty());
      EXPECT_EQ(marques, (std::set<Pixel>{{w.centre().x, w.centre().y}}));
    } else {
      EXPECT_EQ(marques, lit);
    }
  }
}

TEST(Guides, WhatEachSymmetryShows) {
  const TPoint c{200, 150};
  const auto avec = [&](Symetrie s, std::int32_t n, std::int32_t tours, double facteur) {
    ParametresGuides p;
    p.centre = c;
    p.symetrie = s;
    p.petales = n;
    p.tours = tours;
    p.facteur = facteur;
    p.largeur = 400;
    p.hauteur = 300;
    return calcule_guides(p);
  };
  const auto compte = [](const Guides& g, GenreRayon genre) {
    return std::count_if(g.rayons.begin(), g.rayons.end(), [&](const RayonGuide& r) { return r.genre == genre; });
  };
  struct Cas {
    Symetrie s;
    std::int32_t n, tours;
    double facteur;
    long petales, miroirs;
  };
  const Cas cas[] = {
      {Symetrie::rosace, 4, 1, 1, 4, 0},       {Symetrie::rosace, 1, 1, 1, 1, 0},
      {Symetrie::vitrail, 4, 1, 1, 4, 4},      {Symetrie::vitrail, 1, 1, 1, 1, 1},
      {Symetrie::rosace, 0, 1, 1, 0, 0},       {Symetrie::rosace, -3, 1, 1, 0, 0},   // no copy, no ray
      {Symetrie::rosace, 6, 0, 0.5, 0, 0},     {Symetrie::vitrail, 6, -2, 0.5, 0, 0},
      {Symetrie::rosace, 5, 20, -0.9, 10, 0},  {Symetrie::rosace, 6, 20, -0.9, 3, 0},  // negative radii: opposite rays
      {Symetrie::rosace, 5, 20, 0, 1, 0},      // every later copy at the centre
      {Symetrie::rosace, kRayonsMax, 1, 1, kRayonsMax, 0},
      {Symetrie::rosace, kRayonsMax + 1, 1, 1, 0, 0},  // too many to show
      {Symetrie::miroir_vertical, 6, 1, 1, 0, 2}, {Symetrie::quatre_quarts, 6, 1, 1, 0, 4},
      {Symetrie::unique, 6, 1, 1, 0, 0},       {Symetrie(7), 6, 1, 1, 0, 0},
  };
  for (const Cas& k : cas) {
    SCOPED_TRACE(::testing::Message() << int(k.s) << " N " << k.n << " M " << k.tours << " f " << k.facteur);
    const Guides g = avec(k.s, k.n, k.tours, k.facteur);
    EXPECT_EQ(compte(g, GenreRayon::petale), k.petales);
    EXPECT_EQ(compte(g, GenreRayon::miroir), k.miroirs);
    EXPECT_EQ(g.marques, std::vector<TPoint>{c});
  }
  // The first petal goes straight up; the axes are exact.
  const Guides rosace = avec(Symetrie::rosace, 3, 1, 1);
  EXPECT_EQ(rosace.rayons.front().sx, 0);
  EXPECT_EQ(rosace.rayons.front().sy, -1);
  // Up to the edges, the centre's mark left clear: y = 150 - t, 150 + t.
  const int t0 = detail::kEcartCentre;
  EXPECT_EQ(pixels_rayons(avec(Symetrie::miroir_vertical, 1, 1, 1), GenreRayon::miroir).size(),
            std::size_t((150 - t0 + 1) + (149 - t0 + 1)));
}

// The pixels of any zone are those of the whole picture in that zone, with
// the same tones: a repaint of part of the screen matches its surroundings.
// Worked out once, kept by tiles, they are exactly those the rays and marks
// give directly there, each once with the tone that wins.
TEST(Guides, APartOfTheScreenGetsThePixelsOfTheWholeInItHoweverWorkedOut) {
  std::mt19937 random(11);
  for (int essai = 0; essai < 60; ++essai) {
    ParametresGuides p;
    p.largeur = 1 + int(random() % 500);
    p.hauteur = 1 + int(random() % 400);
    // The centre sometimes off the picture.
    p.centre = {int(random() % 700) - 150, int(random() % 600) - 150};
    p.symetrie = Symetrie(random() % 5);
    // Up to past the most rays shown, and spirals whose copies flip or stop.
    p.petales = essai % 10 == 0 ? kRayonsMax - int(random() % 3) + 1 : 1 + int(random() % 40);
    p.tours = 1 + int(random() % 3);
    p.facteur = double(int(random() % 5) - 2) / 2;
    if (random() % 2) p.clones = Clones{std::int64_t(random() % 4), std::int64_t(random() % 150)};
    const Guides g = calcule_guides(p);
    std::map<Pixel, Teinte> tout;
    pour_chaque_pixel_guide(g, Rect{-50, -50, 2000, 2000}, [&](int x, int y, Teinte t) {
      ASSERT_TRUE(x >= 0 && x < p.largeur && y >= 0 && y < p.hauteur);
      tout[{x, y}] = t;
    });
    const PixelsGuides une_fois(g);
    for (int z = 0; z < 20; ++z) {
      const int l = int(random() % 550) - 50, t = int(random() % 450) - 50;
      const Rect zone = z == 0 ? Rect{-10, -10, p.largeur + 10, p.hauteur + 10}
                               : Rect{l, t, l + int(random() % 150), t + int(random() % 150)};
      std::map<Pixel, Teinte> direct;
      pour_chaque_pixel_guide(g, zone, [&](int x, int y, Teinte te) { direct[{x, y}] = te; });
      std::map<Pixel, Teinte> attendu;
      for (const auto& [px, te] : tout)
        if (px.first >= zone.left && px.first < zone.right && px.second >= zone.top && px.second < zone.bottom)
          attendu[px] = te;
      ASSERT_EQ(direct, attendu) << "essai " << essai << " zone " << zone.left << ", " << zone.top;
      std::map<Pixel, Teinte> copie;
      une_fois.pour_chaque_pixel(zone, [&](int x, int y, Teinte te) {
        ASSERT_TRUE(copie.emplace(Pixel{x, y}, te).second) << "twice: " << x << ", " << y;
      });
      ASSERT_EQ(copie, direct) << "essai " << essai << " zone " << zone.left << ", " << zone.top;
      if (z == 0) {
        ASSERT_EQ(une_fois.empty(), direct.empty());
      }
    }
  }
}

TEST(Guides, TheyShowWhatTheFormChoosesAndFollowThePointerWhileTheCentreIsChosen) {
  Fenetre w;
  TForm1& f = *w.f;
  f.guides_visibles = false;
  EXPECT_EQ(f.parametres_guides(), std::nullopt);
  f.guides_visibles = true;
  f.Edit1.set_text("9");
  f.RadioGroup_symetrie.set_choice(Symetrie::vitrail);
  ParametresGuides p = *f.parametres_guides();
  EXPECT_EQ(p.petales, 9);
  EXPECT_EQ(p.symetrie, Symetrie::vitrail);
  EXPECT_EQ(p.centre, w.centre());
  EXPECT_EQ(p.largeur, 400);
  EXPECT_EQ(p.hauteur, 300);
  f.CheckBox_spirale.set_checked(true);
  f.Edit4.set_text("4");
  f.Edit5.set_text("-500");
  p = *f.parametres_guides();
  EXPECT_EQ(p.tours, 4);
  EXPECT_EQ(p.facteur, -0.5);
  f.Edit1.set_text("12-");  // a stroke would fail: no ray
  EXPECT_EQ(f.parametres_guides()->petales, 0);
  f.Edit1.set_text("12");
  EXPECT_EQ(f.parametres_guides()->petales, 12);
  // Key C: the guides follow the pointer until the release after the press.
  std::uint16_t key = 'C';
  f.FormKeyDown(key, 0);
  f.FormMouseMove(0, 50, 60);
  EXPECT_EQ(f.parametres_guides()->centre, (TPoint{50, 60}));
  f.FormMouseDown(mbLeft, 0, 70, 80);
  f.FormMouseUp(mbLeft, 0, 70, 80);
  f.FormMouseMove(0, 10, 20);
  EXPECT_EQ(f.parametres_guides()->centre, (TPoint{70, 80}));
}

}  // namespace
}  // namespace korvel
