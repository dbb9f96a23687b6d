ombrel_add_test(settings CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_codec_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contrast_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement_test.cpp)
ombrel_add_test(settings_ui SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/fake_preferences_target.h
  ${CMAKE_CURRENT_LIST_DIR}/settings_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences_test.cpp)
