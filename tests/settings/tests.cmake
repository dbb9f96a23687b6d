ombrel_add_test(settings CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/test_settings_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_grid_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_window_placement.cpp)
ombrel_add_test(settings_ui SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/fake_preferences_target.h
  ${CMAKE_CURRENT_LIST_DIR}/test_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_preferences.cpp)
