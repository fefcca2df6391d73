# Installs the walk engine as a CMake package, so that other projects can use
#   find_package(Trotix REQUIRED)
#   target_link_libraries(app PRIVATE Trotix::engine)
# and include "trotix/WalkEngine.h" (and "trotix/SliderMapping.h").
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(TROTIX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Trotix)

set_target_properties(trotix_engine PROPERTIES EXPORT_NAME engine)
install(TARGETS trotix_engine EXPORT TrotixTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the public headers; they include one another by their own names.
# The engine's include directory in the installed tree is "include".
file(GLOB trotix_public_headers ${PROJECT_SOURCE_DIR}/include/trotix/*.h)
install(FILES ${trotix_public_headers} DESTINATION include/trotix)
install(EXPORT TrotixTargets
  NAMESPACE Trotix::
  DESTINATION ${TROTIX_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/TrotixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TrotixConfig.cmake
  INSTALL_DESTINATION ${TROTIX_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TrotixConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/TrotixConfig.cmake
  ${PROJECT_BINARY_DIR}/TrotixConfigVersion.cmake
  DESTINATION ${TROTIX_CMAKE_DIR})
