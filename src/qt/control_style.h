#pragma once
// What every control widget takes from its model: position, visibility,
// colours, font and hint; and the link from a widget back to its model.
#include <QPalette>
#include <QWidget>
#include <functional>

#include "platform/controls.h"

namespace korvel::qt {

// Marks `widget` as the one showing `model`.
void bind_model(QWidget& widget, Control& model);
// The model of the nearest bound widget at or above `widget`; nullptr if none.
Control* model_of(const QWidget* widget);

// Left, top, width, height and visibility.
void apply_bounds(QWidget& widget, const Control& model);
// The hint as a tooltip while the model shows hints; the accessible texts.
void apply_hint(QWidget& widget, const Control& model);
// What a screen reader says: the model's accessible name, else its caption,
// else its hint; the hint as the description when it is not the name.
QString accessible_name_of(const Control& model);
void apply_accessible_texts(QWidget& widget, const Control& model);
// The model's font (system sans-serif) and its colour as the text colour.
void apply_font(QWidget& widget, const Control& model);

// The smallest pixel size a control's font is lowered to.
constexpr int kSmallestFontPx = 7;
// Whether the widget's texts fit it in the font it now has.
using FitTest = std::function<bool()>;
// Sets `font` on `widget`, then lowers it a pixel at a time (down to
// kSmallestFontPx) while `fits` says the texts do not fit: a face wider than
// the one the panel was laid out for shrinks rather than losing letters.
// Returns whether the texts fit in the end.
bool fit_font(QWidget& widget, QFont font, const FitTest& fits);
// apply_font, with the model's font fitted as fit_font does.
bool apply_fitted_font(QWidget& widget, const Control& model, const FitTest& fits);
// The model's colour as the background of `role`; controls that take their
// parent's colour let it show through instead.
void apply_background(QWidget& widget, const Control& model, QPalette::ColorRole role);
// All of the above, with the background in the Window role.
void apply_common(QWidget& widget, const Control& model);

// Sets the model's observer to `refresh` and clears it when `widget` goes.
template <class Refresh>
void observe(QWidget& widget, Control& model, Refresh refresh) {
  model.observer = refresh;
  QObject::connect(&widget, &QObject::destroyed, [&model] { model.observer = nullptr; });
}

}  // namespace korvel::qt
