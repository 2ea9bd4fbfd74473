# Fuzz targets, built two ways from the same sources.
#
#   pantrova_add_fuzz_target(<name> SOURCES <files...> [LIBS <targets...>] [CORPUS <folder>]
#                            [SECONDS <n>])
#
# <files> define `LLVMFuzzerTestOneInput` (and may define `LLVMFuzzerInitialize`); "FuzzBytes.h"
# (tests/fuzz) helps turn the input into values. CORPUS (a folder, relative to the calling
# CMakeLists.txt; default <name>) holds the checked-in inputs: `seeds/`, where fuzzing starts, and `regressions/`,
# inputs that once crashed or misbehaved (add the file libFuzzer wrote; name it for the fault).
#
# In the fuzz tree (a separate build folder configured with clang and -DPANTROVA_FUZZ=ON) <name> is
# a libFuzzer program with AddressSanitizer and UndefinedBehaviorSanitizer. CTest runs it for
# SECONDS (default PANTROVA_FUZZ_SECONDS) under the label "fuzz", starting from the checked-in
# inputs; new inputs go to <build>/fuzz-work/<name>/corpus, a crashing input to <build>/fuzz-work/<name>/.
#
# In the normal tree, <name>_replay runs every checked-in input once through the same code as part
# of the normal suite, so each regression stays fixed in every build.
option(PANTROVA_FUZZ "Build only the fuzz targets and the libraries they need (clang, libFuzzer)" OFF)
set(PANTROVA_FUZZ_SECONDS 20 CACHE STRING "How long CTest runs each fuzz target in the fuzz tree")

set(_pantrova_fuzz_support ${CMAKE_CURRENT_LIST_DIR}/../tests/fuzz)
set(_pantrova_fuzz_env
    "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1")

if(PANTROVA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "PANTROVA_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++ "
                        "-DCMAKE_C_COMPILER=clang")
  endif()
  if(PANTROVA_SANITIZE)
    message(FATAL_ERROR "PANTROVA_FUZZ brings its own sanitizers: leave PANTROVA_SANITIZE off")
  endif()
  # Every library of the fuzz tree reports coverage to the fuzzer and runs under the sanitizers.
  set(_fuzz_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(project_options INTERFACE -fsanitize=fuzzer-no-link ${_fuzz_san})
  target_link_options(project_options INTERFACE ${_fuzz_san})
endif()

function(pantrova_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "pantrova_add_fuzz_target(${name}): SOURCES is required")
  endif()
  if(NOT ARG_CORPUS)
    set(ARG_CORPUS ${name})
  endif()
  get_filename_component(ARG_CORPUS ${ARG_CORPUS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS ${PANTROVA_FUZZ_SECONDS})
  endif()
  set(_inputs)
  foreach(_part seeds regressions)
    if(IS_DIRECTORY ${ARG_CORPUS}/${_part})
      list(APPEND _inputs ${ARG_CORPUS}/${_part})
    endif()
  endforeach()
  if(NOT _inputs)
    message(FATAL_ERROR "pantrova_add_fuzz_target(${name}): no seeds/ or regressions/ in ${ARG_CORPUS}")
  endif()

  if(PANTROVA_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    target_link_libraries(${name} PRIVATE project_options ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${_pantrova_fuzz_support})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(_work ${CMAKE_BINARY_DIR}/fuzz-work/${name})
    file(MAKE_DIRECTORY ${_work}/corpus)
    # The first folder receives what the run finds; the checked-in ones are only read.
    add_test(NAME ${name}
             COMMAND ${name} -max_total_time=${ARG_SECONDS} -timeout=10 -rss_limit_mb=4096
                     -print_final_stats=1 -artifact_prefix=${_work}/ ${_work}/corpus ${_inputs})
    math(EXPR _timeout "${ARG_SECONDS} + 300")
    set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT ${_timeout} ENVIRONMENT "${_pantrova_fuzz_env}")
  else()
    add_executable(${name}_replay ${ARG_SOURCES} ${_pantrova_fuzz_support}/FuzzReplayMain.cpp)
    set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name}_replay PRIVATE project_options ${ARG_LIBS})
    target_include_directories(${name}_replay PRIVATE ${_pantrova_fuzz_support})
    add_test(NAME ${name}_replay COMMAND ${name}_replay ${_inputs})
    set_tests_properties(${name}_replay PROPERTIES TIMEOUT 300 ENVIRONMENT "${_pantrova_fuzz_env}")
  endif()
endfunction()
