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
# The window under the dark palette qt6ct ships.
ombrel_add_test(shell_dark_palette SOURCES ${CMAKE_CURRENT_LIST_DIR}/dark_palette_test.cpp)
# The list tabs under the qt6ct platform theme, light and dark, small and
# large fonts; each run reads its own qt6ct configuration.
add_executable(test_shell_qt6ct_tabs ${CMAKE_CURRENT_LIST_DIR}/qt6ct_tabs_test.cpp)
target_compile_options(test_shell_qt6ct_tabs PRIVATE -Wno-missing-field-initializers)
target_link_libraries(test_shell_qt6ct_tabs PRIVATE ombrel_ui ombrel_test_main)
foreach(scheme airy darker)
  foreach(points 9 14)
    set(qt6ct_home ${CMAKE_CURRENT_BINARY_DIR}/config/qt6ct_${scheme}_${points})
    file(WRITE ${qt6ct_home}/qt6ct/qt6ct.conf
      "[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/${scheme}.conf\ncustom_palette=true\nstyle=Fusion\n"
      "[Fonts]\ngeneral=\"DejaVu Sans,${points},-1,5,400,0,0,0,0,0,0,0,0,0,0,1\"\n"
      "fixed=\"DejaVu Sans Mono,${points},-1,5,400,0,0,0,0,0,0,0,0,0,0,1\"\n")
    add_test(NAME shell_qt6ct_tabs_${scheme}_${points} COMMAND test_shell_qt6ct_tabs)
    set_tests_properties(shell_qt6ct_tabs_${scheme}_${points} PROPERTIES LABELS ui
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_PLATFORMTHEME=qt6ct;XDG_CONFIG_HOME=${qt6ct_home};XDG_RUNTIME_DIR=${OMBREL_TEST_RUNTIME_DIR};LC_ALL=C.UTF-8;OMBREL_QT6CT_POINT_SIZE=${points}")
  endforeach()
endforeach()
# The windows in the pseudo-translation the build makes.
ombrel_add_test(shell_translated SOURCES ${CMAKE_CURRENT_LIST_DIR}/translated_layout_test.cpp)
target_compile_definitions(test_shell_translated PRIVATE OMBREL_PSEUDO_TRANSLATION="${ombrel_pseudo_qm}")
add_dependencies(test_shell_translated ombrel_translations)
