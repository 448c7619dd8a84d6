# Install rules: `cmake --install <build> [--prefix /usr]` lays out what a
# package carries. Included from the top-level CMakeLists.txt after the
# program's and the virtual radio's targets are defined.
#
#   bin/quillard, bin/quillard-virtual-radio
#   share/applications/org.quillard.Quillard.desktop
#   share/icons/hicolor/{16x16,...,256x256,scalable}/apps/org.quillard.Quillard.*
#   share/metainfo/org.quillard.Quillard.metainfo.xml
#   share/man/man1/quillard.1, quillard-virtual-radio.1
#   share/quillard/cues/*.wav   the shipped cue sounds
#   lib/systemd/user/quillard-rigctld@.service   rigctld for the radio at login
#
# Components: "quillard" (the program and its data) and "virtual-radio".
include(GNUInstallDirs)

set(QUILLARD_APP_ID org.quillard.Quillard)
get_filename_component(QUILLARD_DATA_DIR "${CMAKE_CURRENT_LIST_DIR}/../data" ABSOLUTE)
get_filename_component(QUILLARD_CUES_DIR "${CMAKE_CURRENT_LIST_DIR}/../assets/cues" ABSOLUTE)

# qt_standard_project_setup() gives executables the install RPATH
# $ORIGIN:$ORIGIN/../lib for libraries installed beside them. Quillard installs
# none and links Qt from the system, so the installed programs carry no RPATH.
set_target_properties(quillard PROPERTIES INSTALL_RPATH "")
install(TARGETS quillard
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT quillard)

install(FILES ${QUILLARD_DATA_DIR}/${QUILLARD_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    COMPONENT quillard)
install(FILES ${QUILLARD_DATA_DIR}/${QUILLARD_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    COMPONENT quillard)
install(DIRECTORY ${QUILLARD_DATA_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
    COMPONENT quillard
    FILES_MATCHING
        PATTERN "${QUILLARD_APP_ID}.png"
        PATTERN "${QUILLARD_APP_ID}.svg")
install(FILES ${QUILLARD_DATA_DIR}/man/quillard.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT quillard)
# Where systemd looks for user units of packages: <prefix>/lib/systemd/user.
install(FILES ${QUILLARD_DATA_DIR}/systemd/quillard-rigctld@.service
    DESTINATION lib/systemd/user
    COMPONENT quillard)

# The cues the program plays when the settings folder has no recording of
# the operator's own; it finds them under quillard/cues of the data folders.
file(GLOB QUILLARD_CUE_FILES CONFIGURE_DEPENDS ${QUILLARD_CUES_DIR}/*.wav)
install(FILES ${QUILLARD_CUE_FILES}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/quillard/cues
    COMPONENT quillard)

# The virtual radio is optional (QUILLARD_VIRTUAL_RADIO=OFF leaves it out).
if(TARGET quillard-virtual-radio)
    set_target_properties(quillard-virtual-radio PROPERTIES INSTALL_RPATH "")
    install(TARGETS quillard-virtual-radio
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT virtual-radio)
    install(FILES ${QUILLARD_DATA_DIR}/man/quillard-virtual-radio.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT virtual-radio)
endif()
