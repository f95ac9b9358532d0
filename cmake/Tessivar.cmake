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

# tessivar_library(<target> <folder> [SOURCES <files>...] [EXCLUDE <files>...]
#                   [PUBLIC <targets>...] [PRIVATE <targets>...])
# A static library of the SOURCES in the folder, or of every source in the
# folder and its subfolders but the EXCLUDEd ones (names relative to the
# folder); the folders are PUBLIC include directories. It links the
# libraries and Qt modules its sources include: PUBLIC those its headers
# include. A library names only targets declared before it, so the graph
# has no cycle.
function(tessivar_library target folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;EXCLUDE;PUBLIC;PRIVATE" ${ARGN})
  if(ARG_SOURCES)
    list(TRANSFORM ARG_SOURCES PREPEND ${folder}/ OUTPUT_VARIABLE sources)
  else()
    # Sources, headers, and headers without an extension such as MMatrix.
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*)
    list(FILTER sources INCLUDE REGEX "(\\.cpp|\\.h|/[^./]+)$")
  endif()
  foreach(name ${ARG_EXCLUDE})
    if(NOT ${folder}/${name} IN_LIST sources)
      message(FATAL_ERROR "tessivar_library(${target}): no ${name} to exclude in ${folder}")
    endif()
    list(REMOVE_ITEM sources ${folder}/${name})
  endforeach()
  add_library(${target} STATIC ${sources})
  tessivar_moc_per_class(${target} ${sources})
  set(dirs ${folder})
  foreach(src ${sources})
    get_filename_component(dir ${src} DIRECTORY)
    list(APPEND dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  target_include_directories(${target} PUBLIC ${dirs})
  tessivar_link(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  set_property(GLOBAL APPEND PROPERTY TESSIVAR_LIBRARIES ${target})
endfunction()

# tessivar_link(<target> [PUBLIC|PRIVATE|INTERFACE] <targets>...)
# target_link_libraries() that takes only targets already declared, and
# stops on any other name.
function(tessivar_link target)
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tessivar_link: no target named '${target}'")
  endif()
  foreach(dep ${ARGN})
    if(NOT dep MATCHES "^(PUBLIC|PRIVATE|INTERFACE)$" AND NOT TARGET ${dep})
      message(FATAL_ERROR "tessivar_link(${target}): no target named '${dep}'"
                          " (declared later, misspelt, or its package not found)")
    endif()
  endforeach()
  target_link_libraries(${target} ${ARGN})
endfunction()

# tessivar_write_library_graph(<file>)
# Writes, as CMake code, each library's sources and PUBLIC and PRIVATE
# links, and the header folder of each Qt module.
function(tessivar_write_library_graph file)
  get_property(libraries GLOBAL PROPERTY TESSIVAR_LIBRARIES)
  set(text "set(libraries ${libraries})\n")
  foreach(lib ${libraries})
    get_target_property(sources ${lib} SOURCES)
    # Less the meta-object code that tessivar_moc_per_class makes.
    list(FILTER sources EXCLUDE REGEX "/moc_[^/]*\\.cpp$")
    get_target_property(private ${lib} LINK_LIBRARIES)
    get_target_property(public ${lib} INTERFACE_LINK_LIBRARIES)
    list(FILTER public EXCLUDE REGEX "^\\$<LINK_ONLY:")
    list(REMOVE_ITEM private ${public})
    string(APPEND text "set(${lib}_sources ${sources})\nset(${lib}_public ${public})\n"
                       "set(${lib}_private ${private})\n")
  endforeach()
  get_directory_property(imported DIRECTORY ${CMAKE_SOURCE_DIR} IMPORTED_TARGETS)
  list(FILTER imported INCLUDE REGEX "^Qt5::")
  foreach(module ${imported})
    string(REPLACE "Qt5::" "Qt" folder ${module})
    get_target_property(dirs ${module} INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER dirs INCLUDE REGEX "/${folder}$")
    if(dirs)
      string(APPEND text "list(APPEND qt_modules ${folder})\nset(${folder}_dir ${dirs})\n")
    endif()
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()

# tessivar_sanitizer_env(<list>): appends the sanitizers' options to the
# environment <list>. AddressSanitizer takes the stack of each allocation the
# fast way, by frame pointers: every leak inside a system library still
# matches its suppression by the frames it keeps, and full stacks
# (fast_unwind_on_malloc=0) made the tests some ten times slower.
function(tessivar_sanitizer_env list)
  list(APPEND ${list}
    "ASAN_OPTIONS=detect_leaks=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  set(${list} ${${list}} PARENT_SCOPE)
endfunction()

# add_qt_test(<name> SOURCES <files>... [RESOURCES] [DBUS] [XVFB [SCREEN <WxHxD>]] [LIBS <targets>...])
# A Qt Test executable registered with CTest, linking TESSIVAR_TEST_LIBS
# (what the tests of the folder use) and LIBS. It runs headless, with a
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
  tessivar_link(${name} PRIVATE ${TESSIVAR_TEST_LIBS} Qt5::Test ${ARG_LIBS})
  # Pictures are drawn by the helper beside the program.
  add_dependencies(${name} tessivar-svg tessivar-page)
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
    tessivar_sanitizer_env(env)
  endif()
  if(TESSIVAR_THREAD_SANITIZE)
    list(APPEND env "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${CMAKE_SOURCE_DIR}/tests/tsan.supp")
  endif()
  # Sanitizer builds run the same work several times slower, and work that
  # allocates at every step more: CTest's timeout allows for it, and so do the
  # tests' own bounds on time (tests/common/RunawayBound.h), 25 times theirs.
  # A machine busy four times over stretches the wall clock of a test some
  # five times more: the timeouts, there to end a hang, allow that too.
  set(timeout 900)
  if(TESSIVAR_SANITIZE OR TESSIVAR_THREAD_SANITIZE)
    set(timeout 2400)
    target_compile_definitions(${name} PRIVATE TESSIVAR_TEST_SLOWDOWN=25)
  endif()
  # Qt Test's watchdog on each test function, five minutes by default, ends
  # a hang with its stack shortly before CTest's timeout would.
  math(EXPR function_timeout "(${timeout} - 60) * 1000")
  list(APPEND env "QTEST_FUNCTION_TIMEOUT=${function_timeout}")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env};${ARG_ENV}" TIMEOUT ${timeout})
endfunction()
