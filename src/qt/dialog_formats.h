#pragma once
// The platform texts that the file dialogs exchange with the behaviour: the
// file type filters.
#include <QStringList>
#include <string>

namespace korvel::qt {

// "images (*.bmp)|*.bmp|..." as Qt name filters ("images (*.bmp)", ...).
QStringList name_filters(const std::string& filter);
// The filters of the open dialog when the behaviour sets none: the picture
// formats the behaviour checks whole, then bitmaps, then any file.
QStringList picture_filters();

}  // namespace korvel::qt
