# The start-up benchmark's two helpers (scripts/startup_bench.sh): the
# minimal Qt Widgets program Korvel's start is measured against, and the
# clock that times both to their first painted pixel.
add_executable(korvel_minimal_window EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/startup/minimal_window.cpp)
target_link_libraries(korvel_minimal_window PRIVATE Qt6::Widgets)
add_executable(korvel_first_pixel EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/startup/first_pixel.cpp)
target_link_libraries(korvel_first_pixel PRIVATE Qt6::Gui)
set_target_properties(korvel_minimal_window korvel_first_pixel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/startup)
