# Compiles one layer probe with the very command the build would use for it
# (as CMake wrote it in compile_commands.json, behind the build's compiler
# launcher, ccache, when there is one), and passes when the result is the one
# expected: BUILDS compiles; FAILS stops because the header the probe includes
# is not there for its layer, and not for any other reason. No build tool
# runs, and only the probe's own object file is written, so the probes run
# side by side with each other and with a build.
#
#   cmake -DDATABASE=<build>/compile_commands.json -DSOURCE=<probe.cpp>
#         -DEXPECT=BUILDS|FAILS [-DLAUNCHER=<launcher>] -P probe.cmake

foreach(needed IN ITEMS DATABASE SOURCE EXPECT)
    if(NOT DEFINED ${needed})
        message(FATAL_ERROR "probe.cmake: ${needed} is not set")
    endif()
endforeach()
if(NOT EXISTS "${DATABASE}")
    message(FATAL_ERROR "${DATABASE} does not exist: the probes need a Makefile or Ninja build")
endif()

file(READ "${DATABASE}" database)
string(JSON entries LENGTH "${database}")
math(EXPR last "${entries} - 1")
set(command)
foreach(index RANGE ${last})
    string(JSON file GET "${database}" ${index} file)
    if(file STREQUAL SOURCE)
        string(JSON command GET "${database}" ${index} command)
        string(JSON directory GET "${database}" ${index} directory)
        break()
    endif()
endforeach()
if(NOT command)
    message(FATAL_ERROR "${SOURCE} has no compile command in ${DATABASE}")
endif()

separate_arguments(arguments UNIX_COMMAND "${command}")
list(FIND arguments -o output)
if(output GREATER -1)
    math(EXPR output "${output} + 1")
    list(GET arguments ${output} object)
    get_filename_component(object "${object}" DIRECTORY BASE_DIR "${directory}")
    file(MAKE_DIRECTORY "${object}")
endif()
execute_process(COMMAND ${LAUNCHER} ${arguments}
    WORKING_DIRECTORY "${directory}" RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)

if(EXPECT STREQUAL "BUILDS")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${SOURCE} should compile for its layer, and does not:\n${said}")
    endif()
    message(STATUS "compiles, as it should")
elseif(EXPECT STREQUAL "FAILS")
    # The header the probe includes last is the one its layer must not see.
    file(STRINGS "${SOURCE}" includes REGEX "^#include [<\"]")
    list(POP_BACK includes forbidden)
    string(REGEX REPLACE "^#include [<\"]([^>\"]+)[>\"].*" "\\1" forbidden "${forbidden}")
    if(status EQUAL 0)
        message(FATAL_ERROR "${SOURCE} compiles, but its layer must not see ${forbidden}")
    endif()
    string(FIND "${said}" "${forbidden}: No such file or directory" gcc)
    string(FIND "${said}" "'${forbidden}' file not found" clang)
    if(gcc EQUAL -1 AND clang EQUAL -1)
        message(FATAL_ERROR "${SOURCE} fails, but not for want of ${forbidden}:\n${said}")
    endif()
    message(STATUS "does not compile, as it should: ${forbidden} is not seen")
else()
    message(FATAL_ERROR "EXPECT is BUILDS or FAILS, not ${EXPECT}")
endif()
