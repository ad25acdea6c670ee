# Plays one walkthrough of a story in stories/ through the plain line mode
# and compares what it prints with the expected transcript.
#
#   cmake -DTERM=velmo-term -DSTORY=stories/NAME.velmo -DINPUT=dir/WALK.in
#         -DWORK_DIR=dir [-DRECORD=1] [-DCOMPILE=1] -P run_walkthrough.cmake
#
# WALK.out beside WALK.in holds the expected output; WALK.args may add
# options (--seed 1 is always given). The game runs in a fresh folder
# WORK_DIR/WALK, so saved games and the picture window's temporary file
# stay out of the source tree. With RECORD the output is written to
# WALK.out instead of compared: read it before committing it.

get_filename_component(dir "${INPUT}" DIRECTORY)
get_filename_component(name "${INPUT}" NAME_WE)

set(args --plain --seed 1)
if(EXISTS "${dir}/${name}.args")
  file(READ "${dir}/${name}.args" extra)
  separate_arguments(extra UNIX_COMMAND "${extra}")
  list(APPEND args ${extra})
endif()

set(work "${WORK_DIR}/${name}")
if(COMPILE)
  set(work "${WORK_DIR}/${name}.compiled")
endif()
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
# The player's own folders (options, data, the temporary picture) lie in
# the work folder too, never in the home folder of whoever runs the tests.
set(ENV{XDG_CONFIG_HOME} "${work}/xdg/config")
set(ENV{XDG_DATA_HOME} "${work}/xdg/data")
set(ENV{XDG_CACHE_HOME} "${work}/xdg/cache")

# With COMPILE the story's folder is copied into the work folder, compiled
# there, and the compiled story plays the same walkthrough: its output must
# be the same as the source's.
if(COMPILE)
  get_filename_component(story_dir "${STORY}" DIRECTORY)
  get_filename_component(story_name "${STORY}" NAME_WE)
  file(COPY "${story_dir}/" DESTINATION "${work}/story")
  execute_process(
    COMMAND "${TERM}" --compile "story/${story_name}.velmo"
    WORKING_DIRECTORY "${work}"
    OUTPUT_VARIABLE report
    RESULT_VARIABLE rc)
  if(NOT "${rc}" STREQUAL "0")
    message(FATAL_ERROR "${name}: compiling failed (${rc}): ${report}")
  endif()
  set(STORY "${work}/story/${story_name}.data")
endif()

execute_process(
  COMMAND "${TERM}" ${args} "${STORY}"
  WORKING_DIRECTORY "${work}"
  INPUT_FILE "${INPUT}"
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
  file(WRITE "${work}/${name}.actual" "${actual}")
  message(SEND_ERROR "${name}: output differs from ${name}.out; see ${work}/${name}.actual")
  set(failed TRUE)
endif()
if(NOT "${rc}" STREQUAL "0")
  message(SEND_ERROR "${name}: exit code ${rc}, expected 0. ${errors}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${name}: failed")
endif()
