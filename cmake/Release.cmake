# The release archive a musician installs from: the plug-in of each width in a folder of its own, the
# user's guide and the panel picture beside them, and nothing else. Every Windows build installs its own
# plug-in; the archive gathers those of the builds in QUENVALE_RELEASE_BUILDS (the 32-bit preset names
# both widths) and the guide and the picture of this build. `cpack --preset release` writes it.
math(EXPR quenvale_bits "${CMAKE_SIZEOF_VOID_P} * 8")

# The archive's plug-in is the tested one stripped of its symbols and debugging sections, which a
# musician has no use for; the full one stays in bin/ for the tests and for debugging, and the archive's
# check compares the two section by section.
set(quenvale_stripped ${CMAKE_BINARY_DIR}/stripped/QuenvaleCompressor.dll)
add_custom_command(OUTPUT ${quenvale_stripped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/stripped
    COMMAND ${CMAKE_STRIP} --strip-all -o ${quenvale_stripped} $<TARGET_FILE:QuenvaleCompressor>
    DEPENDS QuenvaleCompressor
    COMMENT "Stripping the release plug-in")
add_custom_target(QuenvaleCompressorStripped ALL DEPENDS ${quenvale_stripped})
install(FILES ${quenvale_stripped} DESTINATION ${quenvale_bits}-bit COMPONENT plugin)
install(FILES docs/UserGuide.md DESTINATION . RENAME QuenvaleCompressor-UserGuide.md COMPONENT guide)
install(FILES resources/panel-preview.png DESTINATION . RENAME QuenvaleCompressor-panel.png COMPONENT guide)

# Installing builds nothing: scripts/package builds the stripped plug-ins first, and only them.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(QUENVALE_RELEASE_BUILDS ${CMAKE_BINARY_DIR} CACHE STRING "Build folders whose plug-ins the release archive holds")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_INSTALL_CMAKE_PROJECTS ${CMAKE_BINARY_DIR} ${PROJECT_NAME} guide /)
foreach(build IN LISTS QUENVALE_RELEASE_BUILDS)
    list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${build} ${PROJECT_NAME} plugin /)
endforeach()
include(CPack)
