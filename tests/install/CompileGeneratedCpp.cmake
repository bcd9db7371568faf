# Generated C++ against the installed package: writes the designs and their creation code, has
# the installed `quillfen render` draw each design, compiles all generated code into one program
# with -Wall -Wextra -Werror and lets it compare its own renders with those pictures.
# Arguments: PREFIX, SOURCE_DIR, WORK_DIR, WRITER, CXX.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/designs ${WORK_DIR}/reference ${WORK_DIR}/rendered)
set(ENV{QT_QPA_PLATFORM} offscreen)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed (${rc}):\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

run(${WRITER} ${WORK_DIR}/designs)
file(GLOB designs ${WORK_DIR}/designs/*.dfm)
foreach(dfm ${designs})
  get_filename_component(name ${dfm} NAME_WE)
  run(${PREFIX}/bin/quillfen render --from ${dfm} --out ${WORK_DIR}/reference/${name}.png)
endforeach()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install/cpp -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${PREFIX} -DDESIGN_DIR=${WORK_DIR}/designs -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_CXX_COMPILER=${CXX})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
execute_process(COMMAND ${WORK_DIR}/build/generated_designs ${WORK_DIR}/reference ${WORK_DIR}/rendered
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generated code renders differently (${rc}):\n${out}\n${err}")
endif()
