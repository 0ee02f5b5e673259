# Build helpers shared by every folder of the project.

# Adds the folder itself when it has a CMakeLists.txt, otherwise every subfolder that has one.
# Folders are owned by one subsystem each, so adding one needs no edit elsewhere.
function(orvella_add_subdirs dir)
  set(abs ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  if(EXISTS ${abs}/CMakeLists.txt)
    add_subdirectory(${dir})
    return()
  endif()
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${abs} ${abs}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${abs}/${child})
      orvella_add_subdirs(${dir}/${child})
    endif()
  endforeach()
endfunction()

function(orvella_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# One test executable, registered with CTest (with its arguments) to run offscreen with a fixed
# language and time zone.
function(orvella_test_executable name sources libs)
  set(arguments ${ARGN})
  orvella_test_target(${name} "${sources}" "${libs}")
  add_test(NAME ${name} COMMAND ${name} ${arguments})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Warsaw" TIMEOUT 600)
endfunction()

# The prefix every test or benchmark of the current folder is named with: its path below tests/ or
# benchmarks/ (fuzz targets' seed replays: below the project), with "_" for "/".
function(orvella_name_prefix out)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "^(tests|benchmarks)/" "" relative "${relative}")
  string(REPLACE "/" "_" prefix "${relative}")
  set(${out} ${prefix} PARENT_SCOPE)
endfunction()

# One naming style: <folder path>[_<subject>]<suffix>, e.g. tests/platform/pictures holds
# platform_pictures_test and platform_pictures_font_files_test.
function(orvella_check_name name suffix)
  orvella_name_prefix(prefix)
  if(NOT name MATCHES "^${prefix}(_[a-z0-9_]+)?${suffix}$")
    message(FATAL_ERROR "'${name}' in ${CMAKE_CURRENT_SOURCE_DIR} must be named ${prefix}[_subject]${suffix}")
  endif()
endfunction()

# The executable of a test, not yet registered with CTest.
function(orvella_test_target name sources libs)
  orvella_check_name(${name} "_test")
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${libs})
  target_compile_definitions(${name} PRIVATE
    ORVELLA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    ORVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ORVELLA_RUNTIME_DIR="${ORVELLA_RUNTIME_DIR}")
  orvella_warnings(${name})
endfunction()

# orvella_gtest(NAME name SOURCES ... LIBS ...): one GoogleTest executable.
function(orvella_gtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  orvella_test_executable(${T_NAME} "${T_SOURCES}" "${T_LIBS};GTest::gtest;GTest::gtest_main")
endfunction()

# orvella_qtest(NAME name SOURCES ... LIBS ...): one Qt Test executable of windows.
function(orvella_qtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  orvella_test_executable(${T_NAME} "${T_SOURCES}" "${T_LIBS};Qt6::Test;Qt6::Widgets")
endfunction()

# orvella_wm_test(NAME name SOURCES ... LIBS ... [OFFSCREEN_TOO]): a Qt Test executable with a main of
# its own, run on a real X server with a window manager (tests/support/with_window_manager.sh), for what
# only shows there: titles as the window manager reads them, focus, activation, maximising.
# OFFSCREEN_TOO runs the same executable offscreen as well, as name_offscreen.
function(orvella_wm_test)
  cmake_parse_arguments(T "OFFSCREEN_TOO" "NAME" "SOURCES;LIBS" ${ARGN})
  orvella_test_target(${T_NAME} "${T_SOURCES}" "${T_LIBS};Qt6::Test;Qt6::Widgets")
  add_test(NAME ${T_NAME} COMMAND ${PROJECT_SOURCE_DIR}/tests/support/with_window_manager.sh $<TARGET_FILE:${T_NAME}>)
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Warsaw" TIMEOUT 600)
  if(T_OFFSCREEN_TOO)
    add_test(NAME ${T_NAME}_offscreen COMMAND ${T_NAME})
    set_tests_properties(${T_NAME}_offscreen PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Warsaw" TIMEOUT 600)
  endif()
endfunction()

# orvella_print_system_test(NAME name SOURCES ... LIBS ... [GTEST]): a Qt Test (or GoogleTest) executable
# run offscreen with a private CUPS scheduler and a PDF queue (tests/support/with_print_system.sh;
# tests/support/print_system.h drives them). Without CUPS the test says so and CTest counts it skipped.
function(orvella_print_system_test)
  cmake_parse_arguments(T "GTEST" "NAME" "SOURCES;LIBS" ${ARGN})
  if(T_GTEST)
    orvella_test_target(${T_NAME} "${T_SOURCES}" "${T_LIBS};GTest::gtest;GTest::gtest_main")
  else()
    orvella_test_target(${T_NAME} "${T_SOURCES}" "${T_LIBS};Qt6::Test;Qt6::Widgets")
  endif()
  add_test(NAME ${T_NAME} COMMAND ${PROJECT_SOURCE_DIR}/tests/support/with_print_system.sh $<TARGET_FILE:${T_NAME}>)
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=Europe/Warsaw" TIMEOUT 600
    SKIP_REGULAR_EXPRESSION "no private print system")
endfunction()

# orvella_fuzz(NAME name SOURCES ... LIBS ... [CORPUS dir]): a libFuzzer target, built with
# -DORVELLA_FUZZ=ON and clang. In ordinary test builds the same target runs once over its seed folder
# (CORPUS, by default tests/data/<the fuzz folder's name>) as the test fuzz_<folder>_seeds_test.
function(orvella_fuzz)
  cmake_parse_arguments(T "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  if(ORVELLA_FUZZ)
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    target_compile_options(${T_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${T_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  elseif(ORVELLA_TESTS)
    if(NOT T_CORPUS)
      get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
      set(T_CORPUS ${PROJECT_SOURCE_DIR}/tests/data/${folder})
    endif()
    if(NOT IS_DIRECTORY ${T_CORPUS})
      message(FATAL_ERROR "${T_NAME}: no seed folder ${T_CORPUS}")
    endif()
    orvella_name_prefix(prefix)
    orvella_test_executable(${prefix}_seeds_test "${T_SOURCES};${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp"
                            "${T_LIBS}" ${T_CORPUS})
  endif()
endfunction()

# orvella_benchmark(NAME name SOURCES ... LIBS ...): a Google Benchmark executable, named
# <folder>[_subject]_benchmark.
function(orvella_benchmark)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  orvella_check_name(${T_NAME} "_benchmark")
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} benchmark::benchmark)
  target_compile_definitions(${T_NAME} PRIVATE
    ORVELLA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    ORVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ORVELLA_RUNTIME_DIR="${ORVELLA_RUNTIME_DIR}")
endfunction()

# orvella_library(NAME name SOURCES ... PUBLIC_LIBS ... PRIVATE_LIBS ...): a static library of one folder.
function(orvella_library)
  cmake_parse_arguments(T "" "NAME" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${T_NAME} STATIC ${T_SOURCES})
  target_include_directories(${T_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${T_NAME} PUBLIC ${T_PUBLIC_LIBS} PRIVATE ${T_PRIVATE_LIBS})
  orvella_warnings(${T_NAME})
  set_property(GLOBAL APPEND PROPERTY ORVELLA_LIBRARIES ${T_NAME})
endfunction()

# Each library links what it includes: a header from another library's folder ("platform/files/...")
# needs that library among its own links, not merely one that some other link brings along. Run once,
# when every library is known.
function(orvella_check_links)
  get_property(libraries GLOBAL PROPERTY ORVELLA_LIBRARIES)
  foreach(library IN LISTS libraries)
    get_target_property(dir ${library} SOURCE_DIR)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
    set(owner_of_${folder} ${library})
  endforeach()
  foreach(library IN LISTS libraries)
    get_target_property(dir ${library} SOURCE_DIR)
    get_target_property(sources ${library} SOURCES)
    get_target_property(links ${library} LINK_LIBRARIES)
    foreach(source IN LISTS sources)
      file(STRINGS ${dir}/${source} includes REGEX "^#include \"")
      foreach(line IN LISTS includes)
        if(NOT line MATCHES "^#include \"(.+)/[^/]+\"")
          continue()
        endif()
        set(owner "${owner_of_${CMAKE_MATCH_1}}")
        if(owner AND NOT owner STREQUAL library AND NOT owner IN_LIST links)
          message(SEND_ERROR "${library}: ${source} includes ${CMAKE_MATCH_1}/ but the library does not link ${owner}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

# Copies data/ beside the executable: fonts/, images/, holidays/, lang/, the loose pictures, an empty temp/.
function(orvella_install_data)
  add_custom_target(orvella_data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${ORVELLA_RUNTIME_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVELLA_RUNTIME_DIR}/temp
    COMMENT "Laying out the program's data beside the executable")
endfunction()

# Nothing below the windows waits on a window or reaches into one: a library outside the window
# folders links no widget library and no window library, and its sources include no widget header,
# run no event loop and name none of the program's windows. Run once, when every library is known.
function(orvella_check_layers)
  set(window_folders app editor/options preview/window ui i18n/walk)
  get_property(libraries GLOBAL PROPERTY ORVELLA_LIBRARIES)
  set(window_libraries Qt6::Widgets)
  foreach(library IN LISTS libraries)
    get_target_property(dir ${library} SOURCE_DIR)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
    if(folder IN_LIST window_folders)
      list(APPEND window_libraries ${library})
    endif()
  endforeach()
  foreach(library IN LISTS libraries)
    if(library IN_LIST window_libraries)
      continue()
    endif()
    get_target_property(dir ${library} SOURCE_DIR)
    get_target_property(links ${library} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(link IN_LIST window_libraries)
        message(SEND_ERROR "${library} links ${link}: only the window folders (${window_folders}) may")
      endif()
    endforeach()
    get_target_property(sources ${library} SOURCES)
    foreach(source IN LISTS sources)
      file(STRINGS ${dir}/${source} reaching
           REGEX "#include <(QtWidgets|QWidget|QApplication|QDialog|QMainWindow|QMessageBox)|processEvents|exec\\(\\)|f_(Main|Options|Print)\\b")
      if(reaching)
        message(SEND_ERROR "${library}: ${source} reaches the windows: ${reaching}")
      endif()
    endforeach()
  endforeach()
endfunction()
