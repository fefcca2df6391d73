# trotix-gait.exe and trotix-drive.exe land at the top of the build folder,
# beside trotix.exe, and
#   cmake --build --preset windows --target windows_package
# zips them with the picture they read, the sample robot's gait file and a
# short README:
# build/windows/trotix-windows.zip.
set_target_properties(trotix-gait trotix-drive PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
set(trotix_windows_programs trotix-gait trotix-drive)
if(TROTIX_BUILD_GUI)
  list(APPEND trotix_windows_programs trotix)
endif()

set(trotix_zip ${PROJECT_BINARY_DIR}/trotix-windows.zip)
set(trotix_stage ${PROJECT_BINARY_DIR}/windows-package)
configure_file(${CMAKE_CURRENT_LIST_DIR}/WindowsReadme.txt.in
  ${PROJECT_BINARY_DIR}/README.txt NEWLINE_STYLE WIN32)
set(trotix_strip_commands)
foreach(program IN LISTS trotix_windows_programs)
  # The debug information stays in the build; the zip carries the program.
  list(APPEND trotix_strip_commands COMMAND ${CMAKE_STRIP} --strip-debug
    -o ${trotix_stage}/${program}.exe $<TARGET_FILE:${program}>)
endforeach()
add_custom_command(OUTPUT ${trotix_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${trotix_stage} ${trotix_zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${trotix_stage}/Data
  ${trotix_strip_commands}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/Data/Star.bmp ${trotix_stage}/Data/
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/examples/robot.yaml ${trotix_stage}/
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/README.txt ${trotix_stage}/
  COMMAND ${CMAKE_COMMAND} -E chdir ${trotix_stage} zip -q -X -r ${trotix_zip} .
  DEPENDS ${trotix_windows_programs} ${PROJECT_SOURCE_DIR}/Data/Star.bmp
    ${PROJECT_SOURCE_DIR}/examples/robot.yaml
    ${PROJECT_BINARY_DIR}/README.txt
  COMMENT "Zipping the Windows programs into trotix-windows.zip"
  VERBATIM)
add_custom_target(windows_package DEPENDS ${trotix_zip})
