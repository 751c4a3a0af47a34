# Tests of the fonts and the log window.
strobix_test(test_fonts ${CMAKE_CURRENT_LIST_DIR}/test_fonts.cpp)
# A process of its own: the fonts are registered at most once per process.
strobix_test(test_fonts_unavailable ${CMAKE_CURRENT_LIST_DIR}/test_fonts_unavailable.cpp)

# Logs through a log window in a child process, for the standard error stream and the
# fatal message.
add_executable(log_window_probe ${CMAKE_CURRENT_LIST_DIR}/log_window_probe.cpp)
target_link_libraries(log_window_probe PRIVATE strobix)

strobix_test(test_log_window ${CMAKE_CURRENT_LIST_DIR}/test_log_window.cpp)
target_compile_definitions(test_log_window PRIVATE LOG_WINDOW_PROBE="$<TARGET_FILE:log_window_probe>")
add_dependencies(test_log_window log_window_probe)
