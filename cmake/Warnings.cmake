# Project-wide compile settings, applied to our own targets only (not to third-party code).
add_library(mj_settings INTERFACE)
target_compile_features(mj_settings INTERFACE cxx_std_20)
target_compile_options(mj_settings INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wno-missing-field-initializers>)
if(WIN32)
  target_compile_definitions(mj_settings INTERFACE
    UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 STRICT)
endif()
