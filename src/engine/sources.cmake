target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/timecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calculation.cpp)
