# Writes the header naming the commit the plug-in is built from, for the log
# banner: DROVIL_BUILD_COMMIT is the abbreviated commit, with "+changes" when
# tracked files differ from it, or "unknown commit" outside a git checkout. Run
# at every build; the header is rewritten only when its text changes, so an
# unchanged commit rebuilds nothing.
#
# Run as: cmake -DSOURCE_DIR=... -DOUTPUT=... -P build_id.cmake
cmake_minimum_required(VERSION 3.25)

set(commit "unknown commit")
find_program(GIT_EXECUTABLE git)
if(GIT_EXECUTABLE)
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
    OUTPUT_VARIABLE head RESULT_VARIABLE head_rc OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(head_rc EQUAL 0 AND head MATCHES "^[0-9a-f]+$")
    set(commit "${head}")
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" status --porcelain --untracked-files=no
      OUTPUT_VARIABLE changes RESULT_VARIABLE status_rc ERROR_QUIET)
    if(status_rc EQUAL 0 AND NOT changes STREQUAL "")
      string(APPEND commit "+changes")
    endif()
  endif()
endif()

set(text "/* Generated at build time by cmake/build_id.cmake. */\n#define DROVIL_BUILD_COMMIT \"${commit}\"\n")
file(WRITE "${OUTPUT}.new" "${text}")
configure_file("${OUTPUT}.new" "${OUTPUT}" COPYONLY)
file(REMOVE "${OUTPUT}.new")
