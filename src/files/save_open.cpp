// "Sauve" and "Ouvrir": nom_unique, Panel7Click and Panel5Click.
#include "files/save_open.h"

#include "app/main_window.h"
#include "files/picture_file.h"
#include "files/snapshot_writer.h"

namespace korvel {

namespace {

// Where a dot can start the extension: after the last separator.
std::size_t dot_of_extension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  const std::size_t slash = name.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
  return dot;
}

// Runs _ws however the save ends, also when writing fails.
struct RetireMasquage {
  TForm1& form;
  ~RetireMasquage() { form._ws(); }
};

}  // namespace

std::string sans_extension(const std::string& name) { return name.substr(0, dot_of_extension(name)); }

std::string extension_de(const std::string& name) {
  const std::size_t dot = dot_of_extension(name);
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string repertoire_de(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nom_numerote(const std::string& base, int counter, const std::string& extension) {
  return base + "_" + IntToStr(counter) + extension;
}

std::string TForm1::nom_unique(const std::string& name) {
  const std::string base = sans_extension(name);
  const std::string extension = extension_de(name);
  std::string candidate = name;
  const auto taken = [&] { return image_files().exists(Label_rep.caption() + "/" + candidate); };
  if (!taken()) desktop().show_message(Label_rep.caption() + "/" + candidate + " n'existe pas!");
  // Each candidate names a file that exists, so the count is bounded by the
  // directory's entries.
  for (int counter = 1; taken(); ++counter) candidate = nom_numerote(base, counter, extension);
  return candidate;
}

void TForm1::Panel7Click() {
  const RetireMasquage ws{*this};
  PictureDialogOptions dialog;
  dialog.initial_dir = Label_rep.caption();
  dialog.default_ext = "bmp";
  dialog.filter = "images (*.bmp)|*.bmp";
  dialog.file_name = nom_unique(Edit_nom_generique.text());
  dialog.title = " enregistre l'image " + dialog.file_name;
  std::optional<std::string> path = desktop().save_picture(dialog);
  if (!path) return;
  if (path->find('.') == std::string::npos) *path += ".bmp";
  // The format follows the extension; a name that promises a format not
  // written here (".gif", ".webp") is refused rather than given BMP bytes.
  // The file that was there survives a failed write, and the label moves
  // only once the picture is saved.
  const std::optional<PictureFormat> format = saved_format(*path);
  if (!format)
    throw EInOutError("Impossible d'écrire " + *path +
                      " : les images sont enregistrées en BMP, PNG ou JPEG ; le nom doit finir par .bmp, .png ou .jpg");
  image_files().save_picture(*path, Image1.canvas().bitmap(), *format);
  Label_rep.set_caption(repertoire_de(*path));
}

void TForm1::Panel5Click() {
  PictureDialogOptions dialog;
  dialog.initial_dir = Label_rep.caption();
  dialog.default_ext = "bmp";
  const std::optional<std::string> path = desktop().open_picture(dialog);
  if (path) ouvre_image(*path);
}

void TForm1::ouvre_image(const std::string& path) {
  // Only the part that lands on the picture is read.
  const Canvas& canvas = Image1.canvas();
  const Bitmap picture = image_files().read(path, {canvas.width(), canvas.height()});
  Image1.canvas().Draw(0, 0, picture);
  record_frame(TimelapseFrame::first);
}

}  // namespace korvel
