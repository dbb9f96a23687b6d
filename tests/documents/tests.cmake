ombrel_add_test(documents CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_export_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recovery_journal_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_fingerprint_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edl_reader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edl_sheet_test.cpp)
ombrel_add_test(documents_io SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calc_file_io_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_form_test.cpp)
