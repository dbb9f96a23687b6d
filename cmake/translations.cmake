# The program's texts for translators, and the translations built beside it.
#   update_translations: lupdate reads the sources into translations/ombrel.ts
#     (the template) and every translations/ombrel_<language>.ts.
#   Each ombrel_<language>.ts becomes ombrel_<language>.qm in the build's
#   translations folder (beside the program, where it looks first) and is
#   installed to share/ombrel/translations.
#   The pseudo-translation ombrel_en_XA.qm (every text longer and accented,
#   scripts/pseudo_translate.py) is made from the current sources for the
#   tests; it is never installed.
include_guard(GLOBAL)
include(GNUInstallDirs)

get_target_property(ombrel_qmake Qt6::qmake IMPORTED_LOCATION)
get_filename_component(ombrel_qt_bin ${ombrel_qmake} DIRECTORY)
find_program(OMBREL_LUPDATE lupdate HINTS ${ombrel_qt_bin} /usr/lib/qt6/bin NO_DEFAULT_PATH REQUIRED)
find_program(OMBREL_LRELEASE lrelease HINTS ${ombrel_qt_bin} /usr/lib/qt6/bin NO_DEFAULT_PATH REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(ombrel_translations_dir ${PROJECT_BINARY_DIR}/translations)
set(ombrel_ts_template ${PROJECT_SOURCE_DIR}/translations/ombrel.ts)
file(GLOB ombrel_ts_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/ombrel_*.ts)
file(GLOB_RECURSE ombrel_text_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
# The core marks its texts with OMBREL_TEXT (engine/user_text.h); no line
# numbers, so the template changes only when a text does.
set(ombrel_lupdate_options -tr-function-alias QT_TRANSLATE_NOOP+=OMBREL_TEXT -locations none -no-obsolete -silent)

add_custom_target(update_translations
  COMMAND ${OMBREL_LUPDATE} ${ombrel_lupdate_options} ${PROJECT_SOURCE_DIR}/src -ts ${ombrel_ts_template} ${ombrel_ts_files}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Reading the program's texts into translations/"
  VERBATIM)

set(ombrel_qm_files)
foreach(ts IN LISTS ombrel_ts_files)
  get_filename_component(language_name ${ts} NAME_WE)
  set(qm ${ombrel_translations_dir}/${language_name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ombrel_translations_dir}
    COMMAND ${OMBREL_LRELEASE} -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    VERBATIM)
  list(APPEND ombrel_qm_files ${qm})
endforeach()

set(ombrel_pseudo_template ${ombrel_translations_dir}/ombrel_current.ts)
set(ombrel_pseudo_ts ${ombrel_translations_dir}/ombrel_en_XA.ts)
set(ombrel_pseudo_qm ${ombrel_translations_dir}/ombrel_en_XA.qm)
add_custom_command(OUTPUT ${ombrel_pseudo_qm} ${ombrel_pseudo_template}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ombrel_translations_dir}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ombrel_pseudo_template}
  COMMAND ${OMBREL_LUPDATE} ${ombrel_lupdate_options} ${PROJECT_SOURCE_DIR}/src -ts ${ombrel_pseudo_template}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/pseudo_translate.py ${ombrel_pseudo_template} ${ombrel_pseudo_ts}
  COMMAND ${OMBREL_LRELEASE} -silent ${ombrel_pseudo_ts} -qm ${ombrel_pseudo_qm}
  DEPENDS ${ombrel_text_sources} ${PROJECT_SOURCE_DIR}/scripts/pseudo_translate.py
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Making the pseudo-translation"
  VERBATIM)
add_custom_target(ombrel_translations ALL DEPENDS ${ombrel_qm_files} ${ombrel_pseudo_qm})

install(FILES ${ombrel_qm_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/ombrel/translations)
