#include "framework/CKnownFile.h"
#include "framework/RegularFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Change = CKnownFile::Change;

// The file as read: what the editor knows of it right after opening it.
CKnownFile ReadAndKnow(const std::filesystem::path& path) {
    std::string text;
    std::string reason;
    FileStamp stamp;
    EXPECT_TRUE(ReadRegularFile(path.string(), text, reason, 1 << 20, &stamp));
    CKnownFile known;
    known.Remember(stamp);
    return known;
}

TEST(CKnownFile, AnotherWriterIsSeenUntilTheUserDismissesThatVeryChange) {
    CTempDir dir;
    const auto path = dir.Path("a.map");
    WriteFileText(path, "first");
    CKnownFile known = ReadAndKnow(path);
    EXPECT_EQ(known.Compare(path.string()), Change::kNone);

    WriteAsAnotherProgram(path, "second, longer");
    FileStamp told;
    EXPECT_EQ(known.Compare(path.string(), &told), Change::kChanged);
    EXPECT_EQ(told, ReadFileStamp(path.string()));
    known.Dismiss(told);
    EXPECT_EQ(known.Compare(path.string()), Change::kNone);

    WriteAsAnotherProgram(path, "third");
    EXPECT_EQ(known.Compare(path.string()), Change::kChanged) << "a new change is news";
    known.Remember(ReadFileStamp(path.string()));
    EXPECT_EQ(known.Compare(path.string()), Change::kNone);
}

TEST(CKnownFile, AFileRemovedOrRenamedOverIsSeenEvenWithTheSameSizeAndTime) {
    CTempDir dir;
    const auto path = dir.Path("a.map");
    WriteFileText(path, "same");
    CKnownFile known = ReadAndKnow(path);
    const auto before = std::filesystem::last_write_time(path);

    WriteFileText(dir.Path("b.map"), "same");
    std::filesystem::last_write_time(dir.Path("b.map"), before);
    std::filesystem::rename(dir.Path("b.map"), path);
    EXPECT_EQ(known.Compare(path.string()), Change::kChanged);

    std::filesystem::remove(path);
    EXPECT_EQ(known.Compare(path.string()), Change::kRemoved);
    known.Forget();
    EXPECT_EQ(known.Compare(path.string()), Change::kNone) << "a document with no file";
}

} // namespace
