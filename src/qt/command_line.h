#pragma once
// The command line: `korvel [FILE]`, --help and --version. Read before the
// application starts, so help and version need no display.
#include <QString>
#include <QStringList>
#include <optional>

namespace korvel::qt {

struct CommandLine {
  enum class Action { run, help, version, refuse };
  Action action = Action::run;
  // The picture to open once the window is up, as an absolute path; empty
  // for none.
  QString file;
  // For `refuse`: the one line for standard error.
  QString error;
};

// `arguments` as main() received them, the program's name first. A
// relative path is taken from `working_directory`; a file:// URI, as
// launchers pass it, stands for its local file.
CommandLine parse_command_line(const QStringList& arguments, const QString& working_directory);

// The French usage printed by --help: the options, the keys, the files.
QString usage_text();
// "korvel <version>", the version of the build.
QString version_text();

// What main() does with the line before any window: prints help, version or
// the error, and gives the exit status; nothing for `run`.
std::optional<int> answer_without_window(const CommandLine& line);

}  // namespace korvel::qt
