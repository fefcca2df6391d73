# Run with cmake -P: installs the Trotix build at TROTIX_BUILD_DIR into a
# scratch prefix, then configures, builds and runs the consumer project
# against it. Any failing step fails the test.
foreach(var TROTIX_BUILD_DIR SCRATCH_DIR CONSUMER_SOURCE_DIR CXX_COMPILER GENERATOR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}")
  endif()
  message(STATUS "${what}: ok")
  set(step_output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${SCRATCH_DIR}/prefix)
set(build ${SCRATCH_DIR}/build)
file(REMOVE_RECURSE ${SCRATCH_DIR})

run_step("install" ${CMAKE_COMMAND} --install ${TROTIX_BUILD_DIR} --prefix ${prefix})
# Exactly the public headers, nothing internal.
file(GLOB_RECURSE installed RELATIVE ${prefix}/include ${prefix}/include/*)
list(SORT installed)
if(NOT installed STREQUAL "trotix/JointCommandConversion.h;trotix/LegGeometry.h;trotix/SliderMapping.h;trotix/WalkEngine.h;trotix/WalkTypes.h")
  message(FATAL_ERROR "installed headers: ${installed}")
endif()

# A sanitizer build of the engine needs the same run-time in its users.
set(flags "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined")
endif()
run_step("configure consumer" ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${build}
  -G ${GENERATOR}
  -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
  -DCMAKE_CXX_FLAGS=${flags}
  -DCMAKE_EXE_LINKER_FLAGS=${flags}
  -DCMAKE_PREFIX_PATH=${prefix})
run_step("build consumer" ${CMAKE_COMMAND} --build ${build})
run_step("run consumer" ${build}/walk_consumer)
message(STATUS "${step_output}")
file(REMOVE_RECURSE ${SCRATCH_DIR})
