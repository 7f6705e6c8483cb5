#include "config/atomicfile.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

using namespace vq::config;

TEST(AtomicFile, ReplacesWholeAndLeavesNoTemporary)
{
    vq::test::TempDir dir;
    const auto file = dir / "f.txt";
    ASSERT_TRUE(writeFileAtomically(file, "first version, long"));
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(vq::test::readBytes(file), "second");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(AtomicFile, FailureNamesThePathAndKeepsTheOldFile)
{
    vq::test::TempDir dir;
    std::string error;
    EXPECT_FALSE(writeFileAtomically(dir / "no-such-folder" / "f.txt", "x", &error));
    EXPECT_NE(error.find("no-such-folder"), std::string::npos);

    // A target that is a folder cannot be replaced by a file.
    std::filesystem::create_directory(dir / "taken");
    vq::test::writeBytes(dir / "taken" / "inside", "keep");
    EXPECT_FALSE(writeFileAtomically(dir / "taken", "x", &error));
    EXPECT_EQ(vq::test::readBytes(dir / "taken" / "inside"), "keep");
}
