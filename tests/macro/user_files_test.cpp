#include "macro/user_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "tests/support/temp_dir.h"
#include "tests/support/unwritten_fifo.h"

namespace qb {
namespace {

using Status = UserFileRead::Status;

// What stands where a key or menu file belongs decides how it reads: only a regular file (also
// through a link) is read; a link that leads nowhere is a missing file, and everything else is
// refused with the reason, without waiting on a pipe or reading a device's endless bytes.
TEST(UserFiles, OnlyARegularFileIsReadAndNothingElseIsWaitedOnOrReadForEver) {
    test::TempDir dir;
    const struct {
        const char* name;
        std::function<std::string(const test::TempDir&)> make;  // returns the path to read
        Status status;
        const char* bytesOrError;  // the bytes read, or a piece of the reason
    } cases[] = {
        {"missing", [](auto& d) { return d.File("none"); }, Status::Missing, ""},
        {"regular", [](auto& d) { return d.Write("f", "abc"); }, Status::Read, "abc"},
        {"empty", [](auto& d) { return d.Write("e", ""); }, Status::Read, ""},
        {"link to a file",
         [](auto& d) {
             std::filesystem::create_symlink(d.Write("target", "xyz"), d.File("l1"));
             return d.File("l1");
         },
         Status::Read, "xyz"},
        {"link to nothing",
         [](auto& d) {
             std::filesystem::create_symlink(d.File("nowhere"), d.File("l2"));
             return d.File("l2");
         },
         Status::Missing, ""},
        {"link loop",
         [](auto& d) {
             std::filesystem::create_symlink(d.File("loop"), d.File("loop"));
             return d.File("loop");
         },
         Status::Failed, "symbolic links"},
        {"folder",
         [](auto& d) {
             std::filesystem::create_directory(d.File("dir"));
             return d.File("dir");
         },
         Status::Failed, "通常のファイルではありません"},
        {"device", [](auto&) { return std::string("/dev/zero"); }, Status::Failed,
         "通常のファイルではありません"},
        {"link to a device",
         [](auto& d) {
             std::filesystem::create_symlink("/dev/zero", d.File("l3"));
             return d.File("l3");
         },
         Status::Failed, "通常のファイルではありません"},
        {"too large", [](auto& d) { return d.Write("big", std::string(11, 'x')); }, Status::Failed,
         "10 バイトより大きいファイルです"},
    };
    for (const auto& c : cases) {
        const UserFileRead read = ReadUserFile(c.make(dir), 10);
        EXPECT_EQ(read.status, c.status) << c.name;
        if (c.status == Status::Read)
            EXPECT_EQ(read.bytes, c.bytesOrError) << c.name;
        else
            EXPECT_NE(read.error.find(c.bytesOrError), std::string::npos)
                << c.name << ": " << read.error;
    }
}

TEST(UserFiles, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    test::TempDir dir;
    const test::UnwrittenFifo fifo(dir.File("quillbay.key"));
    ASSERT_TRUE(fifo.Ok());
    UserFileRead read;
    EXPECT_FALSE(fifo.Waited([&] { read = ReadUserFile(fifo.Path(), 100); }));
    EXPECT_EQ(read.status, Status::Failed);
    EXPECT_EQ(read.error, "通常のファイルではありません");
}

// Writing over a refused file moves it aside only for a write that then succeeds: when the write
// fails (here past a file size limit) it is back in its place, and a folder is never moved.
TEST(UserFiles, AFailedWriteOverARefusedFilePutsItBack) {
    test::TempDir dir;
    const std::string key = dir.Write("quillbay.key", "damaged");
    UserFileWrite written;
    {
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit none = saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
        written = WriteUserFile(key, "new bytes", true);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.Message().find("保存できません: " + key), std::string::npos);
    EXPECT_EQ(dir.Read("quillbay.key"), "damaged");
    EXPECT_FALSE(std::filesystem::exists(key + ".bad"));

    std::filesystem::create_directory(dir.File("folder.key"));
    written = WriteUserFile(dir.File("folder.key"), "new bytes", true);
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.key")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("folder.key.bad")));

    written = WriteUserFile(key, "new bytes", true);
    ASSERT_TRUE(written.ok) << written.Message();
    EXPECT_EQ(written.keptAs, key + ".bad");
    EXPECT_EQ(dir.Read("quillbay.key.bad"), "damaged");
    EXPECT_EQ(dir.Read("quillbay.key"), "new bytes");
}

}  // namespace
}  // namespace qb
