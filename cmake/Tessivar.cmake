# tessivar_moc_per_class(<target> <sources>...)
# One object per class's meta-object code instead of AUTOMOC's single one:
# a program then links only the classes it uses, and with them only the
# libraries they need.
function(tessivar_moc_per_class target)
  set(headers)
  foreach(src ${ARGN})
    if(src MATCHES "\\.h$")
      file(STRINGS ${src} meta REGEX "Q_OBJECT|Q_GADGET")
      if(meta)
        list(APPEND headers ${src})
      endif()
    endif()
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  qt5_wrap_cpp(mocs ${headers} TARGET ${target})
  target_sources(${target} PRIVATE ${mocs})
endfunction()

# tessivar_library(<target> <folder>)
# A static library of every source in the folder and its subfolders;
# the folders are PUBLIC include directories. A folder without sources
# makes no target.
function(tessivar_library target folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  if(NOT sources)
    return()
  endif()
  add_library(${target} STATIC ${sources})
  tessivar_moc_per_class(${target} ${sources})
  set(dirs ${folder})
  foreach(src ${sources})
    get_filename_component(dir ${src} DIRECTORY)
    list(APPEND dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  target_include_directories(${target} PUBLIC ${dirs} ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC
    Qt5::Core Qt5::Gui Qt5::Widgets Qt5::Network Qt5::Xml Qt5::PrintSupport Qt5::DBus Qt5::Svg)
endfunction()

# tessivar_link(<target> <dependencies>...): links those that exist.
function(tessivar_link target)
  if(NOT TARGET ${target})
    return()
  endif()
  foreach(dep ${ARGN})
    if(TARGET ${dep})
      target_link_libraries(${target} PUBLIC ${dep})
    endif()
  endforeach()
endfunction()

# add_qt_test(<name> SOURCES <files>... [RESOURCES] [DBUS] [XVFB [SCREEN <WxHxD>]] [LIBS <targets>...])
# A Qt Test executable registered with CTest. It runs headless, with a
# temporary HOME and SDL's dummy audio driver. RESOURCES links the
# generated resource tree and waits for the samples of the bundle. DBUS
# runs the test in a private session bus of its own. XVFB runs it on a
# virtual X display of 1280 x 1024 (or SCREEN) instead of the offscreen
# platform, one such test at a time.
find_program(XVFB_RUN xvfb-run)
function(add_qt_test name)
  cmake_parse_arguments(ARG "RESOURCES;DBUS;XVFB" "SCREEN" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT ARG_SCREEN)
    set(ARG_SCREEN 1280x1024x24)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tessivar_libs Qt5::Test ${ARG_LIBS})
  if(ARG_RESOURCES)
    target_link_libraries(${name} PRIVATE tessivar_resources)
    add_dependencies(${name} tessivar_samples)
  endif()
  # Tests run from the bundle's MacOS folder, so they find Resources/ as the program does.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSIVAR_MACOS_DIR})
  set(bus)
  if(ARG_DBUS)
    set(bus dbus-run-session --)
  endif()
  set(display)
  set(platform offscreen)
  if(ARG_XVFB)
    set(display ${XVFB_RUN} -a -s "-screen 0 ${ARG_SCREEN}")
    set(platform xcb)
  endif()
  add_test(NAME ${name}
           COMMAND ${display} ${CMAKE_SOURCE_DIR}/tests/run-isolated ${bus} $<TARGET_FILE:${name}>)
  if(ARG_XVFB)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK xvfb)
  endif()
  set(env "QT_QPA_PLATFORM=${platform};SDL_AUDIODRIVER=dummy;TESSIVAR_BUNDLE=${TESSIVAR_BUNDLE_DIR}")
  if(TESSIVAR_SANITIZE)
    # Full stacks on malloc, so that leaks inside system libraries match their suppressions.
    list(APPEND env
      "ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0"
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  if(TESSIVAR_THREAD_SANITIZE)
    list(APPEND env "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${CMAKE_SOURCE_DIR}/tests/tsan.supp")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env};${ARG_ENV}" TIMEOUT 300)
endfunction()
