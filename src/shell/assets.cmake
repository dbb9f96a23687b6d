# About box and help window.
include_guard(GLOBAL)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/about_box.h
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_window.h
  ${CMAKE_CURRENT_LIST_DIR}/help_window.cpp)
