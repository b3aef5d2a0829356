# The tool panel's texts measured once more with the narrow faces hidden
# from fontconfig, as on a machine without them: the wider fallback face must
# be fitted too.
add_test(NAME gui.PanelTexts.without_narrow_faces COMMAND korvel_gui_tests --gtest_filter=PanelTexts.*)
set_tests_properties(gui.PanelTexts.without_narrow_faces PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${CMAKE_SOURCE_DIR}/tests/qt/fonts-without-narrow-faces.conf")
