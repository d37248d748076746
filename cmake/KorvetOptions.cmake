# One interface target carries the language standard, the warnings and the Qt
# defines for every target of ours.
add_library(korvet_options INTERFACE)
target_compile_features(korvet_options INTERFACE cxx_std_20)
target_compile_options(korvet_options INTERFACE
  -Wall -Wextra -Wpedantic
  -Wno-missing-field-initializers)
if(KORVET_WERROR)
  target_compile_options(korvet_options INTERFACE -Werror)
endif()
target_compile_definitions(korvet_options INTERFACE
  QT_NO_KEYWORDS
  QT_NO_CAST_FROM_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
target_include_directories(korvet_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

# korvet_add_test(name SOURCES ... LIBS ...): one GoogleTest executable run by
# CTest on Qt's offscreen platform.
function(korvet_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE korvet_options korvet_test_main ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KORVET_PROGRAM_DIR=${KORVET_PROGRAM_DIR};KORVET_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()
