target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/row_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_blocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_fingerprint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recovery_journal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_journal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edl_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edl_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edl_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_input.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calc_file_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recovery_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_form.cpp)
