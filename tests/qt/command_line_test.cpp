// The command line as a launcher or a person types it.
#include <gtest/gtest.h>

#include "qt/command_line.h"

namespace korvel::qt::testing {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, FilesOptionsAndMistakes) {
  struct Case {
    QStringList arguments;
    Action action;
    QString file_or_error;  // the file for `run`, a part of the line for `refuse`
  };
  const Case cases[] = {
      {{}, Action::run, ""},
      {{"picture.png"}, Action::run, "/w/sub/picture.png"},
      {{"../picture.png"}, Action::run, "/w/picture.png"},
      {{"/tmp/a b.bmp"}, Action::run, "/tmp/a b.bmp"},
      {{"file:///tmp/a%20b%C3%A9.png"}, Action::run, "/tmp/a bé.png"},
      {{"--", "-dash.png"}, Action::run, "/w/sub/-dash.png"},
      {{"-h"}, Action::help, ""},
      {{"--help"}, Action::help, ""},
      {{"--version"}, Action::version, ""},
      {{"picture.png", "--help"}, Action::help, ""},
      {{"--bogus"}, Action::refuse, "option inconnue « --bogus »"},
      {{"-platform", "xcb"}, Action::refuse, "option inconnue « -platform »"},
      {{"--style=none"}, Action::refuse, "option inconnue « --style=none »"},
      {{"a.png", "b.png"}, Action::refuse, "un seul fichier à la fois, 2 donnés"},
  };
  for (const Case& c : cases) {
    const CommandLine line = parse_command_line(QStringList{"korvel"} + c.arguments, "/w/sub");
    const QString what = c.arguments.join(' ');
    EXPECT_EQ(line.action, c.action) << what.toStdString();
    if (c.action == Action::refuse) {
      EXPECT_TRUE(line.error.startsWith("korvel : ")) << line.error.toStdString();
      EXPECT_TRUE(line.error.contains(c.file_or_error)) << line.error.toStdString();
      EXPECT_FALSE(line.error.contains('\n'));
    } else {
      EXPECT_EQ(line.file, c.file_or_error) << what.toStdString();
    }
  }
}

TEST(CommandLine, HelpAndVersionAnswerWithoutAWindow) {
  EXPECT_EQ(answer_without_window({Action::help, {}, {}}), 0);
  EXPECT_EQ(answer_without_window({Action::version, {}, {}}), 0);
  EXPECT_EQ(answer_without_window({Action::refuse, {}, "korvel : option inconnue"}), 2);
  EXPECT_EQ(answer_without_window({Action::run, "/w/a.png", {}}), std::nullopt);
  // The options, the keys and where the files are.
  for (const char* part : {"--help", "--version", "FICHIER", "F8", "Échap", "korvel.prm", "~100.bmp"})
    EXPECT_TRUE(usage_text().contains(QString::fromUtf8(part))) << part;
  EXPECT_TRUE(version_text().startsWith("korvel "));
}

}  // namespace
}  // namespace korvel::qt::testing
