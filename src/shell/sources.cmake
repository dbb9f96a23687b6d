target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recent_files.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/command_line.cpp PROPERTIES
  COMPILE_DEFINITIONS OMBREL_VERSION="${PROJECT_VERSION}")
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calc_main_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/function_key_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compact_tab_style.h
  ${CMAKE_CURRENT_LIST_DIR}/compact_tab_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_style.h
  ${CMAKE_CURRENT_LIST_DIR}/program_style.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main_form_calculate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_documents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_sort_find.cpp)
include(${CMAKE_CURRENT_LIST_DIR}/assets.cmake)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/recent_files_menu.h
  ${CMAKE_CURRENT_LIST_DIR}/recent_files_menu.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/program_translations.h
  ${CMAKE_CURRENT_LIST_DIR}/program_translations.cpp)
include(GNUInstallDirs)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/program_translations.cpp PROPERTIES
  COMPILE_DEFINITIONS OMBREL_INSTALLED_TRANSLATIONS="${CMAKE_INSTALL_FULL_DATADIR}/ombrel/translations")
