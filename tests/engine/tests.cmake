ombrel_add_test(engine CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/timecode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calculation_test.cpp)
