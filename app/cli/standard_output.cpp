#include "app/cli/standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qb {

namespace {

bool g_closed[3] = {false, false, false};

}  // namespace

void ClaimStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open() gives the lowest free descriptor: this one, as the lower ones are open.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        g_closed[fd] = true;
        if (opened >= 0 && opened != fd) ::close(opened);
    }
}

bool StandardInputWasClosed() {
    return g_closed[0];
}

bool StandardOutputWasClosed() {
    return g_closed[1];
}

bool WriteStandardOutput(std::string_view bytes) {
    if (g_closed[1]) {
        errno = EBADF;
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace qb
