// Where the workspace keeps its files: the settings and the recordings beside the program.
#pragma once

#include <string>
#include <string_view>

namespace app {

inline constexpr wchar_t kSettingsFile[] = L"Time.ini";
inline constexpr wchar_t kSettingsSection[] = L"时间";
inline constexpr wchar_t kVoiceFolder[] = L"voice\\";

// The durations in whole seconds, in section kSettingsSection.
inline constexpr wchar_t kSkipKey[] = L"shijian1";     // skip forward, F12
inline constexpr wchar_t kReplayKey[] = L"shijian2";   // replay, F9
inline constexpr wchar_t kPlayKey[] = L"shijian3";     // play then pause, F11

// The name after the last folder separator ('\\', '/' or a drive's ':').
std::wstring ExtractFileName(std::wstring_view path);

#ifdef _WIN32
// The folder of the running program, with its trailing backslash.
std::wstring ProgramFolder();

// Copies a file into a folder under its own name, replacing a file of that name; the folder
// is created when missing. A file that already is that copy counts as copied.
bool CopyIntoFolder(const std::wstring& file, const std::wstring& folder);
#endif

}  // namespace app
