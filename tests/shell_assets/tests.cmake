# The shell normally brings these in; included here too so this folder builds on its own.
include(${PROJECT_SOURCE_DIR}/src/shell/assets.cmake)

ombrel_add_test(shell_assets SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/program_style_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_window_test.cpp)

# Installs the build into a scratch prefix and checks what lands there.
add_test(NAME install
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../e2e/install_test.sh $<TARGET_FILE:ombrel> ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND})
set_tests_properties(install PROPERTIES LABELS install)

# Builds the Debian package and unpacks it into a scratch root.
add_test(NAME debian_package
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../e2e/debian_package_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_CPACK_COMMAND})
set_tests_properties(debian_package PROPERTIES LABELS install TIMEOUT 300)
