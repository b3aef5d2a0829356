// F3 typed into the window: the French save dialog, then the animation
// written by a worker while the window goes on, and its end shown over it.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <fstream>

#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

TEST(TimelapseKey, F3AsksWhereAndWritesTheAnimationWithoutHoldingTheWindow) {
  StartedWindow w;
  QWidget* picture = w.view->widget_for(w.form->Image1);
  drag(picture, {{100, 100}, {160, 130}, {200, 90}});
  const QString path = w.directory.filePath("film");
  std::string title, proposed;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !title.empty()) return;
    title = dialog->windowTitle().toStdString();
    proposed = dialog->selectedFiles().value(0).toStdString();
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  answerer.start(5);
  type_key(*w.view, Qt::Key_F3, QString());
  EXPECT_EQ(title, "Enregistrer le film de la création");
  EXPECT_NE(proposed.find("/korvel-"), std::string::npos) << proposed;
  // The window answers meanwhile; the end is shown at the top.
  auto* progress = w.view->findChild<QLabel*>(QStringLiteral("progress"));
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return progress->text().startsWith(QStringLiteral("Film de la création enregistré")); },
                              20000));
  EXPECT_TRUE(progress->isVisible());
  std::ifstream in(path.toStdString() + ".webp", std::ios::binary);
  std::string head(12, '\0');
  in.read(head.data(), 12);
  EXPECT_EQ(head.substr(0, 4), "RIFF");
  EXPECT_EQ(head.substr(8, 4), "WEBP");
}

}  // namespace
}  // namespace korvel::qt::testing
