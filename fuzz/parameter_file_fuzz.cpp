// Any bytes as korvel.prm: read at activation into the controls, written
// back on a quit. Nothing may crash or hang, the lines are UTF-8 on one line
// each, and a file the program wrote reads back as the same lines.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "files/parameter_file.h"
#include "files/text_encoding.h"
#include "support/form_fixture.h"

namespace {

using namespace korvel;

void check(bool ok) {
  if (!ok) std::abort();
}

testing::StartedForm& form() {
  static auto f = std::make_unique<testing::StartedForm>(32, 32);
  return *f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const LignesParametres lignes = decoupe_parametres(bytes);
  for (const std::string& ligne : lignes) {
    check(is_valid_utf8(ligne));
    check(ligne.find('\n') == std::string::npos);
  }
  check(decoupe_parametres(assemble_parametres(lignes)) == lignes);

  testing::StartedForm& f = form();
  const std::string path = f->chemin_parametres();
  f.text_files.files[path] = bytes;
  try {
    f->FormActivate();
  } catch (const EConvertError&) {
    // A number line that is no number: reported to the user, as designed.
  }
  f.desktop.confirm_answers.push_back(true);
  f->quitter();
  const std::string written = f.text_files.files[path];
  const LignesParametres relu = decoupe_parametres(written);
  check(assemble_parametres(relu) == written);
  for (std::size_t k = 7; k < relu.size(); ++k) check(relu[k] == (bytes.find('\0') == std::string::npos ? lignes[k] : ""));
  return 0;
}
