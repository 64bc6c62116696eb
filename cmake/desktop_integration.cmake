# The desktop side's extras: icons compiled into the program, the motion device library, the
# HTML help written at build time, and what `cmake --install` puts into the prefix (program,
# .desktop file, MIME type, icons, man page, help). Included by the top-level CMakeLists.txt after
# kelvo_desktop and kelvoplot are defined.

find_package(Qt6 REQUIRED COMPONENTS DBus Network)
find_library(SPNAV_LIBRARY spnav REQUIRED)
find_path(SPNAV_INCLUDE_DIR spnav.h REQUIRED)
target_link_libraries(kelvo_desktop PUBLIC Qt6::DBus Qt6::Network ${SPNAV_LIBRARY})
target_include_directories(kelvo_desktop PRIVATE ${SPNAV_INCLUDE_DIR})

set(KELVO_ICONS kelvoplot.svg kelvoplot-figure.svg kelvoplot-preview.svg
                application-x-kelvoplot.svg open.svg new-figure-default.svg new-figure.svg)
list(TRANSFORM KELVO_ICONS PREPEND "data/icons/")
qt_add_resources(kelvo_desktop kelvo_icons PREFIX "/icons" BASE data/icons
                 FILES ${KELVO_ICONS})

# --- HTML help: the help topics and the gallery, with pictures drawn by the program ----------------
add_executable(make_help tools/make_help.cpp)
target_link_libraries(make_help PRIVATE kelvo_core)

set(KELVO_HELP_DIR "${CMAKE_CURRENT_BINARY_DIR}/help")
file(GLOB GALLERY_SCRIPTS CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/examples/gallery/*.kp")
set(GALLERY_PICTURES)
foreach(script ${GALLERY_SCRIPTS})
    get_filename_component(name "${script}" NAME_WE)
    set(picture "${KELVO_HELP_DIR}/gallery/${name}.png")
    add_custom_command(
        OUTPUT "${picture}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${KELVO_HELP_DIR}/gallery"
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:kelvoplot> --export "${picture}" "${script}"
        WORKING_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/examples/gallery"
        DEPENDS kelvoplot "${script}"
        COMMENT "Drawing the help picture ${name}.png"
        VERBATIM)
    list(APPEND GALLERY_PICTURES "${picture}")
endforeach()
add_custom_command(
    OUTPUT "${KELVO_HELP_DIR}/index.html"
    COMMAND make_help "${KELVO_HELP_DIR}" ${GALLERY_SCRIPTS}
    DEPENDS make_help ${GALLERY_SCRIPTS}
    COMMENT "Writing the HTML help"
    VERBATIM)
add_custom_target(html_help ALL DEPENDS "${KELVO_HELP_DIR}/index.html" ${GALLERY_PICTURES})

# --- installation ---------------------------------------------------------------------------------
include(GNUInstallDirs)
install(TARGETS kelvoplot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/kelvoplot.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/kelvoplot-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME kelvoplot.xml)
install(FILES data/icons/kelvoplot.svg data/icons/kelvoplot-figure.svg
              data/icons/kelvoplot-preview.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/icons/application-x-kelvoplot.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
install(FILES data/kelvoplot.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(DIRECTORY "${KELVO_HELP_DIR}/" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvoplot/html)
# Refreshes the MIME, desktop and icon caches of the prefix where their tools exist; running it
# again only rebuilds the same caches.
install(CODE "
    set(prefix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
    function(refresh tool)
        find_program(found \${tool})
        if(found)
            execute_process(COMMAND \${found} \${ARGN} RESULT_VARIABLE failed ERROR_VARIABLE why)
            if(failed)
                message(WARNING \"\${tool}: \${why}\")
            endif()
        endif()
        unset(found CACHE)
    endfunction()
    refresh(update-mime-database \"\${prefix}/mime\")
    refresh(update-desktop-database -q \"\${prefix}/applications\")
    if(EXISTS \"\${prefix}/icons/hicolor/index.theme\")
        refresh(gtk-update-icon-cache -q -t \"\${prefix}/icons/hicolor\")
    endif()
")

# The help's place relative to the program, installed and in the build tree.
target_compile_definitions(kelvo_desktop PRIVATE
    KELVO_INSTALLED_HELP="../${CMAKE_INSTALL_DATADIR}/doc/kelvoplot/html/index.html")

add_test(NAME install_tree
         COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/scripts/check_install.sh" "${CMAKE_BINARY_DIR}")
