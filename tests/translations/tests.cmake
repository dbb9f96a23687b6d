add_test(NAME translations_template
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/template_current.sh ${PROJECT_SOURCE_DIR} ${OMBREL_LUPDATE} ${ombrel_lupdate_options})
set_tests_properties(translations_template PROPERTIES LABELS translations)
