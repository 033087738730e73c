// The maker's contact channels: shown in the menu and opened through the shell.
#pragma once

#include "app/core/Documents.h"

namespace app {

inline constexpr wchar_t kShopChatAccount[] = L"墨笺科技旗舰店";
inline constexpr wchar_t kMakerChatNumber[] = L"800012345";
inline constexpr wchar_t kMakerMail[] = L"service@mojian.example.com";

// kShopAddress (the shop page) is also the clipboard footer's address.
inline constexpr wchar_t kShopChatAddress[] = L"https://mojian.example.com/chat?account=墨笺科技旗舰店";
inline constexpr wchar_t kMakerChatAddress[] = L"tencent://message/?uin=800012345&Site=mojian&Menu=yes";
inline constexpr wchar_t kServiceAddress[] = L"https://mojian.example.com/transcription";

}  // namespace app
