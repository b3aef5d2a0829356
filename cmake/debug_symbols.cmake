# Run at install time (install(CODE)): KORVEL_STEP "strip" strips the
# installed program KORVEL_FILE; "symbols" writes the debug symbols of the
# built program KORVEL_FILE where debuggers look for them by its build ID,
# /usr/lib/debug/.build-id/xx/yyyy.debug under the install prefix.
find_program(OBJCOPY objcopy REQUIRED)
if(KORVEL_STEP STREQUAL "strip")
  # The compiler's version notes (.comment) are of no use in an installed binary.
  execute_process(COMMAND ${OBJCOPY} --strip-unneeded --remove-section=.comment --remove-section=.note
                          "$ENV{DESTDIR}${KORVEL_FILE}" COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} -n "${KORVEL_FILE}" OUTPUT_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
  message(FATAL_ERROR "${KORVEL_FILE} has no build ID")
endif()
set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/debug/.build-id/${CMAKE_MATCH_1}")
file(MAKE_DIRECTORY "${dir}")
message(STATUS "Installing: ${dir}/${CMAKE_MATCH_2}.debug")
execute_process(COMMAND ${OBJCOPY} --only-keep-debug --compress-debug-sections "${KORVEL_FILE}"
                        "${dir}/${CMAKE_MATCH_2}.debug" COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${dir}/${CMAKE_MATCH_2}.debug" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
