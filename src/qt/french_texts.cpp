#include "qt/french_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korvel::qt {

bool install_french_texts() {
  const QLocale french(QLocale::French, QLocale::France);
  QLocale::setDefault(french);
  // Owned by the application, so that it lives as long as the texts it gives.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace korvel::qt
