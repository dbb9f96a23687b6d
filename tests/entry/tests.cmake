ombrel_add_test(entry CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/test_key_procedures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_recall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_timecode_entry.cpp)
