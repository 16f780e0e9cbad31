# Helpers that let each subsystem folder add its own files without editing shared lists.

# The GUI library is created by the first folder that has GUI code, so a build
# without any GUI sources, or with QUORVANE_GUI off, does not need Qt at all.
function(quorvane_ui_sources)
  if(NOT QUORVANE_GUI)
    return()
  endif()
  if(NOT TARGET quorvane_ui)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    add_library(quorvane_ui STATIC)
    set_target_properties(quorvane_ui PROPERTIES AUTOMOC ON AUTORCC ON)
    target_include_directories(quorvane_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(quorvane_ui PUBLIC quorvane_core Qt6::Widgets)
  endif()
  target_sources(quorvane_ui PRIVATE ${ARGN})
endfunction()

function(quorvane_core_sources)
  target_sources(quorvane_core PRIVATE ${ARGN})
endfunction()
