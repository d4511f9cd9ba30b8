#include "platform/Files.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include <algorithm>
#include <utility>

#include "platform/UniqueFd.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(FilesTest, CopyNeverOverwritesAnExistingFile) {
    TempDir dir;
    writeFile(dir.file("template.ini"), "template");
    writeFile(dir.file("user.ini"), "mine");
    EXPECT_FALSE(copyFileNoOverwrite(dir.file("template.ini"), dir.file("user.ini")));
    EXPECT_EQ(readFile(dir.file("user.ini")), "mine");
    EXPECT_TRUE(copyFileNoOverwrite(dir.file("template.ini"), dir.file("new.ini")));
    EXPECT_EQ(readFile(dir.file("new.ini")), "template");
    EXPECT_FALSE(copyFileNoOverwrite(dir.file("missing"), dir.file("other.ini")));
    EXPECT_FALSE(fileExists(dir.file("other.ini")));
}

TEST(FilesTest, MakeSureDirectoryPathExistsCreatesAllParents) {
    TempDir dir;
    EXPECT_TRUE(MakeSureDirectoryPathExists(dir.file("a/b/c/")));
    EXPECT_TRUE(directoryExists(dir.file("a/b/c")));
    // Without a final slash the last part is a file name.
    EXPECT_TRUE(MakeSureDirectoryPathExists(dir.file("x/y/file.txt")));
    EXPECT_TRUE(directoryExists(dir.file("x/y")));
    EXPECT_FALSE(directoryExists(dir.file("x/y/file.txt")));
    writeFile(dir.file("plain"), "");
    EXPECT_FALSE(MakeSureDirectoryPathExists(dir.file("plain/sub/")));
}

TEST(FilesTest, AtomicWriteKeepsPermissionsAndReplacesContent) {
    TempDir dir;
    std::string f = dir.file("media.csv");
    writeFile(f, "old");
    ::chmod(f.c_str(), 0600);
    ASSERT_TRUE(writeFileAtomic(f, std::string("new\0bytes", 9)));
    EXPECT_EQ(readFile(f), std::string("new\0bytes", 9));
    struct stat st {};
    ASSERT_EQ(::stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(readWholeFile(dir.path()).has_value());
}

TEST(FilesTest, AtomicWriteHonoursReadOnlyFilesAndFollowsLinks) {
    TempDir dir;
    std::string f = dir.file("Media.csv");
    writeFile(f, "kept");
    ::chmod(f.c_str(), 0444);  // also for root, who could write it anyway
    EXPECT_FALSE(writeFileAtomic(f, "lost"));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(readFile(f), "kept");
    struct stat st {};
    ASSERT_EQ(::stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);

    // A settings file kept elsewhere and linked in: the link stays a link.
    writeFile(dir.file("dotfiles.ini"), "[State]\n");
    ASSERT_EQ(::symlink(dir.file("dotfiles.ini").c_str(), dir.file("Sartovin.ini").c_str()), 0);
    ASSERT_TRUE(writeFileAtomic(dir.file("Sartovin.ini"), "[State]\nLanguage=1000\n"));
    ASSERT_EQ(::lstat(dir.file("Sartovin.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFile(dir.file("dotfiles.ini")), "[State]\nLanguage=1000\n");
}

// Backdates a file as a crashed run would have left it.
void makeOld(const std::string& path) {
    struct timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimes(path.c_str(), hourAgo), 0);
}

TEST(FilesTest, AbandonedPrivateCopiesGoButOnesInUseStay) {
    TempDir dir;
    const std::string abandoned = writePrivateTempFile(dir.path(), "sartovin-settings", "a");
    const std::string inUse = writePrivateTempFile(dir.path(), "sartovin-settings", "b");
    const std::string fresh = writePrivateTempFile(dir.path(), "sartovin-settings", "c");
    ASSERT_FALSE(abandoned.empty() || inUse.empty() || fresh.empty());
    writeFile(abandoned + ".lock", "");
    writeFile(dir.file("sartovin-settings.txt"), "not one of ours");
    for (const std::string& old : {abandoned, inUse, dir.file("sartovin-settings.txt")}) makeOld(old);
    UniqueFd held = holdInUse(inUse);
    ASSERT_TRUE(held.valid());
    // Another run cannot take it while it is held.
    EXPECT_FALSE(holdInUse(inUse).valid());

    EXPECT_EQ(removeAbandonedPrivateFiles(dir.path(), "sartovin-settings"), 1);
    EXPECT_FALSE(fileExists(abandoned));
    EXPECT_FALSE(fileExists(abandoned + ".lock"));
    EXPECT_TRUE(fileExists(inUse));
    EXPECT_TRUE(fileExists(fresh));
    EXPECT_TRUE(fileExists(dir.file("sartovin-settings.txt")));

    // Once its run has ended, the copy is free to go.
    held.reset();
    EXPECT_EQ(removeAbandonedPrivateFiles(dir.path(), "sartovin-settings"), 1);
    EXPECT_FALSE(fileExists(inUse));
    EXPECT_FALSE(fileExists(inUse + ".inuse"));
}

TEST(FilesTest, AStreamWrittenThroughASiblingReplacesTheTargetOnlyWhenCommitted) {
    TempDir dir;
    const std::string target = dir.file("job.plt");
    writeFile(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    {
        AtomicFileWriter out(target);
        ASSERT_TRUE(out.valid());
        EXPECT_TRUE(out.write("new "));
        EXPECT_EQ(readFile(target), "old");
        // Never committed: the target stays, the sibling goes.
    }
    std::vector<std::string> names;
    ASSERT_TRUE(listFolder(dir.path(), names));
    EXPECT_EQ(names, std::vector<std::string>{"job.plt"});
    {
        AtomicFileWriter out(target);
        EXPECT_TRUE(out.write("new ") && out.write("stream"));
        EXPECT_TRUE(out.commit());
    }
    EXPECT_EQ(readFile(target), "new stream");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // A device node is written in place.
    AtomicFileWriter null("/dev/null");
    EXPECT_TRUE(null.write("x") && null.commit());
}

TEST(FilesTest, FolderListingLeavesOutTheDotEntries) {
    TempDir dir;
    writeFile(dir.file("1000.Txt"), "");
    writeFile(dir.file("sub/inner"), "");
    std::vector<std::string> names{"stale"};
    ASSERT_TRUE(listFolder(dir.path(), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1000.Txt", "sub"}));
    EXPECT_FALSE(listFolder(dir.file("missing/"), names));
    EXPECT_TRUE(names.empty());
}

bool isOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

TEST(UniqueFdTest, ClosesOnceWhateverWayItLeaves) {
    TempDir dir;
    writeFile(dir.file("f"), "x");
    int raw = -1;
    {
        UniqueFd fd(::open(dir.file("f").c_str(), O_RDONLY | O_CLOEXEC));
        raw = fd.get();
        ASSERT_TRUE(fd.valid());
        UniqueFd moved = std::move(fd);  // the new owner closes it, the old one no longer does
        EXPECT_FALSE(fd.valid());
        EXPECT_EQ(moved.get(), raw);
    }
    EXPECT_FALSE(isOpen(raw));

    UniqueFd kept(::open(dir.file("f").c_str(), O_RDONLY | O_CLOEXEC));
    raw = kept.release();
    EXPECT_TRUE(isOpen(raw));  // given up, not closed
    UniqueFd again(raw);
    EXPECT_TRUE(again.close());
    EXPECT_FALSE(isOpen(raw));
    EXPECT_TRUE(again.close());  // nothing left to close
}

TEST(FilesTest, PathParts) {
    EXPECT_EQ(folderOf("/usr/local/bin/SartovinAI"), "/usr/local/bin/");
    EXPECT_EQ(baseName("/usr/local/bin/SartovinAI"), "SartovinAI");
    EXPECT_EQ(folderOf("plain"), "");
}

}  // namespace
}  // namespace sartovin
