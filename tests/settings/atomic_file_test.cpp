#include "settings/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/temp_dir.h"

namespace qb {
namespace {

int Mode(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::size_t EntriesIn(const std::string& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir))
        ++n;
    return n;
}

TEST(AtomicFile, ReplacesTheFileAndKeepsItsPermissions) {
    test::TempDir dir;
    const std::string path = dir.Write("f.txt", "old");
    chmod(path.c_str(), 0640);
    EXPECT_TRUE(WriteFileAtomically(path, "new text"));
    EXPECT_EQ(dir.Read("f.txt"), "new text");
    EXPECT_EQ(Mode(path), 0640);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);  // no temporary file left behind
}

// Replacing a file keeps its owner where we may set it (as root, or a group we are in).
TEST(AtomicFile, KeepsTheOwnerOfTheFile) {
    if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    test::TempDir dir;
    const std::string path = dir.Write("f.txt", "old");
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

TEST(AtomicFile, WritesThroughASymbolicLink) {
    test::TempDir dir;
    const std::string target = dir.Write("target.txt", "old");
    const std::string link = dir.File("link.txt");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    EXPECT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(dir.Read("target.txt"), "new");
}

// A link to a file not made yet stays a link: the file is made where it points, as a plain
// write through the link would make it.
TEST(AtomicFile, WritesThroughALinkToAFileNotMadeYet) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    const std::string link = dir.File("link.txt");
    ASSERT_EQ(symlink("sub/new.txt", link.c_str()), 0);
    EXPECT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(dir.Read("sub/new.txt"), "new");

    // Links that only lead to each other are refused and stay as they were.
    const std::string loop = dir.File("loop.txt");
    ASSERT_EQ(symlink("loop.txt", loop.c_str()), 0);
    EXPECT_FALSE(WriteFileAtomically(loop, "x"));
    EXPECT_TRUE(std::filesystem::is_symlink(loop));
}

TEST(AtomicFile, AFailureLeavesTheOldFileAndNoLitter) {
    test::TempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder/f.txt"), "x"));
    const std::string folder = dir.File("folder");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(WriteFileAtomically(folder, "x"));  // a folder is not replaced
    {
        AtomicFileWriter writer(folder);
        EXPECT_FALSE(writer.Ok());
        // The message is about the folder, with no stale system error tacked on.
        EXPECT_EQ(writer.Error(), folder + " is not a regular file");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    if (geteuid() != 0) {
        const std::string kept = dir.Write("kept.txt", "keep me");
        chmod(dir.Path().c_str(), 0500);  // the folder can no longer take a new file
        AtomicFileWriter writer(kept);
        EXPECT_FALSE(writer.Ok());
        EXPECT_FALSE(writer.Commit());
        chmod(dir.Path().c_str(), 0700);
        EXPECT_EQ(dir.Read("kept.txt"), "keep me");
    }
}

// What cannot be replaced is written where it is: a device, and a FIFO whose reader gets the
// bytes; no temporary file is made beside it.
TEST(AtomicFile, WritesADeviceOrAFifoInPlace) {
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "gone"));
    test::TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        read.assign(std::istreambuf_iterator<char>(in), {});
    });
    std::string error;
    if (!WriteFileAtomically(fifo, "through", &error)) {
        ADD_FAILURE() << error;
        close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // let the reader go
    }
    reader.join();
    EXPECT_EQ(read, "through");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, UncommittedWritesLeaveNothing) {
    test::TempDir dir;
    {
        AtomicFileWriter writer(dir.File("f.txt"));
        writer.Write(std::string(3 << 20, 'z'));
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 0u);
}

// The file being written has no name until it is complete, so that nothing, not even a kill,
// can leave it behind (where the file system allows such a file).
TEST(AtomicFile, WhileWritingTheFolderHoldsNoNewName) {
    test::TempDir dir;
    const std::string path = dir.Write("f.txt", "old");
    AtomicFileWriter writer(path);
    writer.Write(std::string(3 << 20, 'z'));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_EQ(dir.Read("f.txt").size(), 3u << 20);
}

// Where the temporary file needs a name, the signals that end a program remove it first.
TEST(AtomicFile, ANamedTemporaryFileGoesWithTheSignalThatEndsTheProgram) {
    test::TempDir dir;
    const std::string path = dir.Write("f.txt", "old");
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(sig, SIG_DFL);
            RemoveTemporaryFilesOnSignals();
            AtomicFileWriter writer(path, true, AtomicFileWriter::TempFile::Named);
            writer.Write(std::string(3 << 20, 'z'));
            if (EntriesIn(dir.Path()) != 2) _exit(3);  // the named file is there
            raise(sig);
            _exit(4);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(EntriesIn(dir.Path()), 1u) << "signal " << sig;
        EXPECT_EQ(dir.Read("f.txt"), "old");
    }
}

// A file the user made read-only is not replaced, though the folder would allow it.
TEST(AtomicFile, AReadOnlyFileIsLeftAsItIs) {
    test::TempDir dir;
    const std::string path = dir.Write("f.txt", "old");
    chmod(path.c_str(), 0444);
    AtomicFileWriter writer(path);
    writer.Write("new");
    EXPECT_FALSE(writer.Commit());
    EXPECT_NE(writer.Error().find("read-only"), std::string::npos) << writer.Error();
    EXPECT_EQ(dir.Read("f.txt"), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// A device or a pipe cannot be replaced by a file: it is written to as it is.
TEST(AtomicFile, ADeviceIsWrittenToDirectly) {
    std::string error;
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "discarded", &error)) << error;
}

// A write beyond the file size limit fails with the system's reason (qbay ignores SIGXFSZ,
// which would otherwise end the program) and leaves nothing behind.
TEST(AtomicFile, AFileSizeLimitIsAnErrorThatLeavesNothing) {
    test::TempDir dir;
    const std::string path = dir.Write("f.txt", "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        AtomicFileWriter writer(path);
        writer.Write(std::string(3 << 20, 'z'));
        const bool committed = writer.Commit();
        _exit(committed ? 3 : writer.Error().find("File too large") != std::string::npos ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(dir.Read("f.txt"), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, ANewFileGetsTheUsualPermissions) {
    test::TempDir dir;
    const mode_t mask = umask(022);
    EXPECT_TRUE(WriteFileAtomically(dir.File("new.txt"), "x"));
    umask(mask);
    EXPECT_EQ(Mode(dir.File("new.txt")), 0644);
}

}  // namespace
}  // namespace qb
