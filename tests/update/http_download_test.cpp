#include "update/http_download.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "tests/support/temp_dir.h"
#include "tests/support/local_http_server.h"
#include "update/update_texts.h"

namespace qb {
namespace {

using test::HttpReply;
using test::LocalHttpServer;

std::size_t EntriesIn(const std::string& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

// Bytes of every value, zero included, over several blocks.
std::string Payload(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 % 256);
    return bytes;
}

class HttpDownloadTest : public ::testing::Test {
protected:
    HttpDownloadTest() {
        // The server is on this machine: no proxy from the environment may stand in between.
        setenv("NO_PROXY", "*", 1);
        setenv("no_proxy", "*", 1);
    }

    DownloadRequest Request(const LocalHttpServer& server, const std::string& path) const {
        DownloadRequest request;
        request.url = server.Url(path);
        request.targetFolder = m_dir.Path();
        request.timeouts = {2000, 1};
        return request;
    }

    test::TempDir m_dir;
};

// The host of a URL without a path is no file name: it used to be taken for one.
TEST(DownloadFileName, IsThePartAfterTheLastSlashAndNeverAPathNorTheHost) {
    const struct {
        const char* url;
        const char* name;
    } cases[] = {
        {"https://example.com/pub/setup-1.2.exe", "setup-1.2.exe"},
        {"http://example.com/get?file=a", "get?file=a"},
        {"http://example.com/get?file=a/b.exe", "b.exe"},
        {"https://example.com", ""},
        {"https://user@example.com:8443", ""},
        {"https://example.com?file=/setup.exe", ""},
        {"https://example.com#/setup.exe", ""},
        {"https://example.com/", ""},
        {"https://example.com/.", ""},
        {"https://example.com/..", ""},
        {"https://example.com/a\\..\\b", ""},
        {"setup.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DownloadFileName(c.url), c.name) << c.url;
}

TEST(DownloadProgressText, CountsBytesOfTheAnnouncedSize) {
    EXPECT_EQ(DownloadProgressText(1023, 4096), "1023/4096バイト");
    EXPECT_EQ(DownloadProgressText(0, 0), "0/0バイト");
    EXPECT_EQ(DownloadProgressText(5000000000, -1), "5000000000バイト");
}

TEST_F(HttpDownloadTest, WritesExactlyTheBytesServedAndReportsEachBlock) {
    const std::string body = Payload(300000);
    LocalHttpServer server([&](const std::string& path) {
        return path == "/pub/setup.bin" ? HttpReply{200, body} : HttpReply{404};
    });
    DownloadJob job(Request(server, "/pub/setup.bin"));
    EXPECT_EQ(job.FileName(), "setup.bin");
    std::int64_t last = 0;
    bool ordered = true;
    const DownloadResult result = job.Run([&](std::int64_t received, std::int64_t total) {
        ordered = ordered && received > last && total == static_cast<std::int64_t>(body.size());
        last = received;
        return true;
    });
    ASSERT_TRUE(result.ok()) << result.reason;
    EXPECT_EQ(result.path, m_dir.File("setup.bin"));
    EXPECT_FALSE(result.secure);
    EXPECT_TRUE(ordered);
    EXPECT_EQ(last, static_cast<std::int64_t>(body.size()));
    EXPECT_TRUE(m_dir.Read("setup.bin") == body);
    EXPECT_EQ(EntriesIn(m_dir.Path()), 1u);  // no temporary file left beside it
}

TEST_F(HttpDownloadTest, FollowsARedirectAndStoresAnEmptyBody) {
    LocalHttpServer server([](const std::string& path) {
        if (path == "/old/empty.txt") return HttpReply{302, {}, "Location: /new/empty.txt\r\n"};
        return path == "/new/empty.txt" ? HttpReply{200} : HttpReply{404};
    });
    const DownloadResult result = DownloadJob(Request(server, "/old/empty.txt")).Run();
    ASSERT_TRUE(result.ok()) << result.reason;
    EXPECT_EQ(result.path, m_dir.File("empty.txt"));
    EXPECT_TRUE(std::filesystem::exists(result.path));
    EXPECT_EQ(m_dir.Read("empty.txt"), "");
}

// A refusal leaves no file, and a file of the same name from before stays as it was.
TEST_F(HttpDownloadTest, AStatusOf300OrMoreFailsWithoutCreatingAFile) {
    const HttpReply replies[] = {
        {404, "<html>not found</html>"},
        {500},
        {302},  // a redirect that names no place
        {300, "choices"},
    };
    for (const HttpReply& reply : replies) {
        LocalHttpServer server([&](const std::string&) { return reply; });
        const DownloadResult result = DownloadJob(Request(server, "/new.exe")).Run();
        EXPECT_EQ(result.status, DownloadStatus::Failed) << reply.status;
        EXPECT_EQ(result.reason, "HTTP " + std::to_string(reply.status));
        EXPECT_EQ(EntriesIn(m_dir.Path()), 0u) << reply.status;
    }
    m_dir.Write("setup.exe", "old");
    LocalHttpServer server([](const std::string&) { return HttpReply{404, "gone"}; });
    EXPECT_FALSE(DownloadJob(Request(server, "/setup.exe")).Run().ok());
    EXPECT_EQ(m_dir.Read("setup.exe"), "old");
}

TEST_F(HttpDownloadTest, AUrlThatNamesNoFileOrCannotBeTakenApartFailsBeforeAnyRequest) {
    LocalHttpServer server([](const std::string&) { return HttpReply{200, "x"}; });
    const struct {
        std::string url;
        DownloadStatus status;
        std::string message;
    } cases[] = {
        {server.Url("/"), DownloadStatus::BadFileName, ""},
        {server.Url("/.."), DownloadStatus::BadFileName, ""},
        {"ftp://127.0.0.1/x.txt", DownloadStatus::BadUrl, "ftp://127.0.0.1/x.txt"},
        {"file:///etc/passwd", DownloadStatus::BadUrl, "file:///etc/passwd"},
        {"http://bad host/x.txt", DownloadStatus::BadUrl, "http://bad host/x.txt"},
        {"no address/x.txt", DownloadStatus::BadUrl, "no address/x.txt"},
    };
    for (const auto& c : cases) {
        DownloadRequest request = Request(server, "/");
        request.url = c.url;
        const DownloadResult result = DownloadJob(request).Run();
        EXPECT_EQ(result.status, c.status) << c.url;
        EXPECT_EQ(result.message, c.message.empty() ? "" : c.message + "の解析に失敗しました");
    }
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_EQ(EntriesIn(m_dir.Path()), 0u);
}

TEST_F(HttpDownloadTest, StoppingFromTheProgressCallbackDeletesThePartialFile) {
    LocalHttpServer server([](const std::string&) { return HttpReply{200, Payload(1 << 20)}; });
    int blocks = 0;
    const DownloadResult result =
        DownloadJob(Request(server, "/big.bin")).Run([&](auto, auto) { return ++blocks < 2; });
    EXPECT_EQ(result.status, DownloadStatus::Cancelled);
    EXPECT_EQ(blocks, 2);  // stopped after the block that was being written
    EXPECT_EQ(EntriesIn(m_dir.Path()), 0u);
}

// The window's Cancel comes from another thread while the server sends nothing more.
TEST_F(HttpDownloadTest, CancelFromAnotherThreadStopsASilentTransfer) {
    LocalHttpServer server([](const std::string&) {
        HttpReply reply{200, Payload(100000)};
        reply.stallAfter = 1000;
        return reply;
    });
    DownloadRequest request = Request(server, "/slow.bin");
    request.timeouts.stallSeconds = 600;  // only the cancel can end it
    DownloadJob job(request);
    std::mutex mutex;
    std::condition_variable started;
    bool firstBlock = false;
    DownloadResult result;
    std::thread worker([&] {
        result = job.Run([&](auto, auto) {
            std::lock_guard lock(mutex);
            firstBlock = true;
            started.notify_one();
            return true;
        });
    });
    {
        std::unique_lock lock(mutex);
        started.wait(lock, [&] { return firstBlock; });
    }
    job.Cancel();
    worker.join();
    EXPECT_EQ(result.status, DownloadStatus::Cancelled);
    EXPECT_EQ(EntriesIn(m_dir.Path()), 0u);
}

TEST_F(HttpDownloadTest, ADeadServerTimesOut) {
    HttpReply silent;
    silent.silent = true;  // accepts and never answers
    HttpReply stalling{200, Payload(100000)};
    stalling.stallAfter = 500;  // stops in the middle of the body
    const HttpReply replies[] = {silent, stalling};
    for (const HttpReply& reply : replies) {
        LocalHttpServer server([&](const std::string&) { return reply; });
        const DownloadResult result = DownloadJob(Request(server, "/feed.xml")).Run();
        EXPECT_EQ(result.status, DownloadStatus::Failed);
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(EntriesIn(m_dir.Path()), 0u);
    }
}

TEST_F(HttpDownloadTest, ABodyOverTheLimitFails) {
    LocalHttpServer server([](const std::string&) { return HttpReply{200, Payload(5000)}; });
    DownloadRequest request = Request(server, "/feed.xml");
    request.maxBytes = 4999;
    EXPECT_EQ(DownloadJob(request).Run().status, DownloadStatus::Failed);
    request.maxBytes = 5000;
    EXPECT_TRUE(DownloadJob(request).Run().ok());
}

// The temporary name used to be the file's name with a suffix, too long for a name near the
// limit; a name over the limit fails before anything is fetched.
TEST_F(HttpDownloadTest, ANameOf250BytesIsStoredDespiteTheTemporarySuffix) {
    LocalHttpServer server([](const std::string&) { return HttpReply{200, "data"}; });
    const std::string longest(NAME_MAX, 'n');
    const std::string names[] = {std::string(250, 'a'), longest};
    for (const std::string& name : names) {
        const DownloadResult result = DownloadJob(Request(server, "/" + name)).Run();
        ASSERT_TRUE(result.ok()) << name.size() << ": " << result.reason;
        EXPECT_EQ(m_dir.Read(name), "data");
    }
    EXPECT_EQ(DownloadJob(Request(server, "/" + longest + "x")).Run().status,
              DownloadStatus::BadFileName);
    EXPECT_EQ(server.Requests(), 2);
    EXPECT_EQ(EntriesIn(m_dir.Path()), 2u);
}

// A complete download takes the place of a file of the same name; nothing else stays beside it.
TEST_F(HttpDownloadTest, ACompleteDownloadReplacesAnOlderFileOfTheSameName) {
    LocalHttpServer server([](const std::string&) { return HttpReply{200, "new"}; });
    m_dir.Write("setup.exe", "old");
    ASSERT_TRUE(DownloadJob(Request(server, "/setup.exe")).Run().ok());
    EXPECT_EQ(m_dir.Read("setup.exe"), "new");
    EXPECT_EQ(EntriesIn(m_dir.Path()), 1u);
}

// The partial file used to stay for good when the program died in the middle of a download.
TEST_F(HttpDownloadTest, AKilledDownloadLeavesNoPartialFile) {
    LocalHttpServer server([](const std::string&) {
        HttpReply reply{200, Payload(100000)};
        reply.stallAfter = 5000;
        return reply;
    });
    const DownloadRequest request = Request(server, "/setup.bin");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Dies with the first block written.
        DownloadJob(request).Run([](auto, auto) { return raise(SIGKILL) == 0; });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_EQ(EntriesIn(m_dir.Path()), 0u);
}

// A server that sends a byte now and then never stalls; it used to hold on for as long as it
// kept trickling.
TEST_F(HttpDownloadTest, ATricklingServerEndsAtTheDeadline) {
    LocalHttpServer server([](const std::string&) {
        HttpReply reply{200, Payload(100000)};
        reply.stallAfter = 10;
        reply.trickleMs = 50;
        return reply;
    });
    DownloadRequest request = Request(server, "/feed.xml");
    request.timeouts.stallSeconds = 600;
    request.timeouts.totalMs = 500;
    const DownloadResult result = DownloadJob(request).Run();
    EXPECT_EQ(result.status, DownloadStatus::Failed);
    EXPECT_EQ(result.reason, "1 秒たっても受信が終わりません");
    EXPECT_EQ(EntriesIn(m_dir.Path()), 0u);
}

TEST_F(HttpDownloadTest, AFolderThatCannotBeWrittenFailsWithItsReason) {
    LocalHttpServer server([](const std::string&) { return HttpReply{200, "data"}; });
    DownloadRequest request = Request(server, "/x.txt");
    request.targetFolder = m_dir.File("missing");
    const DownloadResult result = DownloadJob(request).Run();
    EXPECT_EQ(result.status, DownloadStatus::Failed);
    EXPECT_NE(result.reason.find(m_dir.File("missing")), std::string::npos) << result.reason;
}

}  // namespace
}  // namespace qb
