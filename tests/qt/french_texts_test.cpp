// Every dialog the program opens speaks French, whatever the locale: CTest
// runs this under LANG=C, en_US.UTF-8 and fr_FR.UTF-8.
#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <set>

#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

// Qt's English texts in these dialogs ("OK" and "Type" are French too).
const std::set<QString> kEnglish{"Yes", "No", "Cancel", "Open", "Save", "Look in:", "File name:", "Files of type:",
                                 "Back", "Forward", "Parent Directory", "Create New Folder", "List View",
                                 "Detail View", "Name", "Size", "Date Modified", "Basic colors", "Custom colors",
                                 "Add to Custom Colors", "Pick Screen Color", "Hue:", "Sat:", "Val:", "Red:",
                                 "Green:", "Blue:", "HTML:"};

// What a person reads in `dialog`: captions, labels, tooltips, column
// titles, list entries, without the mnemonics' "&".
std::set<QString> texts_of(QWidget& dialog) {
  std::set<QString> texts;
  const auto add = [&](QString t) {
    t.remove(QLatin1Char('&'));
    t = t.trimmed();
    if (!t.isEmpty()) texts.insert(t);
  };
  add(dialog.windowTitle());
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&dialog)) continue;
    add(w->toolTip());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) add(b->text());
    if (auto* l = qobject_cast<QLabel*>(w)) add(l->text());
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) add(c->itemText(i));
    if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
      for (int i = 0; i < h->count(); ++i) add(h->model()->headerData(i, h->orientation()).toString());
  }
  return texts;
}

// Runs `open`, which opens modal dialogs; records the texts of each and
// closes it with Escape.
std::vector<std::set<QString>> dialogs_opened_by(const std::function<void()>& open) {
  std::vector<std::set<QString>> seen;
  QPointer<QWidget> last;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == last) return;
    last = dialog;
    QApplication::processEvents();  // the file list and its columns filled in
    seen.push_back(texts_of(*dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  timer.start(20);
  open();
  return seen;
}

TEST(FrenchTexts, EveryDialogAndItsButtonsAndColumnsAreFrench) {
  StartedWindow w;
  struct Case {
    const char* what;
    std::function<void()> open;
    std::vector<std::set<QString>> expected;  // some of each dialog's French texts
  };
  TForm1& f = *w.form;
  const std::vector<Case> cases{
      {"Sauve", [&] { w.view->context().run([&] { f.Panel7Click(); }); },
       {{"OK"}, {"Enregistrer", "Annuler", "Nom de fichier :", "Nom", "Taille", "Dernière modification"}}},
      {"Ouvrir", [&] { w.view->context().run([&] { f.Panel5Click(); }); },
       {{"Ouvrir", "Annuler", "Voir dans :", "Nom", "Taille"}}},
      {"coul menu", [&] { w.view->context().run([&] { f.Panel4Click(); }); },
       {{"Couleurs de base", "Couleurs personnalisées", "Annuler"}}},
      {"Quit", [&] { w.view->context().run([&] { f.Panel_quitClick(); }); }, {{"Quitter ?", "Oui", "Non"}}},
  };
  for (const Case& c : cases) {
    const auto seen = dialogs_opened_by(c.open);
    ASSERT_EQ(seen.size(), c.expected.size()) << c.what;
    for (std::size_t k = 0; k < seen.size(); ++k) {
      for (const QString& t : seen[k]) EXPECT_FALSE(kEnglish.count(t)) << c.what << ": \"" << t.toStdString() << "\"";
      for (const QString& t : c.expected[k])
        EXPECT_TRUE(seen[k].count(t)) << c.what << ": no \"" << t.toStdString() << "\"";
    }
  }
  EXPECT_FALSE(f.terminated);
}

}  // namespace
}  // namespace korvel::qt::testing
