# The install-tree test: installs the build into a temporary DESTDIR and
# checks what a package would carry. Included from tests/CMakeLists.txt.
if(TARGET quillard-virtual-radio)
    set(QUILLARD_WITH_VIRTUAL_RADIO 1)
else()
    set(QUILLARD_WITH_VIRTUAL_RADIO 0)
endif()
add_test(NAME install_tree
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../tests/install/test_install_tree.sh)
set_tests_properties(install_tree PROPERTIES
    ENVIRONMENT "QUILLARD_VERSION=${PROJECT_VERSION};QUILLARD_BINARY_DIR=${CMAKE_BINARY_DIR};QUILLARD_SOURCE_DIR=${CMAKE_SOURCE_DIR};QUILLARD_CMAKE=${CMAKE_COMMAND};QUILLARD_WITH_VIRTUAL_RADIO=${QUILLARD_WITH_VIRTUAL_RADIO}"
    TIMEOUT 120)
