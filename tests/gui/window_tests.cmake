# Tests of the settings file, main window, button, bar and circles.
strobix_test(test_settings ${CMAKE_CURRENT_LIST_DIR}/test_settings.cpp)
strobix_test(test_button_and_bar ${CMAKE_CURRENT_LIST_DIR}/test_button_and_bar.cpp)
strobix_test(test_circles ${CMAKE_CURRENT_LIST_DIR}/test_circles.cpp)

add_executable(window_probe ${CMAKE_CURRENT_LIST_DIR}/window_probe.cpp)
target_link_libraries(window_probe PRIVATE strobix)

# The same window tests at the scales 1.0 and 1.25 of the screen's logical resolution.
strobix_test(test_main_window ${CMAKE_CURRENT_LIST_DIR}/test_main_window.cpp)
target_compile_definitions(test_main_window PRIVATE WINDOW_PROBE="$<TARGET_FILE:window_probe>")
add_dependencies(test_main_window window_probe)
set_tests_properties(test_main_window PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96")
add_test(NAME test_main_window_scaled COMMAND test_main_window)
set_tests_properties(test_main_window_scaled PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=120")
