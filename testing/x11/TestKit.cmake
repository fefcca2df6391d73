# Starting the program, reading the screen and driving it from outside: the
# Linux test kit, included by the Linux tests and by the host-built tests of
# the Windows program under Wine.
add_library(trotix_app_testkit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenMeasures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XSession.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/TrotixHeaders.cmake)
trotix_stage_headers(trotix_app_testkit FOLDER ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(trotix_app_testkit PUBLIC X11::X11)
