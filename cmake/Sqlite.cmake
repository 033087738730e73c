# SQLite comes as the amalgamation fetched by scripts/setup into third_party/sqlite;
# it is compiled once per build tree as a static library.
set(MJ_SQLITE_DIR ${PROJECT_SOURCE_DIR}/third_party/sqlite CACHE PATH "Folder holding sqlite3.c and sqlite3.h")
if(NOT EXISTS ${MJ_SQLITE_DIR}/sqlite3.c)
  message(FATAL_ERROR "SQLite amalgamation missing in ${MJ_SQLITE_DIR}: run scripts/setup")
endif()
add_library(sqlite3 STATIC ${MJ_SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${MJ_SQLITE_DIR})
target_compile_definitions(sqlite3 PRIVATE
  SQLITE_DQS=0 SQLITE_THREADSAFE=0 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_OMIT_DEPRECATED
  SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_WAL_SYNCHRONOUS=2
  # The query's row delete finds the table and columns a result came from.
  SQLITE_ENABLE_COLUMN_METADATA)
set_source_files_properties(${MJ_SQLITE_DIR}/sqlite3.c PROPERTIES COMPILE_OPTIONS "-O2;-w")
