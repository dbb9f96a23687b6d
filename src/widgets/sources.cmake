target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/am_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/am_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/background_task.h
  ${CMAKE_CURRENT_LIST_DIR}/background_task.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_combo.h
  ${CMAKE_CURRENT_LIST_DIR}/colour_combo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_font.h
  ${CMAKE_CURRENT_LIST_DIR}/display_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/heading_fields.h
  ${CMAKE_CURRENT_LIST_DIR}/heading_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.h
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/user_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.h
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.cpp)
