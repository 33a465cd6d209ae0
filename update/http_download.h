// Downloading one file over HTTP or HTTPS (libcurl) into a folder.
//
// The file is named after the part of the URL behind its last '/'; a feed cannot choose where
// it lands, so a name that is empty, "." or "..", holds a '\\' or is too long for a file name
// fails before anything is fetched. The body goes to an unnamed file in the target folder that
// gets its name only when the whole transfer succeeded: a failed, refused (status 300 or more)
// or cancelled download leaves no file behind, nor does one the program did not live to end,
// and an older file of the same name stays until a new one is complete. Redirects are followed,
// but never from HTTPS to plain HTTP. TLS certificates are always verified. A connection that
// cannot be made within the connection timeout, that delivers nothing for the stall timeout or
// that has not ended by its deadline fails, so a dead or trickling server cannot hold the
// program.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qb {

struct DownloadTimeouts {
    long connectMs = 15000;  // to set up the connection (TCP and TLS)
    long stallSeconds = 30;  // with no byte of the body arriving since the start or the last one
    long totalMs = 0;        // for the whole transfer; 0 for no deadline
};

struct DownloadRequest {
    std::string url;           // http:// or https://
    std::string targetFolder;  // UTF-8 path of an existing folder
    DownloadTimeouts timeouts;
    std::int64_t maxBytes = 0;  // a larger body fails; 0 for no limit
};

enum class DownloadStatus {
    Done,
    BadFileName,  // the URL names no file (see DownloadFileName), or one too long to store
    BadUrl,       // not an http or https address that can be taken apart
    Failed,       // the connection, the server's answer or writing the file failed
    Cancelled,    // Cancel() or the progress callback stopped it
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Failed;
    std::string path;     // the stored file (UTF-8), when Done
    bool secure = false;  // fetched over HTTPS from the first request to the last byte
    // A message to show before the caller's own failure message (UTF-8), or empty: for BadUrl
    // the URL followed by "の解析に失敗しました".
    std::string message;
    // Why it failed, for a detail line (UTF-8): the HTTP status, libcurl's error, a file error.
    std::string reason;

    bool ok() const { return status == DownloadStatus::Done; }
};

// Called after each block written, on the thread that runs the download: the bytes received
// so far and the size the server announced (-1 when it did not). Return false to stop.
using DownloadProgress = std::function<bool(std::int64_t received, std::int64_t total)>;

// The file name a download of `url` stores: the part after the last '/'. Empty when the URL has
// no path (nothing after "scheme://host") or no '/', or the part is empty, "." or "..", or holds
// a '\\' or a zero byte.
[[nodiscard]] std::string DownloadFileName(std::string_view url);

// One download, to be run on a worker thread while the window that started it stays
// responsive; Cancel() may be called from any thread and stops the transfer within one block,
// also while the server sends nothing.
class DownloadJob {
public:
    explicit DownloadJob(DownloadRequest request);

    // The name of the file being fetched (empty for a URL that names none), for a progress
    // window.
    const std::string& FileName() const { return m_fileName; }

    // Runs the transfer on the calling thread and returns when it has ended. Call once.
    DownloadResult Run(const DownloadProgress& progress = {});
    // Asks a running (or not yet started) transfer to stop. Thread-safe.
    void Cancel() { m_cancel.store(true); }

private:
    DownloadRequest m_request;
    std::string m_fileName;
    std::atomic<bool> m_cancel{false};
};

}  // namespace qb
