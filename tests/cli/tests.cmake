ombrel_add_test(cli CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calc_expression_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_batch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_sheet_test.cpp)
target_compile_definitions(test_cli PRIVATE OMBREL_VERSION="${PROJECT_VERSION}")
# FFmpeg's timecode formatter checks the durations of a long drop-frame cut list.
find_package(PkgConfig REQUIRED)
pkg_check_modules(AVUTIL REQUIRED IMPORTED_TARGET libavutil)
target_link_libraries(test_cli PRIVATE PkgConfig::AVUTIL)
