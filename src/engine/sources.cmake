target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/user_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calculation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_rate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feet_frames.cpp)
