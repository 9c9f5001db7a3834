# gw_add_gtest(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest executable whose cases are registered with CTest one by one.
function(gw_add_gtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    GW_SOURCE_DIR="${CMAKE_SOURCE_DIR}" GW_PROGRAM_DIR="${GW_PROGRAM_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# gw_add_qtest(NAME name SOURCES a.cpp LIBS lib1 lib2)
# A QtTest program (widgets driven offscreen), registered with CTest as one test.
function(gw_add_qtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test)
  target_compile_definitions(${T_NAME} PRIVATE
    GW_SOURCE_DIR="${CMAKE_SOURCE_DIR}" GW_PROGRAM_DIR="${GW_PROGRAM_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# gw_library_headers(target [HEADERS a.h b.h])
# Makes the target's headers, and only those, visible to the target and to what links it, under
# the one include style "folder/file.h" relative to the source root. Its headers are the header
# beside each of its .cpp sources, the headers among its sources, and the HEADERS listed (paths
# relative to the current source folder). They are linked into an include tree of the target's
# own in the build folder, which goes on its include path: PUBLIC for a library, INTERFACE for a
# header-only one, PRIVATE for a program. A header of a library the target does not link is not
# found, so a missing link fails the build instead of going unnoticed. Call it after the
# target's sources are all added.
function(gw_library_headers target)
  cmake_parse_arguments(H "" "" "HEADERS" ${ARGN})
  get_target_property(type ${target} TYPE)
  get_target_property(target_dir ${target} SOURCE_DIR)
  set(sources)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(sources ${target} SOURCES)
  endif()
  set(headers)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\$<")  # generator expressions name nothing to link
      continue()
    endif()
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${target_dir})
    if(source MATCHES "\\.h$")
      list(APPEND headers ${source})
    elseif(source MATCHES "\\.cpp$")
      string(REGEX REPLACE "\\.cpp$" ".h" companion ${source})
      if(EXISTS ${companion})
        list(APPEND headers ${companion})
      endif()
    endif()
  endforeach()
  foreach(header IN LISTS H_HEADERS)
    get_filename_component(header ${header} ABSOLUTE)
    if(NOT EXISTS ${header})
      message(FATAL_ERROR "gw_library_headers(${target}): ${header} does not exist")
    endif()
    list(APPEND headers ${header})
  endforeach()
  list(REMOVE_DUPLICATES headers)
  set_property(GLOBAL APPEND PROPERTY GW_LIBRARY_HEADERS ${headers})

  # Rebuilt at every configure, so that a header taken off the list disappears from the tree.
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  foreach(header IN LISTS headers)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${header})
    if(relative MATCHES "^\\.\\./")
      message(FATAL_ERROR "gw_library_headers(${target}): ${header} is outside the source tree")
    endif()
    get_filename_component(folder ${root}/${relative} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${header} ${root}/${relative} SYMBOLIC)
  endforeach()

  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# gw_add_sound_clips(target PREFIX /prefix COUNT n)
# The short clips 1.wav ... n.wav, made at build time by data/sounds/make_sounds.py and
# compiled into the target as Qt resources under PREFIX (":/prefix/1.wav", ...).
function(gw_add_sound_clips target)
  cmake_parse_arguments(S "" "PREFIX;COUNT" "" ${ARGN})
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}_sounds)
  set(clips)
  foreach(n RANGE 1 ${S_COUNT})
    list(APPEND clips ${folder}/${n}.wav)
  endforeach()
  add_custom_command(
    OUTPUT ${clips}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/data/sounds/make_sounds.py ${folder}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/sounds/make_sounds.py
    COMMENT "Making the sound clips of ${target}")
  qt_add_resources(${target} ${target}_sounds PREFIX ${S_PREFIX} BASE ${folder} FILES ${clips})
endfunction()

# gw_check_library_headers(folder ...)
# Fails the configuration, naming the header, when a header under the folders belongs to no
# target's gw_library_headers(): such a header cannot be included from anywhere (a new
# header-only file wants adding to its library's HEADERS).
function(gw_check_library_headers)
  get_property(exported GLOBAL PROPERTY GW_LIBRARY_HEADERS)
  set(orphans)
  foreach(folder IN LISTS ARGN)
    file(GLOB_RECURSE headers ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    foreach(header IN LISTS headers)
      if(NOT header IN_LIST exported)
        file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${header})
        list(APPEND orphans ${relative})
      endif()
    endforeach()
  endforeach()
  if(orphans)
    list(JOIN orphans "\n  " orphans)
    message(FATAL_ERROR "Headers of no library (add each to gw_library_headers(... HEADERS) "
                        "of the library it belongs to):\n  ${orphans}")
  endif()
endfunction()

# gw_install_desktop_program(target COMPONENT c DESKTOP x.desktop MIME x.xml ICON x.svg)
# Installs a window program with its desktop entry, shared-mime-info type and icon (the
# files named relative to data/desktop), all in one install component.
function(gw_install_desktop_program target)
  cmake_parse_arguments(P "" "COMPONENT;DESKTOP;MIME;ICON" "" ${ARGN})
  set(desktop ${CMAKE_SOURCE_DIR}/data/desktop)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${P_COMPONENT})
  install(FILES ${desktop}/${P_DESKTOP} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          COMPONENT ${P_COMPONENT})
  install(FILES ${desktop}/${P_MIME} DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          COMPONENT ${P_COMPONENT})
  install(FILES ${desktop}/${P_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          COMPONENT ${P_COMPONENT})
endfunction()
