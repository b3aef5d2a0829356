# The real program under Xvfb on the desktops people have: French and US
# keyboard layouts, a screen scaled by two.
add_test(NAME e2e_keyboard_layouts COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/keyboard_layouts.sh $<TARGET_FILE:korvel>)
set_tests_properties(e2e_keyboard_layouts PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
add_test(NAME e2e_scaled_screen COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/scaled_screen.sh $<TARGET_FILE:korvel>)
set_tests_properties(e2e_scaled_screen PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
# What a screen reader sees, through AT-SPI on a bus of the test's own.
add_test(NAME e2e_accessibility COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/accessibility.sh $<TARGET_FILE:korvel>)
set_tests_properties(e2e_accessibility PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
# A screen reader's actions during a long run.
add_test(NAME e2e_accessible_run COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/accessible_run.sh $<TARGET_FILE:korvel>)
set_tests_properties(e2e_accessible_run PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
# On a Wayland desktop: a headless weston.
add_test(NAME e2e_wayland COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/wayland.sh $<TARGET_FILE:korvel>)
set_tests_properties(e2e_wayland PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
