#pragma once
// The program speaks French whatever the user's locale: the panel's texts
// are French, and so are Qt's own (the buttons of the boxes, the file and
// colour dialogs, their labels and column titles, their dates).

namespace korvel::qt {

// Installs Qt's French translations on the running application and makes
// French the default locale of its widgets. False when the translations are
// not installed (the package depends on them); the program goes on, with
// Qt's own texts in English.
bool install_french_texts();

}  // namespace korvel::qt
