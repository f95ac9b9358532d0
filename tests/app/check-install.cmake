# cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder> -P check-install.cmake
# Installs the build into PREFIX and checks what a desktop needs to start it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path lib/tessivar/MacOS/Tessivar lib/tessivar/Resources/independent
             lib/tessivar/Resources/bell.wav)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# The installed program finds every library it needs, its own among them.
execute_process(COMMAND ldd "${PREFIX}/lib/tessivar/MacOS/Tessivar" OUTPUT_VARIABLE libraries)
if(NOT libraries MATCHES "${PREFIX}/lib/tessivar/MacOS/libtessivar_resources.so" OR
   libraries MATCHES "not found")
  message(FATAL_ERROR "the installed program's libraries:\n${libraries}")
endif()

if(NOT IS_SYMLINK "${PREFIX}/bin/tessivar")
  message(FATAL_ERROR "bin/tessivar is not a link")
endif()
file(REAL_PATH "${PREFIX}/bin/tessivar" program)
file(REAL_PATH "${PREFIX}/lib/tessivar/MacOS/Tessivar" expected)
if(NOT program STREQUAL expected)
  message(FATAL_ERROR "bin/tessivar leads to ${program}")
endif()

# The desktop file, the D-Bus service and the icon share one name.
file(GLOB desktop_files "${PREFIX}/share/applications/*.desktop")
list(LENGTH desktop_files count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one desktop file, found ${count}")
endif()
get_filename_component(id "${desktop_files}" NAME_WLE)
execute_process(COMMAND desktop-file-validate "${desktop_files}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${output}")
endif()
file(READ "${desktop_files}" desktop)
if(NOT desktop MATCHES "\nDBusActivatable=true\n" OR NOT desktop MATCHES "\nIcon=${id}\n")
  message(FATAL_ERROR "desktop file:\n${desktop}")
endif()
set(service "${PREFIX}/share/dbus-1/services/${id}.service")
file(READ "${service}" text)
if(NOT text MATCHES "Name=${id}\n" OR NOT text MATCHES "Exec=${expected}\n")
  message(FATAL_ERROR "service file:\n${text}")
endif()
if(NOT EXISTS "${PREFIX}/share/icons/hicolor/512x512/apps/${id}.png")
  message(FATAL_ERROR "no icon ${id}.png")
endif()
file(REMOVE_RECURSE "${PREFIX}")
