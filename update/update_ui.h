// What the update check needs from the desktop program that shows it.
//
// The check's logic decides what happens and in which order; an implementation of this
// interface only shows and asks. Every call comes from the thread that runs the check (the
// window's thread), except where a method says otherwise.
#pragma once

#include <string>
#include <string_view>

#include "update/http_download.h"

namespace qb {

enum class MessageIcon { Information, Warning };

// The buttons of the dialog "更新がありました".
enum class UpdateChoice { DownloadAndUpdate, OpenHomePage, Cancel };

// What the dialog "更新がありました" shows, in UTF-8.
struct UpdateOffer {
    std::string version;      // "最新版バージョン(&V):"
    std::string date;         // "更新日付(&D):", as "%Y/%m/%d"
    std::string description;  // "メッセージ(&M):", several lines
};

class IUpdateUi {
public:
    virtual ~IUpdateUi() = default;

    // A Yes/No question with a question icon; true for Yes.
    virtual bool AskYesNo(std::string_view question) = 0;
    // A message box with an OK button. `detail` (possibly empty) says why, for a detail line.
    virtual void ShowMessage(std::string_view text, std::string_view detail, MessageIcon icon) = 0;

    // The small modeless window "更新確認中" with the text "更新を確認中です", shown until
    // HideChecking. Its Cancel stops the download RunDownload runs meanwhile (job.Cancel()).
    virtual void ShowChecking() = 0;
    virtual void HideChecking() = 0;

    // The dialog "更新がありました" with its three buttons; closing it counts as Cancel.
    virtual UpdateChoice AskUpdate(const UpdateOffer& offer) = 0;

    // Runs job.Run() on a worker thread and returns its result once it has ended, keeping the
    // window responsive meanwhile. With `showProgress`, the progress window ("ダウンロード中です",
    // job.FileName(), a bar and DownloadProgressText) is shown: the progress callback passed to
    // Run is called on the worker thread and must hand its numbers over to the window's thread;
    // the window's Cancel asks "中止しますか？" (OK/Cancel) and on OK calls job.Cancel().
    virtual DownloadResult RunDownload(DownloadJob& job, bool showProgress) = 0;

    // Opens a downloaded installer with the desktop's default handler; true when it started.
    virtual bool OpenFile(const std::string& path) = 0;
    // Shows the folder that holds a downloaded file, without opening the file.
    virtual void ShowFolder(const std::string& path) = 0;
    // Opens a web page (http or https) in the default browser.
    virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace qb
