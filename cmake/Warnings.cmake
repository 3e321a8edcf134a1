# One set of compiler warnings for every target of the project: libraries, programs,
# tests and fuzzers link `vantor_warnings`. CI turns them into errors
# (-DVANTOR_WARNINGS_AS_ERRORS=ON); a developer's build only shows them.
option(VANTOR_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(vantor_warnings INTERFACE)
target_compile_options(vantor_warnings INTERFACE
  -Wall -Wextra -Wpedantic
  -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
  -Wimplicit-fallthrough -Wformat -Wformat-security -Wmisleading-indentation
  $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond -Wduplicated-branches -Wlogical-op>
  $<$<BOOL:${VANTOR_WARNINGS_AS_ERRORS}>:-Werror>)
