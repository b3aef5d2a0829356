#include "qt/qt_desktop.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include "platform/dispatch.h"
#include "qt/dialog_formats.h"
#include "qt/qt_convert.h"
#include "qt/view_context.h"

namespace korvel::qt {

namespace {

const QString kTitle = QStringLiteral("Korvel");

std::optional<std::string> run_file_dialog(QFileDialog& dialog, const PictureDialogOptions& o) {
  // Qt's own dialog, French like the rest: a desktop's native one speaks the
  // locale's language.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (!o.default_ext.empty()) dialog.setDefaultSuffix(to_qstring(o.default_ext));
  if (!o.file_name.empty()) dialog.selectFile(to_qstring(o.file_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return to_std(dialog.selectedFiles().constFirst());
}

}  // namespace

QtDesktop::QtDesktop(QScreen* start_screen) : m_start_screen(start_screen) {}

void QtDesktop::attach(DesktopView view) { m_view = std::move(view); }

void QtDesktop::detach() {
  m_hold.reset();
  m_view = DesktopView{};
}

QScreen* QtDesktop::screen() const {
  if (m_view.window && m_view.window->screen()) return m_view.window->screen();
  if (m_start_screen) return m_start_screen;
  return QGuiApplication::primaryScreen();
}

QWidget* QtDesktop::dialog_parent() const { return m_view.window; }

int QtDesktop::screen_width() const {
  const QScreen* s = screen();
  return s ? s->geometry().width() : 0;
}

int QtDesktop::screen_height() const {
  const QScreen* s = screen();
  return s ? s->geometry().height() : 0;
}

// Positions are relative to the window's screen, which the window covers.
TPoint QtDesktop::cursor_pos() const {
  QScreen* s = screen();
  const QPoint origin = s ? s->geometry().topLeft() : QPoint();
  const QPoint p = QCursor::pos(s) - origin;
  return {p.x(), p.y()};
}

void QtDesktop::set_cursor_pos(TPoint p) {
  // Wayland lets no client move the pointer: asking only earns a warning.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
  QScreen* s = screen();
  const QPoint origin = s ? s->geometry().topLeft() : QPoint();
  QCursor::setPos(s, origin + QPoint(p.x, p.y));
}

void QtDesktop::set_cursor(TCursor c) {
  m_cursor = c;
  if (c == crCross || c == crHourGlass) {
    const QCursor shape(c == crCross ? Qt::CrossCursor : Qt::WaitCursor);
    if (m_override_cursor)
      QGuiApplication::changeOverrideCursor(shape);
    else
      QGuiApplication::setOverrideCursor(shape);
    m_override_cursor = true;
  } else if (m_override_cursor) {
    // Arrow and default: every widget shows its own cursor again.
    QGuiApplication::restoreOverrideCursor();
    m_override_cursor = false;
  }
}

bool QtDesktop::confirm(const std::string& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), to_qstring(text),
                  QMessageBox::Yes | QMessageBox::No, dialog_parent());
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void QtDesktop::show_message(const std::string& text) {
  QMessageBox box(QMessageBox::Information, kTitle, to_qstring(text), QMessageBox::Ok, dialog_parent());
  box.exec();
}

void QtDesktop::report_error(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, kTitle, to_qstring(text), QMessageBox::Ok, dialog_parent());
  box.exec();
}

std::optional<TColor> QtDesktop::choose_colour(TColor start, CustomColours& custom) {
  for (std::size_t i = 0; i < custom.size(); ++i) QColorDialog::setCustomColor(int(i), to_qcolor(custom[i]));
  QColorDialog dialog(to_qcolor(start), dialog_parent());
  dialog.setWindowTitle(QStringLiteral("Couleurs"));
  // Qt's own dialog: native ones may have no custom colour boxes.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  // Rejected covers Cancel, Escape and the window's close button.
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  // The boxes the user edited are kept, confirmed or not.
  for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = to_tcolor(QColorDialog::customColor(int(i)));
  if (!confirmed) return std::nullopt;
  return to_tcolor(dialog.selectedColor());
}

std::optional<std::string> QtDesktop::save_picture(const PictureDialogOptions& o) {
  QFileDialog dialog(dialog_parent(), to_qstring(o.title), to_qstring(o.initial_dir));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = name_filters(o.filter);
  dialog.setNameFilters(filters.isEmpty() ? picture_filters() : filters);
  return run_file_dialog(dialog, o);
}

std::optional<std::string> QtDesktop::open_picture(const PictureDialogOptions& o) {
  QFileDialog dialog(dialog_parent(), to_qstring(o.title), to_qstring(o.initial_dir));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QStringList filters = name_filters(o.filter);
  dialog.setNameFilters(filters.isEmpty() ? picture_filters() : filters);
  return run_file_dialog(dialog, o);
}

void QtDesktop::show_progress(const std::string& text) {
  QWidget* window = m_view.window;
  if (!window) return;
  if (!m_progress) {
    m_progress = new QLabel(window);
    m_progress->setObjectName(QStringLiteral("progress"));
    // Readable over any picture; clicks go through to the picture.
    m_progress->setStyleSheet(QStringLiteral("QLabel { background: rgba(20, 20, 20, 200); color: white;"
                                             " padding: 6px 12px; border-radius: 4px; }"));
    m_progress->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_progress_timer.setSingleShot(true);
    QObject::connect(&m_progress_timer, &QTimer::timeout, m_progress, &QWidget::hide);
  }
  m_progress_timer.stop();
  m_progress->setText(to_qstring(text));
  m_progress->adjustSize();
  m_progress->move((window->width() - m_progress->width()) / 2, 12);
  m_progress->raise();
  m_progress->show();
}

void QtDesktop::end_progress(const std::string& text) {
  if (!m_progress) return;
  if (text.empty()) {
    m_progress->hide();
    return;
  }
  show_progress(text);
  m_progress_timer.start(5000);
}

void QtDesktop::begin_run() {
  // A run inside a run is part of it: the outermost one holds.
  if (m_runs++ > 0 || !m_view.context || !QCoreApplication::instance()) return;
  m_hold = std::make_unique<InputHold>(*m_view.context, m_view.stop);
}

void QtDesktop::end_run() {
  if (m_runs == 0 || --m_runs > 0 || !m_hold) return;
  m_kept.append(m_hold->take_kept());
  m_hold.reset();
  // The handler that started the run may still open boxes: the kept input
  // waits for its end.
  if (m_view.context->depth() == 0) m_kept.deliver();
}

void QtDesktop::poll() {
  if (m_hold) return m_hold->poll();
  // Outside a run, the poll is a run of its own.
  begin_run();
  if (m_hold) m_hold->poll();
  end_run();
}

void QtDesktop::flush_keyboard() { poll(); }

void QtDesktop::let_stop_through() { poll(); }

void QtDesktop::repaint(Control& c) {
  if (m_view.repaint_now) m_view.repaint_now(c);
}

void QtDesktop::terminate() {
  m_terminated = true;
  QCoreApplication::quit();
}

void QtDesktop::post(std::function<void()> task) {
  // A queued call on an object of the user-interface thread runs there,
  // whichever thread posts it.
  QMetaObject::invokeMethod(
      &m_posted, [this, task = std::move(task)] { dispatch(*this, task); }, Qt::QueuedConnection);
}

}  // namespace korvel::qt
