# What only the Windows build needs (cross-built by scripts/package-windows.sh
# with cmake/mingw-w64-x86_64.cmake): the programs' icon and version resource.
enable_language(RC)

# Gives program `target` Velmora's icon and a version resource that
# describes it as `description`.
function(velmora_windows_resource target description)
    set(VELMORA_RC_NAME ${target})
    set(VELMORA_RC_FILE ${target}.exe)
    set(VELMORA_RC_DESCRIPTION "${description}")
    set(VELMORA_RC_ICON ${PROJECT_SOURCE_DIR}/resources/windows/velmora.ico)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/windows/velmora.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${VELMORA_RC_ICON})
endfunction()
