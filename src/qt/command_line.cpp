#include "qt/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QUrl>
#include <cstdio>

namespace korvel::qt {

namespace {

const QString kHelpHint = QStringLiteral(" ; korvel --help donne l'aide.");

// The argument as typed that QCommandLineParser found unknown under `name`:
// a single dash takes a whole word, as Qt's own -platform did.
QString typed_option(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--")) break;
    const QString bare = argument.section(QLatin1Char('='), 0, 0);
    if (bare == QLatin1Char('-') + name || bare == QLatin1String("--") + name) return argument;
  }
  return QLatin1Char('-') + name;
}

QString local_path(const QString& argument, const QString& working_directory) {
  if (argument.startsWith(QLatin1String("file:"))) {
    const QUrl url(argument);
    if (url.isLocalFile()) return QDir::cleanPath(url.toLocalFile());
  }
  return QDir::cleanPath(QDir(working_directory).absoluteFilePath(argument));
}

}  // namespace

CommandLine parse_command_line(const QStringList& arguments, const QString& working_directory) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOption(help);
  parser.addOption(version);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    const QString what = unknown.isEmpty()
                             ? parser.errorText()
                             : QStringLiteral("option inconnue « %1 »").arg(typed_option(arguments, unknown.first()));
    return {CommandLine::Action::refuse, {}, QStringLiteral("korvel : ") + what + kHelpHint};
  }
  if (parser.isSet(help)) return {CommandLine::Action::help, {}, {}};
  if (parser.isSet(version)) return {CommandLine::Action::version, {}, {}};
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    return {CommandLine::Action::refuse, {},
            QStringLiteral("korvel : un seul fichier à la fois, %1 donnés").arg(files.size()) + kHelpHint};
  }
  if (files.isEmpty()) return {};
  return {CommandLine::Action::run, local_path(files.first(), working_directory), {}};
}

QString usage_text() {
  return QStringLiteral(
      "Utilisation : korvel [FICHIER]\n"
      "Jouet de dessin symétrique en plein écran : chaque trait tracé à la souris\n"
      "est répété autour d'un centre mobile.\n"
      "\n"
      "  FICHIER      image ouverte au démarrage, comme par « Ouvrir » (BMP, PNG,\n"
      "               JPEG ou GIF ; un chemin ou une URI file://)\n"
      "  -h, --help   affiche cette aide et quitte\n"
      "  --version    affiche la version et quitte\n"
      "\n"
      "Touches :\n"
      "  Échap, F12   quitter (« Quitter ? »)      espace     panneau caché ou montré\n"
      "  F1           aide                          F8, F9     trait précédent, suivant\n"
      "  E            efface l'image                C          choisit un nouveau centre\n"
      "  P            peint les zones fermées       K          coloriage au hasard\n"
      "  M            musique\n"
      "  Panneau caché : 1 à 0, q s d f g h les seize modes du crayon, w x l'épaisseur.\n"
      "\n"
      "Fichiers :\n"
      "  réglages     $XDG_CONFIG_HOME/korvel/korvel.prm (~/.config/korvel)\n"
      "  dix traits   $XDG_STATE_HOME/korvel/~100.bmp à ~109.bmp (~/.local/state/korvel)\n"
      "  Un programme lancé hors des répertoires du système, d'un répertoire où il\n"
      "  peut écrire, les garde à côté de lui.\n"
      "\n"
      "Voir aussi : man korvel\n");
}

QString version_text() { return QStringLiteral("korvel " KORVEL_VERSION); }

std::optional<int> answer_without_window(const CommandLine& line) {
  const auto print = [](std::FILE* stream, const QString& text) { std::fputs(text.toUtf8().constData(), stream); };
  switch (line.action) {
    case CommandLine::Action::run:
      return std::nullopt;
    case CommandLine::Action::help:
      print(stdout, usage_text());
      return 0;
    case CommandLine::Action::version:
      print(stdout, version_text() + QLatin1Char('\n'));
      return 0;
    case CommandLine::Action::refuse:
      print(stderr, line.error + QLatin1Char('\n'));
      return 2;
  }
  return 2;
}

}  // namespace korvel::qt
