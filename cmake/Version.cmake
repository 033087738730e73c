# What a Windows user sees of the program's identity: its file properties, the installer and
# the entry in the list of installed programs. The version is the project's (project() in the
# top-level CMakeLists.txt, the one place it is set); the build number is the commit count of
# the checkout unless MJ_BUILD_NUMBER is given. Generates a header for the resource script and
# the tests, the manifest, and the defines of the installer script.
set(MJ_PRODUCT_NAME "墨笺速记本")
set(MJ_PUBLISHER "墨笺科技")
set(MJ_DESCRIPTION "墨笺速记本 录音整理助手")
set(MJ_COPYRIGHT "版权所有 (C) 2026 墨笺科技")

if(NOT DEFINED MJ_BUILD_NUMBER)
  execute_process(COMMAND git rev-list --count HEAD
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE MJ_BUILD_NUMBER OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
# A version field holds 16 bits.
if(NOT MJ_BUILD_NUMBER MATCHES "^[0-9]+$" OR MJ_BUILD_NUMBER GREATER 65535)
  set(MJ_BUILD_NUMBER 0)
endif()
set(MJ_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${MJ_BUILD_NUMBER})

set(MJ_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/mjzs_version.h.in ${MJ_GENERATED_DIR}/mjzs_version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/mjzs_version.nsh.in ${MJ_GENERATED_DIR}/mjzs_version.nsh @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/res/mjzs.manifest.in ${MJ_GENERATED_DIR}/mjzs.manifest @ONLY)
