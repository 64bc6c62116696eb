# The source lists of the program, read by the main build and the fuzz build alike.
# Membership is by folder: kelvo_core is every folder of src/ outside desktop/, kelvo_desktop is
# src/desktop/**. Files ending in _test.cpp are the tests of the folder they sit in.
# Sets CORE_SOURCES, CORE_TEST_SOURCES, DESKTOP_SOURCES (headers too, for moc),
# DESKTOP_TEST_SOURCES, DESKTOP_MAIN (kelvoplot) and DESKTOP_WINDOWS_MAIN (kelvoplot-desktop)
# from the tree under KELVO_SOURCE_ROOT.
file(GLOB_RECURSE CORE_SOURCES CONFIGURE_DEPENDS ${KELVO_SOURCE_ROOT}/src/*.cpp)
file(GLOB_RECURSE DESKTOP_SOURCES CONFIGURE_DEPENDS ${KELVO_SOURCE_ROOT}/src/desktop/*.cpp
                                                    ${KELVO_SOURCE_ROOT}/src/desktop/*.h)
list(REMOVE_ITEM CORE_SOURCES ${DESKTOP_SOURCES})
set(CORE_TEST_SOURCES ${CORE_SOURCES})
list(FILTER CORE_TEST_SOURCES INCLUDE REGEX "_test\\.cpp$")
list(FILTER CORE_SOURCES EXCLUDE REGEX "_test\\.cpp$")
set(DESKTOP_TEST_SOURCES ${DESKTOP_SOURCES})
list(FILTER DESKTOP_TEST_SOURCES INCLUDE REGEX "_test\\.cpp$")
list(FILTER DESKTOP_SOURCES EXCLUDE REGEX "_test\\.cpp$")
set(DESKTOP_MAIN ${KELVO_SOURCE_ROOT}/src/desktop/app/main.cpp)
set(DESKTOP_WINDOWS_MAIN ${KELVO_SOURCE_ROOT}/src/desktop/app/desktop_main.cpp)
list(REMOVE_ITEM DESKTOP_SOURCES ${DESKTOP_MAIN} ${DESKTOP_WINDOWS_MAIN})
