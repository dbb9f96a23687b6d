# The command-line calculator's logic is core code; ombrel-calc itself is
# src/cli/main.cpp (top CMakeLists.txt).
target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/expression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_arguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/batch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edl_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/terminal_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_command.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/calc_command.cpp PROPERTIES
  COMPILE_DEFINITIONS OMBREL_VERSION="${PROJECT_VERSION}")
