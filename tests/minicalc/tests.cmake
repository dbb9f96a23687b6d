ombrel_add_test(minicalc SOURCES ${CMAKE_CURRENT_LIST_DIR}/mini_calc_form_test.cpp)
target_include_directories(test_minicalc PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../shell)
