# Tests of the scripts in scripts/: the run script's choice of whether the
# virtual TS-570 stands in, and what the scripts say when they cannot install
# packages. Plain bash with stubs: no X server, serial port or root needed.
# Included from tests/CMakeLists.txt.
foreach(name IN ITEMS run_choice install_advice)
    add_test(NAME scripts_${name}
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../tests/scripts/test_${name}.sh)
    set_tests_properties(scripts_${name} PROPERTIES
        ENVIRONMENT "QUILLARD_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
        TIMEOUT 60)
endforeach()
