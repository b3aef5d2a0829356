# Debian's hardening flags on every optimised build that runs without the
# sanitizers: stack protector, _FORTIFY_SOURCE, full RELRO with BIND_NOW,
# control-flow protection, position-independent code. (The program's debug
# information, kept in a separate file, is asked for in packaging.cmake.)
if(KORVEL_SANITIZE OR KORVEL_FUZZ)
  return()
endif()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
set(optimised $<NOT:$<CONFIG:Debug>>)
add_compile_options(
  -fstack-protector-strong -fcf-protection -Wformat -Werror=format-security
  # Fortified calls need the optimiser's view of object sizes.
  $<${optimised}:-D_FORTIFY_SOURCE=2>
  # The symbols name source files relative to the tree, wherever it was built.
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
add_link_options(-Wl,-z,relro -Wl,-z,now)
