# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# quillform.1, written at build time by help2man from the program's own
# --help, with the sections in quillform.h2m.in added.
find_program(HELP2MAN_EXECUTABLE help2man)
if(NOT HELP2MAN_EXECUTABLE)
    message(WARNING "help2man was not found: quillform.1 is not built or installed")
    return()
endif()
set(QUILLFORM_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/quillform.1)
set(QUILLFORM_MAN_SECTIONS ${CMAKE_CURRENT_BINARY_DIR}/quillform.h2m)
configure_file(quillform.h2m.in ${QUILLFORM_MAN_SECTIONS} @ONLY)
add_custom_command(OUTPUT ${QUILLFORM_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN_EXECUTABLE} --no-info --no-discard-stderr
            --name "list the closed outlines of the parts in DXF drawings"
            --version-string ${PROJECT_VERSION} --include ${QUILLFORM_MAN_SECTIONS}
            --output ${QUILLFORM_MAN_PAGE} $<TARGET_FILE:quillform>
    DEPENDS quillform ${QUILLFORM_MAN_SECTIONS}
    COMMENT "Writing the man page quillform.1"
    VERBATIM)
add_custom_target(quillform_man_page ALL DEPENDS ${QUILLFORM_MAN_PAGE})
install(FILES ${QUILLFORM_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
