# Fonts and the log window.
target_sources(strobix PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_message.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_stream_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_window_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_window.cpp)
