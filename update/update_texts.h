// The texts of the update check's windows, for the desktop program that shows them (UTF-8).
#pragma once

#include <cstdint>
#include <string>

namespace qb::update_texts {

inline constexpr const char* kCheckingCaption = "更新確認中";
inline constexpr const char* kCheckingText = "更新を確認中です";
inline constexpr const char* kOfferCaption = "更新がありました";
inline constexpr const char* kOfferVersionLabel = "最新版バージョン(&V):";
inline constexpr const char* kOfferDateLabel = "更新日付(&D):";
inline constexpr const char* kOfferMessageLabel = "メッセージ(&M):";
inline constexpr const char* kDownloadButton = "ダウンロードし更新";
inline constexpr const char* kHomePageButton = "ホームページを開く";
inline constexpr const char* kCancelButton = "ｷｬﾝｾﾙ";
inline constexpr const char* kProgressCaption = "ダウンロード中です";
inline constexpr const char* kCancelQuestion = "中止しますか？";
inline constexpr const char* kMenuCommand = "最新バージョンの確認(&V)...";

}  // namespace qb::update_texts

namespace qb {

// The progress window's count: "%d/%dバイト" (received, total); only "%dバイト" when the server
// did not announce the size.
[[nodiscard]] std::string DownloadProgressText(std::int64_t received, std::int64_t total);

}  // namespace qb
