target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/entry_clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/function_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_procedures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timecode_field.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/entry_panel.cpp)
