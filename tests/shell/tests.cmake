ombrel_add_test(shell SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_form_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_entry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_shell_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_documents_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_look_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_clipboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_rows_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_recovery_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/function_key_bar_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compact_tab_style_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_sort_find_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_printing_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recent_files_menu_test.cpp)
# The same window on a large-font screen of 120 pixels per inch. Qt's own
# high-DPI scaling is off, or it would scale the window and report 96.
ombrel_add_test(shell_large_fonts SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/large_fonts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compact_tab_style_test.cpp
  ENV QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/large_fonts_screen.json
      QT_ENABLE_HIGHDPI_SCALING=0)
ombrel_add_test(shell_core CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recent_files_test.cpp)
