// korvel.conf: one value read and written among lines kept as they were,
// and the guides' F2 kept there across starts, never in korvel.prm.
#include "files/configuration.h"

#include <gtest/gtest.h>

#include "draw/guides.h"
#include "files/parameter_file.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::MemoryTextFiles;
using testing::StartedForm;

TEST(Configuration, ReadingAValue) {
  struct Cas {
    const char* texte;
    std::optional<std::string> guides;
  };
  const Cas cas[] = {
      {"", std::nullopt},
      {"guides=true\n", "true"},
      {"guides=false", "false"},
      {"autre=1\r\nguides=true\r\n", "true"},
      {"guides=true\nguides=false\n", "false"},  // the last line wins
      {"guides =true\nguidesx=true\n# guides=true\n", std::nullopt},
      {"guides=\n", ""},
  };
  for (const Cas& c : cas) EXPECT_EQ(valeur_configuration(c.texte, "guides"), c.guides) << c.texte;
}

TEST(Configuration, WritingAValueKeepsTheOtherLines) {
  struct Cas {
    const char* avant;
    const char* valeur;
    const char* apres;
  };
  const Cas cas[] = {
      {"", "true", "guides=true\n"},
      {"guides=false\n", "true", "guides=true\n"},
      {"a=1\r\nguides=false\r\n# mot\r\n", "true", "a=1\nguides=true\n# mot\n"},
      {"guides=1\nb=2\nguides=3", "x", "guides=x\nb=2\n"},
      {"b=2", "on\nc=3", "b=2\nguides=on\n"},  // a line break cannot add a line
  };
  for (const Cas& c : cas) EXPECT_EQ(avec_valeur_configuration(c.avant, "guides", c.valeur), c.apres) << c.avant;
}

void appuie(TForm1& f, std::uint16_t key) { f.FormKeyDown(key, 0); }

TEST(Configuration, F2ShowsOrHidesTheGuidesAndTheNextStartFindsThemSo) {
  MemoryTextFiles kept;
  std::string prm_before;
  {
    StartedForm f;
    EXPECT_FALSE(f->guides_visibles);  // off at the first start
    prm_before = f.text_files.files.count(f->chemin_parametres()) ? f.text_files.files[f->chemin_parametres()] : "";
    appuie(*f, vk::F2);
    EXPECT_TRUE(f->guides_visibles);
    EXPECT_EQ(f.text_files.files.at(f->chemin_configuration()), "guides=true\n");
    EXPECT_EQ(f->parametres_guides()->centre, (TPoint{960, 540}));
    kept.files = f.text_files.files;
  }
  {
    StartedForm f(1920, 1080, StartedForm::default_program_path(), [&](MemoryTextFiles& files) { files.files = kept.files; });
    EXPECT_TRUE(f->guides_visibles);
    appuie(*f, vk::F2);
    EXPECT_FALSE(f->guides_visibles);
    EXPECT_EQ(f->parametres_guides(), std::nullopt);
    EXPECT_EQ(f.text_files.files.at(f->chemin_configuration()), "guides=false\n");
    // The parameter file's lines are not ours to change.
    EXPECT_EQ(f.text_files.files.count(f->chemin_parametres()) ? f.text_files.files[f->chemin_parametres()] : "",
              prm_before);
    kept.files = f.text_files.files;
  }
  StartedForm f(1920, 1080, StartedForm::default_program_path(), [&](MemoryTextFiles& files) { files.files = kept.files; });
  EXPECT_FALSE(f->guides_visibles);
}

TEST(Configuration, AFileThatCannotBeWrittenIsToldOnceAndTheGuidesStillToggle) {
  StartedForm f;
  f.text_files.fail_writes = true;
  for (int i = 0; i < 3; ++i) appuie(*f, vk::F2);
  EXPECT_TRUE(f->guides_visibles);
  ASSERT_EQ(f.desktop.messages.size(), 1u);
  EXPECT_NE(f.desktop.messages[0].find("Impossible d'écrire"), std::string::npos) << f.desktop.messages[0];
  EXPECT_TRUE(f.desktop.errors.empty());
}

TEST(Configuration, AFileTooLongOrUnreadableLeavesTheGuidesOff) {
  for (const bool unreadable : {false, true}) {
    StartedForm f(1920, 1080, StartedForm::default_program_path(), [&](MemoryTextFiles& files) {
      const std::string path = StartedForm::default_program_path();
      const std::string conf = path.substr(0, path.rfind('/')) + "/" + kNomFichierConfiguration;
      files.files[conf] = "guides=true\n" + std::string(unreadable ? 0 : kTailleMaxConfiguration, '#');
      if (unreadable) files.unreadable.insert(conf);
    });
    EXPECT_FALSE(f->guides_visibles) << unreadable;
  }
}

}  // namespace
}  // namespace korvel
