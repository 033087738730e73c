// The default message service of skin loading: a plain message box on Windows (captioned
// with the application title, one OK button, no icon), standard error elsewhere.
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

namespace skin {

void ShowDefaultSkinMessage(const std::wstring& text) {
#ifdef _WIN32
    MessageBoxW(nullptr, text.c_str(), L"墨笺速记本", MB_OK | MB_TASKMODAL);
#else
    std::fprintf(stderr, "%ls\n", text.c_str());
#endif
}

}  // namespace skin
