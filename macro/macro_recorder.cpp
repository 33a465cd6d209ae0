#include "macro/macro_recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "convert/cp932.h"

namespace qb {

MacroRecorder::~MacroRecorder() {
    Stop();
}

bool MacroRecorder::Start(const std::string& path) {
    Stop();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_host.ShowMessage("マクロファイルを作成できません: " + path + " (" + std::strerror(errno) +
                           ")");
        return false;
    }
    m_fd = fd;
    m_path = path;
    return true;
}

void MacroRecorder::Stop() {
    if (m_fd < 0) return;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!closed)
        m_host.ShowMessage("マクロファイルに書き込めません: " + m_path + " (" +
                           std::strerror(errno) + ")");
}

void MacroRecorder::RecordLine(std::string_view sjisLine) {
    if (m_fd < 0) return;
    // A line end inside the line would cut it in two when the file is read back (the escapes
    // have no form for a lone LF or a CR at the end). It is written all the same.
    if (sjisLine.find('\n') != std::string_view::npos ||
        (!sjisLine.empty() && sjisLine.back() == '\r'))
        m_host.ShowMessage("改行文字を含む行のため、マクロを実行しても同じ結果になりません: " +
                           SjisToUtf8(sjisLine));
    m_buffer.assign(sjisLine);
    m_buffer += "\r\n";
    std::string_view rest = m_buffer;
    while (!rest.empty()) {
        const ssize_t n = ::write(m_fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string reason = std::strerror(n < 0 ? errno : EIO);
            ::close(m_fd);
            m_fd = -1;
            m_host.ShowMessage("マクロファイルに書き込めません: " + m_path + " (" + reason +
                               ")。記録を終了しました");
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace qb
