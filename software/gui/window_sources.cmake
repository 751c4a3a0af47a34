# Settings file, main window, install button and progress bar, marker circles.
target_sources(strobix PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/progress_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/circle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/labels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_factory.cpp
)
