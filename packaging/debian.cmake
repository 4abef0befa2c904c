# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# cpack -G DEB: one Debian package per install component. Configure with
# -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_SHARED_LIBS=ON for the usual layout
# (a shared library package and a development package beside it).
set(CPACK_PACKAGE_NAME quillform)
set(CPACK_PACKAGE_VENDOR "DXF Quillform developers")
set(CPACK_PACKAGE_CONTACT "DXF Quillform developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "closed outlines of flat parts (shapes, holes, islands) from 2-D DXF drawings")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Library dependencies read from the ELF files by dpkg-shlibdeps; the
# packages of one build depend on each other at exactly their version.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_COMPONENTS_ALL development)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquillform-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "DXF Quillform: headers, CMake package and pkg-config file of the reader library
 The C++17 library that reads 2-D DXF drawings and gives the closed outlines
 of flat parts: outer shapes, holes and islands, with their vertices, arc
 edges, circles and bounding boxes.")
if(QUILLFORM_STATIC_LIBRARY)
    # The static library leaves dxflib to the program that links it.
    set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libdxflib-dev")
else()
    list(APPEND CPACK_COMPONENTS_ALL runtime)
    set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libquillform${QUILLFORM_SOVERSION})
    set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
    set(CPACK_DEBIAN_RUNTIME_PACKAGE_GENERATE_SHLIBS ON)
    set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
        "DXF Quillform: the reader library
 Reads 2-D DXF drawings (through dxflib) and extracts the closed outlines of
 flat parts: outer shapes, holes and islands.")
    set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)
endif()
if(TARGET quillform)
    list(APPEND CPACK_COMPONENTS_ALL cli)
    set(CPACK_DEBIAN_CLI_PACKAGE_NAME quillform)
    set(CPACK_COMPONENT_CLI_DESCRIPTION
        "DXF Quillform: list the closed outlines of the parts in DXF drawings
 The quillform command reads 2-D DXF drawings and lists, as text or JSON,
 the outer shapes of every layer with their holes, vertices, arc edges and
 bounding boxes, or draws them as PNG or SVG.")
endif()
if(TARGET quillform-demo)
    list(APPEND CPACK_COMPONENTS_ALL demo)
    set(CPACK_DEBIAN_DEMO_PACKAGE_NAME quillform-demo)
    set(CPACK_COMPONENT_DEMO_DESCRIPTION
        "DXF Quillform: the example window
 A Qt window that loads a DXF drawing, logs its entities and lists and draws
 the shapes and holes found on each layer.")
endif()
if(TARGET quillform-web)
    list(APPEND CPACK_COMPONENTS_ALL web)
    set(CPACK_DEBIAN_WEB_PACKAGE_NAME quillform-web)
    set(CPACK_DEBIAN_WEB_PACKAGE_SECTION web)
    # Each read runs the command of the same build.
    set(CPACK_DEBIAN_WEB_PACKAGE_DEPENDS "quillform (= ${PROJECT_VERSION})")
    set(CPACK_COMPONENT_WEB_DESCRIPTION
        "DXF Quillform: the preflight web page
 quillform-web serves a page where a DXF drawing is dropped and its parts,
 measures and problems are shown, with cut-ready files to download. Each
 read runs the quillform command in a worker process of its own, bounded in
 time and memory. A systemd unit is installed, disabled.")
endif()
if(TARGET quillform_python)
    list(APPEND CPACK_COMPONENTS_ALL python)
    set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-quillform)
    set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
    set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${QUILLFORM_PYTHON_DEPENDS}")
    set(CPACK_COMPONENT_PYTHON_DESCRIPTION
        "DXF Quillform: the Python module quillform
 quillform.read() gives a DXF drawing's parts (shapes, holes, islands, open
 chains, warnings) as plain Python objects, with areas, SVG paths and
 shapely polygons.")
endif()

include(CPack)
