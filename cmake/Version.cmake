# What a Windows user sees of the program's identity: its file properties, the installer and
# the entry in the list of installed programs. The version is the project's (project() in the
# top-level CMakeLists.txt, the one place it is set); downloads are named by its first three
# fields, the fourth is the build number. Generates a header for the resource script and the
# tests, the manifest, and the defines of the installer script.
set(MJ_PRODUCT_NAME "墨笺速记本")
set(MJ_PUBLISHER "墨笺科技")
set(MJ_DESCRIPTION "墨笺速记本 录音整理助手")
set(MJ_COPYRIGHT "版权所有 (C) 2026 墨笺科技")
set(MJ_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(MJ_FILE_VERSION ${PROJECT_VERSION})
set(MJ_BUILD_NUMBER ${PROJECT_VERSION_TWEAK})

set(MJ_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/mjzs_version.h.in ${MJ_GENERATED_DIR}/mjzs_version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/mjzs_version.nsh.in ${MJ_GENERATED_DIR}/mjzs_version.nsh @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/res/mjzs.manifest.in ${MJ_GENERATED_DIR}/mjzs.manifest @ONLY)
