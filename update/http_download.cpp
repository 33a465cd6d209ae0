#include "update/http_download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <random>

namespace qb {
namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; Quillbay)";

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
template <typename T>
using CurlPtr = std::unique_ptr<T, CurlDeleter>;

// The scheme of an http or https URL in lower case, or empty when libcurl cannot take the URL
// apart or it is neither.
std::string HttpScheme(const std::string& url) {
    CurlPtr<CURLU> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return {};
    char* scheme = nullptr;
    char* host = nullptr;
    std::string result;
    if (curl_url_get(parsed.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK && host[0] != '\0' &&
        (std::strcmp(scheme, "http") == 0 || std::strcmp(scheme, "https") == 0))
        result = scheme;
    curl_free(scheme);
    curl_free(host);
    return result;
}

// The body on its way to disk: an unnamed file in the target's folder, so that a download the
// program does not live to finish leaves nothing behind, named only once the whole transfer
// succeeded. Where unnamed files cannot be made (a file system without them, no /proc to name
// them through), a named temporary file with a short name of its own stands in.
class BodyFile {
public:
    BodyFile(std::string folder, std::string target)
        : m_folder(std::move(folder)), m_target(std::move(target)) {}
    ~BodyFile() { Discard(); }

    bool Append(const char* data, std::size_t size) {
        if (m_fd < 0 && !Create()) return false;
        while (size > 0) {
            const ssize_t n = write(m_fd, data, size);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return Fail();
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    // Gives the complete body the target's name; an empty body gives an empty file. A file of
    // that name from before is replaced only now.
    bool Commit() {
        if (m_fd < 0 && !Create()) return false;
        if (fsync(m_fd) != 0) return Fail();
        if (m_named.empty()) {
            if (LinkAs(m_target)) return Close();
            // A link cannot replace a file; one under a name of its own is renamed over it.
            if (errno != EEXIST || !LinkUnderTemporaryName()) return Fail();
        }
        if (rename(m_named.c_str(), m_target.c_str()) != 0) return Fail();
        m_named.clear();
        return Close();
    }

    void Discard() {
        if (m_fd >= 0) close(m_fd);
        m_fd = -1;
        if (!m_named.empty()) unlink(m_named.c_str());
        m_named.clear();
    }

    const std::string& Error() const { return m_error; }

private:
    bool Create() {
        if (access("/proc/self/fd", X_OK) == 0) {
            // 0666 less the umask: the mode a new file normally gets.
            m_fd = open(m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (m_fd >= 0) return true;
        }
        std::string pattern = m_folder + "/.part-XXXXXX";
        m_fd = mkostemp(pattern.data(), O_CLOEXEC);
        if (m_fd < 0) return Fail();
        m_named = pattern;
        // mkostemp makes the file private (0600).
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(m_fd, 0666 & ~mask);
        return true;
    }

    // Gives the unnamed file the name `path`.
    bool LinkAs(const std::string& path) const {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }

    bool LinkUnderTemporaryName() {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            char name[32];
            std::snprintf(name, sizeof name, "/.part-%08x", static_cast<unsigned>(random()));
            if (LinkAs(m_folder + name)) {
                m_named = m_folder + name;
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    bool Close() {
        close(m_fd);
        m_fd = -1;
        return true;
    }

    bool Fail() {
        m_error = std::string(std::strerror(errno)) + ": " + m_target;
        return false;
    }

    std::string m_folder;
    std::string m_target;
    std::string m_named;  // the body's name while it has a temporary one
    int m_fd = -1;
    std::string m_error;
};

// What the libcurl callbacks share with the code that started the transfer.
struct Transfer {
    CURL* curl = nullptr;
    BodyFile* file = nullptr;
    const DownloadProgress* progress = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    std::int64_t maxBytes = 0;
    std::chrono::seconds stallLimit{0};
    std::chrono::steady_clock::time_point lastArrival;  // of a byte of the body, or the start
    std::optional<std::chrono::steady_clock::time_point> deadline;  // for the whole transfer
    std::int64_t received = 0;
    long refusedStatus = 0;  // a status of 300 or more, answered instead of the file
    bool stopped = false;    // cancelled by the caller
    bool stalled = false;    // nothing came for stallLimit
    bool overdue = false;    // the deadline passed
    bool tooLarge = false;
    bool writeFailed = false;
};

std::size_t WriteBlock(char* data, std::size_t, std::size_t size, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    if (t.received == 0) {
        long status = 0;
        curl_easy_getinfo(t.curl, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 300) {
            t.refusedStatus = status;
            return 0;
        }
    }
    if (t.maxBytes > 0 && t.received + static_cast<std::int64_t>(size) > t.maxBytes) {
        t.tooLarge = true;
        return 0;
    }
    if (!t.file->Append(data, size)) {
        t.writeFailed = true;
        return 0;
    }
    t.received += static_cast<std::int64_t>(size);
    t.lastArrival = std::chrono::steady_clock::now();
    curl_off_t total = -1;
    curl_easy_getinfo(t.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
    if (t.cancel->load() || (*t.progress && !(*t.progress)(t.received, total))) {
        t.stopped = true;
        return 0;
    }
    return size;
}

// Called by libcurl at least about once a second even when nothing arrives, so a cancel is seen
// while the server is silent. It also ends a transfer that has received nothing for the stall
// limit (libcurl's own low-speed limit averages over several seconds, so a server that stops
// after a first burst would hold on for that much longer) and one that is still running at its
// deadline (a server that trickles a byte now and then never stalls).
int CheckCancel(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& t = *static_cast<Transfer*>(user);
    const auto now = std::chrono::steady_clock::now();
    if (t.cancel->load()) t.stopped = true;
    if (now - t.lastArrival > t.stallLimit) t.stalled = true;
    if (t.deadline && now > *t.deadline) t.overdue = true;
    return t.stopped || t.stalled || t.overdue ? 1 : 0;
}

void SetOptions(CURL* curl, const DownloadRequest& request, bool secure, Transfer& transfer,
                curl_slist* headers, char* errorBuffer) {
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    // Redirects stay on HTTPS once there: a plain-HTTP hop would make the file untrustworthy.
    const char* protocols = secure ? "https" : "http,https";
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // no SIGALRM for timeouts: we run on a thread
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, request.timeouts.connectMs);
    // A server that trickles a byte now and then never stalls; the low-speed limit (under one
    // byte a second, averaged over the stall time) ends the slowest, the deadline any other.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, request.timeouts.stallSeconds);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBlock);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckCancel);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    if (request.maxBytes > 0)
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(request.maxBytes));
}

DownloadResult Failure(DownloadStatus status, std::string reason) {
    DownloadResult result;
    result.status = status;
    result.reason = std::move(reason);
    return result;
}

// Whole seconds for a message, never 0 for a limit that is not.
std::string Seconds(long milliseconds) {
    return std::to_string((milliseconds + 999) / 1000);
}

// Why a transfer that ended with `code` did not bring the file, or nullopt when it did.
std::optional<DownloadResult> FailureOf(const Transfer& t, CURLcode code, const char* curlError,
                                        const DownloadTimeouts& timeouts) {
    long status = 0;
    curl_easy_getinfo(t.curl, CURLINFO_RESPONSE_CODE, &status);
    if (t.stopped) return Failure(DownloadStatus::Cancelled, {});
    if (t.refusedStatus != 0 || (code == CURLE_OK && status >= 300))
        return Failure(DownloadStatus::Failed,
                       "HTTP " + std::to_string(t.refusedStatus ? t.refusedStatus : status));
    if (t.writeFailed) return Failure(DownloadStatus::Failed, t.file->Error());
    if (t.stalled)
        return Failure(
            DownloadStatus::Failed,
            "サーバーから " + std::to_string(timeouts.stallSeconds) + " 秒間何も届きません");
    if (t.overdue)
        return Failure(DownloadStatus::Failed,
                       Seconds(timeouts.totalMs) + " 秒たっても受信が終わりません");
    if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return Failure(DownloadStatus::Failed, "ファイルが大きすぎます");
    if (code != CURLE_OK)
        return Failure(DownloadStatus::Failed, curlError[0] ? curlError : curl_easy_strerror(code));
    return std::nullopt;
}

}  // namespace

std::string DownloadFileName(std::string_view url) {
    // After "scheme://" comes the host; the path, if there is one, begins at the next '/'.
    std::size_t pathStart = 0;
    if (const std::size_t scheme = url.find("://"); scheme != std::string_view::npos) {
        pathStart = url.find_first_of("/?#", scheme + 3);
        if (pathStart == std::string_view::npos || url[pathStart] != '/') return {};
    }
    const std::size_t slash = url.rfind('/');
    if (slash == std::string_view::npos) return {};
    const std::string_view name = url.substr(slash + 1);
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
        return {};
    return std::string(name);
}

DownloadJob::DownloadJob(DownloadRequest request)
    : m_request(std::move(request)), m_fileName(DownloadFileName(m_request.url)) {}

DownloadResult DownloadJob::Run(const DownloadProgress& progress) {
    if (m_fileName.empty())
        return Failure(DownloadStatus::BadFileName, "URL がファイル名で終わっていません");
    if (m_fileName.size() > NAME_MAX)
        return Failure(DownloadStatus::BadFileName, "URL の示すファイル名が長すぎます");
    InitCurlOnce();
    const std::string scheme = HttpScheme(m_request.url);
    if (scheme.empty()) {
        DownloadResult result = Failure(DownloadStatus::BadUrl, {});
        result.message = m_request.url + "の解析に失敗しました";
        return result;
    }
    if (m_cancel.load()) return Failure(DownloadStatus::Cancelled, {});

    CurlPtr<CURL> curl(curl_easy_init());
    CurlPtr<curl_slist> headers(curl_slist_append(nullptr, "Accept: text/*"));
    if (headers) curl_slist_append(headers.get(), "Cache-Control: no-cache");
    if (!curl || !headers) return Failure(DownloadStatus::Failed, "libcurl を初期化できません");

    const std::string target = m_request.targetFolder + "/" + m_fileName;
    BodyFile file(m_request.targetFolder, target);
    Transfer transfer;
    transfer.curl = curl.get();
    transfer.file = &file;
    transfer.progress = &progress;
    transfer.cancel = &m_cancel;
    transfer.maxBytes = m_request.maxBytes;
    transfer.stallLimit = std::chrono::seconds(m_request.timeouts.stallSeconds);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const bool secure = scheme == "https";
    SetOptions(curl.get(), m_request, secure, transfer, headers.get(), errorBuffer);

    transfer.lastArrival = std::chrono::steady_clock::now();
    if (m_request.timeouts.totalMs > 0)
        transfer.deadline =
            transfer.lastArrival + std::chrono::milliseconds(m_request.timeouts.totalMs);
    const CURLcode code = curl_easy_perform(curl.get());
    if (auto failure = FailureOf(transfer, code, errorBuffer, m_request.timeouts))
        return *std::move(failure);
    if (!file.Commit()) return Failure(DownloadStatus::Failed, file.Error());

    DownloadResult result;
    result.status = DownloadStatus::Done;
    result.path = target;
    result.secure = secure;
    return result;
}

}  // namespace qb
