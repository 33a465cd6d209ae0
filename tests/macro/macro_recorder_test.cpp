#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::ReadFileBytes;

TEST(MacroRecorder, WritesEachLineAtOnceWithCrLf) {
    test::FakeHost host;
    test::TempDir dir;
    MacroRecorder recorder(host);
    recorder.RecordLine("not recording");  // off: nothing
    ASSERT_TRUE(recorder.Start(dir.File("m.qmc")));
    EXPECT_TRUE(recorder.IsRecording());
    recorder.RecordLine("ZenToHan");
    EXPECT_EQ(ReadFileBytes(dir.File("m.qmc")), "ZenToHan\r\n");  // on disk already
    recorder.RecordLine("TurnChange 70");
    recorder.Stop();
    recorder.RecordLine("after");
    EXPECT_EQ(ReadFileBytes(dir.File("m.qmc")), "ZenToHan\r\nTurnChange 70\r\n");

    // Starting again into the same file replaces what it held.
    ASSERT_TRUE(recorder.Start(dir.File("m.qmc")));
    recorder.RecordLine("Reverse");
    recorder.Stop();
    EXPECT_EQ(ReadFileBytes(dir.File("m.qmc")), "Reverse\r\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST(MacroRecorder, AFileThatCannotBeCreatedLeavesRecordingOff) {
    test::FakeHost host;
    test::TempDir dir;
    MacroRecorder recorder(host);
    EXPECT_FALSE(recorder.Start(dir.File("no/such/folder/m.qmc")));
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("マクロファイルを作成できません"), std::string::npos);
    EXPECT_NE(host.messages[0].find("no/such/folder/m.qmc"), std::string::npos);
    recorder.RecordLine("x");  // still off, nothing breaks
}

TEST(MacroRecorder, SaysWhenALineCannotBeReadBackAsItWas) {
    test::FakeHost host;
    test::TempDir dir;
    MacroRecorder recorder(host);
    ASSERT_TRUE(recorder.Start(dir.File("m.qmc")));
    recorder.RecordLine("StrCat a\rb");  // a CR inside a line reads back
    EXPECT_TRUE(host.messages.empty());
    recorder.RecordLine("StrCat a\n");
    recorder.RecordLine("StrCat a\r");
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(recorder.IsRecording());
}

TEST(MacroRecorder, AWriteFailureEndsTheRecordingAndSaysSo) {
    test::FakeHost host;
    MacroRecorder recorder(host);
    if (!recorder.Start("/dev/full")) GTEST_SKIP() << "no /dev/full";
    recorder.RecordLine("ZenToHan");
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("マクロファイルに書き込めません"), std::string::npos);
}

}  // namespace
}  // namespace qb
