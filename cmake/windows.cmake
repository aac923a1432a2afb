# Windows build: tunelift.exe and the tests that run under Wine.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
if(MSVC)
  # The manifest comes from tunelift.rc; the linker must not add a second one.
  add_link_options(/MANIFEST:NO)
endif()
if(MINGW)
  # One self-contained exe: no libstdc++/libgcc/winpthread DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Everything Windows-specific except the entry point, so that tests link the same code.
file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/win/*_win.cpp ${CMAKE_SOURCE_DIR}/ui/*_win.cpp)
list(FILTER WIN_SOURCES EXCLUDE REGEX "main_win\\.cpp$")
add_library(tunelift_win STATIC ${WIN_SOURCES})
target_link_libraries(tunelift_win PUBLIC tunelift_engine tunelift_ui_rules
                      comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32 uxtheme)

if(MINGW)
  # One commit builds the same bytes: no link time in the PE header.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# Manifest, icon and version info, shared by the exe and the window tests.
add_library(tunelift_resources OBJECT ${CMAKE_SOURCE_DIR}/ui/tunelift.rc)
target_include_directories(tunelift_resources PRIVATE ${TUNELIFT_GENERATED_DIR})
set_source_files_properties(${CMAKE_SOURCE_DIR}/ui/tunelift.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/ui/tunelift.manifest;${CMAKE_SOURCE_DIR}/ui/tunelift.ico;${TUNELIFT_GENERATED_DIR}/tunelift_version.h")

add_executable(tunelift WIN32 ${CMAKE_SOURCE_DIR}/ui/main_win.cpp $<TARGET_OBJECTS:tunelift_resources>)
target_link_libraries(tunelift PRIVATE tunelift_win)
if(MINGW)
  target_link_options(tunelift PRIVATE -municode -s)
endif()

# tunelift-cli.exe: the same run and file services as a console program, beside tunelift.exe.
file(GLOB CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/console/*_win.cpp)
add_executable(tunelift-cli ${CLI_SOURCES} ${CMAKE_SOURCE_DIR}/console/tunelift_cli.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/console/tunelift_cli.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/console/tunelift_cli.manifest;${CMAKE_SOURCE_DIR}/ui/tunelift.ico;${TUNELIFT_GENERATED_DIR}/tunelift_version.h")
# The icon lives with the window's resources.
target_include_directories(tunelift-cli PRIVATE ${CMAKE_SOURCE_DIR}/ui ${TUNELIFT_GENERATED_DIR})
target_link_libraries(tunelift-cli PRIVATE tunelift_console tunelift_win)
if(MINGW)
  target_link_options(tunelift-cli PRIVATE -municode -s)
endif()

if(TUNELIFT_TESTS)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()

  set(WINE_TEST_ENV
      "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
      "WINEDEBUG=-all"
      "WINEDLLOVERRIDES=mscoree,mshtml=\\;winemenubuilder.exe=d")

  # Shared test helpers, compiled once for every suite.
  file(GLOB WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
  add_library(win_test_support STATIC ${WIN_TEST_SUPPORT})
  target_include_directories(win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win/support)
  target_link_libraries(win_test_support PUBLIC tunelift_win tunelift_test_support GTest::gtest)

  # One executable per folder under tests/win: each costs one Wine start.
  file(GLOB WIN_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/win/*)
  foreach(dir ${WIN_TEST_DIRS})
    if(NOT IS_DIRECTORY ${dir})
      continue()
    endif()
    get_filename_component(suite ${dir} NAME)
    file(GLOB suite_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(suite STREQUAL "support" OR NOT suite_sources)
      continue()
    endif()
    set(target win_${suite}_tests)
    add_executable(${target} ${suite_sources} $<TARGET_OBJECTS:tunelift_resources>)
    target_link_libraries(${target} PRIVATE win_test_support GTest::gtest_main)
    # A suite that needs the machine prepared (a file system mounted) has a script
    # that prepares it and runs the suite.
    if(EXISTS ${dir}/${suite}_test.sh)
      add_test(NAME ${target} COMMAND bash ${dir}/${suite}_test.sh $<TARGET_FILE:${target}> --gtest_brief=1)
    else()
      add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    endif()
    set_tests_properties(${target} PROPERTIES TIMEOUT 600 ENVIRONMENT "${WINE_TEST_ENV}")
  endforeach()

  # The window's DPI test once more on a system at 144 dpi, where the system's own
  # metrics come scaled (tools/wine-env.sh makes that prefix).
  set(HIDPI_TEST_ENV ${WINE_TEST_ENV})
  list(FILTER HIDPI_TEST_ENV EXCLUDE REGEX "^WINEPREFIX=")
  list(APPEND HIDPI_TEST_ENV "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-144dpi" "TUNELIFT_SYSTEM_DPI=144")
  add_test(NAME win_window_tests_144dpi
           COMMAND win_window_tests --gtest_brief=1 --gtest_filter=Dpi.*:MainWindow.Controls*)
  set_tests_properties(win_window_tests_144dpi PROPERTIES TIMEOUT 600 ENVIRONMENT "${HIDPI_TEST_ENV}")
  # The command-line suite starts both programs as processes.
  if(TARGET win_cli_tests)
    add_dependencies(win_cli_tests tunelift-cli tunelift)
  endif()
  # The sticks suite runs tunelift-cli onto them.
  if(TARGET win_sticks_tests)
    add_dependencies(win_sticks_tests tunelift-cli)
  endif()
  # The release: packed, installed and uninstalled at the project's version; and the two
  # programs built once more, which must give the same bytes.
  if(TARGET win_release_tests)
    target_link_libraries(win_release_tests PRIVATE version)
    add_dependencies(win_release_tests tunelift tunelift-cli)
    set_property(TEST win_release_tests APPEND PROPERTY ENVIRONMENT "TUNELIFT_VERSION=${PROJECT_VERSION}")
    add_test(NAME release_programs_reproducible
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/release/reproducible_test.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
    # The longest test: started first, so the Wine suites run beside it.
    set_tests_properties(release_programs_reproducible PROPERTIES TIMEOUT 600 COST 1000)
  endif()
  # tunelift-cli from a Linux shell through Wine.
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME cli_from_linux_shell
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/cli/linux_shell_test.sh
                     ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tunelift-cli>)
    set_tests_properties(cli_from_linux_shell PROPERTIES TIMEOUT 300 ENVIRONMENT "${WINE_TEST_ENV}")
  endif()
endif()

file(GLOB WIN_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench_win.cpp)
foreach(src ${WIN_BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} $<TARGET_OBJECTS:tunelift_resources>)
  target_link_libraries(${name} PRIVATE tunelift_win tunelift_console tunelift_test_support)
  if(MINGW)
    target_link_options(${name} PRIVATE -municode)
  endif()
endforeach()
# The verify benchmark sets XXH3 beside Windows' own SHA-256.
if(TARGET verify_bench_win)
  target_link_libraries(verify_bench_win PRIVATE bcrypt)
endif()

# Small automation tools (screenshots for the README).
file(GLOB WIN_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*_win.cpp)
foreach(src ${WIN_TOOL_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  string(REPLACE "_win" "" name ${name})
  add_executable(${name} ${src})
  if(MINGW)
    target_link_options(${name} PRIVATE -municode)
  endif()
endforeach()
