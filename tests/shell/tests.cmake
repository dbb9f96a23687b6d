ombrel_add_test(shell SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_form_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_entry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_shell_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_documents_test.cpp)
