#pragma once
// A started window on a fake desktop: created, shown at the screen's size,
// activated, with the generator seeded so that runs repeat.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "files/data_directory.h"
#include "support/fake_desktop.h"
#include "support/fake_sound.h"
#include "support/memory_text_files.h"

namespace korvel::testing {

// The per-user directories of the user whose home is `home`, by the defaults.
inline UserDirectories home_directories(const std::string& home) {
  return xdg_user_directories([&](const std::string& name) { return name == "HOME" ? home : std::string(); },
                              home + "/Pictures");
}

struct StartedForm {
  // `before_start` sees the files as the program finds them at its start.
  explicit StartedForm(int screen_width = 1920, int screen_height = 1080,
                       std::string program_path = default_program_path(),
                       const std::function<void(MemoryTextFiles&)>& before_start = {})
      : desktop(screen_width, screen_height),
        form(std::make_unique<TForm1>(Services{desktop, files, std::move(program_path), home_directories("/home/user"),
                                                      text_files, audio, console})) {
    if (before_start) before_start(text_files);
    form->FormCreate();
    form->random().seed(12345);
    form->set_client_size(screen_width, screen_height);
    form->FormResize();
    form->FormActivate();
  }

  // A writable directory of this test process, as the program's own.
  static std::string default_program_path() {
    const auto dir = std::filesystem::temp_directory_path() / "korvel-tests";
    std::filesystem::create_directories(dir);
    return (dir / "korvel").string();
  }

  TForm1& operator*() { return *form; }
  TForm1* operator->() { return form.get(); }
  Canvas& canvas() { return form->Image1.canvas(); }

  FakeDesktop desktop;
  MemoryImageFiles files;
  MemoryTextFiles text_files;
  FakeAudioOut audio;
  FakeConsole console;
  std::unique_ptr<TForm1> form;
};

}  // namespace korvel::testing
