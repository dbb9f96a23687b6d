ombrel_add_test(entry CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/entry_clipboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/function_keys_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_procedures_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recall_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timecode_entry_test.cpp)
