# `cmake --install` puts Zentu on a desktop: the program, its desktop entry, the MIME type
# of question files (so a file manager opens *.que with it), the icon in the hicolor
# theme and the example files. Included after every folder, so the program's target
# exists by now when it is built at all.
if(NOT ZENTU_BUILD_UI)
    return()
endif()

include(GNUInstallDirs)

if(TARGET zentu)
    install(TARGETS zentu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/zentu.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/zentu-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME zentu.xml)

foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/res/icons/zentu-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME zentu.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/res/icons/zentu.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zentu/examples
        FILES_MATCHING PATTERN "*.que")

# A package's triggers refresh the desktop's caches; a direct install (no DESTDIR) does it
# here, or the new MIME type and desktop entry stay unknown until the next refresh.
install(CODE "set(zentu_datadir \"${CMAKE_INSTALL_DATADIR}\")")
install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
        if(NOT IS_ABSOLUTE "${zentu_datadir}")
            set(zentu_datadir "${CMAKE_INSTALL_PREFIX}/${zentu_datadir}")
        endif()
        find_program(zentu_update_mime update-mime-database)
        find_program(zentu_update_desktop update-desktop-database)
        if(zentu_update_mime)
            execute_process(COMMAND "${zentu_update_mime}" "${zentu_datadir}/mime")
        endif()
        if(zentu_update_desktop)
            execute_process(COMMAND "${zentu_update_desktop}" -q "${zentu_datadir}/applications")
        endif()
    endif()
]])
