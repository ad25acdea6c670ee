# Plays one story of the golden transcripts through the plain line mode
# and compares what it prints with the expected transcript.
#
#   cmake -DTERM=velmo-term -DSTORY=dir/NAME.velmo -DACTUAL_DIR=dir
#         [-DRECORD=1] -P run_story.cmake
#
# NAME.in holds the input lines, NAME.out the expected output. Optional:
# NAME.args (further options, default none besides --seed 1) and NAME.rc
# (the expected exit code, default 0). With RECORD the output is written
# to NAME.out instead of compared: read it before committing it.

get_filename_component(dir "${STORY}" DIRECTORY)
get_filename_component(name "${STORY}" NAME_WE)

set(args --plain --seed 1)
if(EXISTS "${dir}/${name}.args")
  file(READ "${dir}/${name}.args" extra)
  separate_arguments(extra UNIX_COMMAND "${extra}")
  list(APPEND args ${extra})
endif()
set(expected_rc 0)
if(EXISTS "${dir}/${name}.rc")
  file(READ "${dir}/${name}.rc" expected_rc)
  string(STRIP "${expected_rc}" expected_rc)
endif()

# The story runs in a fresh folder of the build tree holding a copy of its
# files, so saved games and the picture window's file never land in the
# source tree. It is named without its folder, so messages show only its
# name.
set(work "${ACTUAL_DIR}/${name}")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(GLOB story_files "${dir}/${name}.*")
# The player's own folders (options, data, the temporary picture) lie in
# the work folder too, never in the home folder of whoever runs the tests.
set(ENV{XDG_CONFIG_HOME} "${work}/xdg/config")
set(ENV{XDG_DATA_HOME} "${work}/xdg/data")
set(ENV{XDG_CACHE_HOME} "${work}/xdg/cache")
file(COPY ${story_files} DESTINATION "${work}")
execute_process(
  COMMAND "${TERM}" ${args} "${name}.velmo"
  WORKING_DIRECTORY "${work}"
  INPUT_FILE "${dir}/${name}.in"
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE rc)

if(RECORD)
  file(WRITE "${dir}/${name}.out" "${actual}")
  message(STATUS "${name}: recorded, exit code ${rc}")
  return()
endif()

file(READ "${dir}/${name}.out" expected)
set(failed FALSE)
if(NOT "${actual}" STREQUAL "${expected}")
  file(MAKE_DIRECTORY "${ACTUAL_DIR}")
  file(WRITE "${ACTUAL_DIR}/${name}.actual" "${actual}")
  message(SEND_ERROR "${name}: output differs from ${name}.out; see ${ACTUAL_DIR}/${name}.actual")
  set(failed TRUE)
endif()
if(NOT "${rc}" STREQUAL "${expected_rc}")
  message(SEND_ERROR "${name}: exit code ${rc}, expected ${expected_rc}. ${errors}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${name}: failed")
endif()
