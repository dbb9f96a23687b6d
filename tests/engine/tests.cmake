ombrel_add_test(engine CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/timecode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calculation_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_rate_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_text_test.cpp)
# FFmpeg's timecode formatter is the reference for drop frame at 29.97 and 59.94.
find_package(PkgConfig REQUIRED)
pkg_check_modules(AVUTIL REQUIRED IMPORTED_TARGET libavutil)
target_link_libraries(test_engine PRIVATE PkgConfig::AVUTIL)
