# Compiler settings every target of the project shares.
add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(project_options INTERFACE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                       $<IF:$<CXX_COMPILER_ID:GNU>,-Wshadow=local,-Wshadow-uncaptured-local>)
if(PANTROVA_WERROR)
  target_compile_options(project_options INTERFACE -Werror)
endif()

target_compile_definitions(project_options INTERFACE
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_STRICT_ITERATORS)

if(PANTROVA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(project_options INTERFACE ${_san})
  target_link_options(project_options INTERFACE ${_san})
endif()
