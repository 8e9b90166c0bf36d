# Warnings every target of the project is built with.
function(qv_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(QV_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library made of the sources of one folder (not its subfolders).
function(qv_folder_library target)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  # The Qt-free layers have nothing for Qt's meta-object compiler.
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  qv_set_warnings(${target})
endfunction()
