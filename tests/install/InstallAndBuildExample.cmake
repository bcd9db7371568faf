# Installs the build into a fresh prefix and uses it as an outside project would: the example is
# configured with find_package, built and run offscreen; the minimal client is built with
# pkg-config alone. Arguments: BUILD_DIR, SOURCE_DIR, WORK_DIR, CXX.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed (${rc}):\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# Only public headers are installed.
file(GLOB_RECURSE private_headers ${prefix}/include/*_p.h)
if(private_headers)
  message(FATAL_ERROR "private headers installed: ${private_headers}")
endif()
foreach(f include/quillfen/VxDialog.h include/quillfen/VxDesignLoader.h include/quillfen/QuillfenVersion.h bin/quillfen)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "${f} is not installed")
  endif()
endforeach()

# The example, through the CMake package (Qt comes with it).
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/taskdialogs -B ${WORK_DIR}/example
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=${CXX})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/example)
set(ENV{QT_QPA_PLATFORM} offscreen)
run(${WORK_DIR}/example/taskdialogs --answer)
message(STATUS "example said:\n${run_output}")
foreach(line "Quillfen 0.1" "handlers connected: 1" "design shown" "coded: 6" "designed: 6" "message: 1" "input: 1 backup")
  string(FIND "${run_output}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the example did not print \"${line}\"")
  endif()
endforeach()
run(${WORK_DIR}/example/taskdialogs --render ${WORK_DIR}/designed.png)
file(SIZE ${WORK_DIR}/designed.png png_size)
if(png_size LESS 1000)
  message(FATAL_ERROR "the rendered design is ${png_size} bytes")
endif()

# The minimal client, with pkg-config only.
file(GLOB pc_file ${prefix}/lib*/pkgconfig/quillfen.pc ${prefix}/lib/*/pkgconfig/quillfen.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run(pkg-config --cflags --libs quillfen)
string(STRIP "${run_output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(${CXX} -std=c++20 -Wall -Wextra -Werror ${SOURCE_DIR}/examples/minimal/main.cpp ${flags}
    -Wl,-rpath,${pc_dir}/.. -o ${WORK_DIR}/minimal)
