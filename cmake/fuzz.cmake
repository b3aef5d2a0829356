# Fuzz targets (tests/fuzz/). With KORVEL_FUZZ (clang), each is a libFuzzer
# program under AddressSanitizer and UndefinedBehaviorSanitizer, run by
# scripts/fuzz.sh. In every other build each is linked to a replay driver
# instead, and CTest replays its seed corpus and every input that ever
# failed (tests/data/fuzz/<name>/).
set(KORVEL_FUZZ_TARGETS canvas number_text parameter_file custom_colours)
if(KORVEL_QT)
  list(APPEND KORVEL_FUZZ_TARGETS picture)
endif()

function(korvel_fuzz_target name)
  set(sources tests/fuzz/${name}_fuzz.cpp)
  set(libraries korvel_core)
  if(name STREQUAL "picture")
    list(APPEND sources src/qt/qt_image_files.cpp src/qt/png_decoding.cpp src/qt/jpeg_decoding.cpp)
    list(APPEND libraries Qt6::Gui PkgConfig::LIBPNG PkgConfig::LIBJPEG)
  elseif(name STREQUAL "parameter_file")
    # A started window on the fake desktop of the tests.
    list(APPEND sources tests/support/fake_desktop.cpp)
  endif()
  if(KORVEL_FUZZ)
    add_executable(fuzz_${name} ${sources})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(fuzz_${name} ${sources} tests/fuzz/replay_main.cpp)
    add_test(NAME fuzz_replay_${name}
      COMMAND fuzz_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name} ${CMAKE_SOURCE_DIR}/tests/data/fuzz/${name})
  endif()
  target_include_directories(fuzz_${name} PRIVATE src tests tests/fuzz)
  target_link_libraries(fuzz_${name} PRIVATE ${libraries})
  target_compile_options(fuzz_${name} PRIVATE ${KORVEL_WARNINGS})
endfunction()

foreach(name IN LISTS KORVEL_FUZZ_TARGETS)
  korvel_fuzz_target(${name})
endforeach()
