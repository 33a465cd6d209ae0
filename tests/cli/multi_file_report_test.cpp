#include "app/cli/multi_file_report.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

MultiFileEntry Entry(const char* name, MultiFileEntry::Status status, int replacements,
                     const char* error = "") {
    MultiFileEntry entry;
    entry.name = name;
    entry.code = CodeShiftJis;
    entry.status = status;
    entry.replacements = replacements;
    entry.error = error;
    return entry;
}

// A run lists every matching file; a preview shows the changes as a diff instead and lists only
// the files it could not look into or passed over, which the diff cannot show. Counts of one
// are singular.
TEST(MultiFileReport, APreviewListsOnlyTheFilesItLeftAloneAndCountsAreSingularForOne) {
    MultiFileResult result;
    result.files = {Entry("a.txt", MultiFileEntry::Replaced, 1),
                    Entry("b.txt", MultiFileEntry::Unchanged, 0),
                    Entry("c.txt", MultiFileEntry::Failed, 0, "Permission denied"),
                    Entry("d.txt", MultiFileEntry::Skipped, 2, "a symbolic link, not followed")};
    result.filesChanged = 1;
    result.replacements = 1;
    const std::string failed = "c.txt: ShiftJIS, left alone: Permission denied\n";
    const std::string skipped = "d.txt: ShiftJIS, passed over: a symbolic link, not followed\n";
    EXPECT_EQ(MultiFileReport(result),
              "a.txt: ShiftJIS, 1 replacement\n"
              "b.txt: ShiftJIS, 0 replacements\n" +
                  failed + skipped + "1 file changed, 1 replacement in all\n");
    result.dryRun = true;
    result.folder = "notes";
    const std::string report = MultiFileReport(result);
    EXPECT_EQ(report.find("a.txt: ShiftJIS"), std::string::npos);
    EXPECT_EQ(report.find("b.txt"), std::string::npos);
    EXPECT_NE(report.find("notes/" + failed + "notes/" + skipped +
                          "1 file would change, 1 replacement in all\n"),
              std::string::npos)
        << report;
}

// The lines of a file left alone named it without its folder, and the subfolders passed over
// went unmentioned.
TEST(MultiFileReport, EachFileIsNamedWithItsFolderAndSubfoldersPassedOverAreCounted) {
    MultiFileResult result;
    result.folder = "my notes/";
    result.files = {Entry("a.txt", MultiFileEntry::Replaced, 2)};
    result.filesChanged = 1;
    result.replacements = 2;
    EXPECT_EQ(MultiFileReport(result),
              "my notes/a.txt: ShiftJIS, 2 replacements\n1 file changed, 2 replacements in all\n");
    result.subfolders = 1;
    EXPECT_NE(MultiFileReport(result).find("\n1 subfolder not searched"), std::string::npos);
    result.subfolders = 3;
    EXPECT_NE(MultiFileReport(result).find("\n3 subfolders not searched"), std::string::npos);
}

}  // namespace
}  // namespace qb
