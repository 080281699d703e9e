#include "console/transfer/BackupFile.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/console/transfer/TransferTestSupport.h"
#include "tests/fakes/trust/FakeFolders.h"

namespace vantrel {
namespace {

// A clock that stands still, and files that can be made only where nothing
// of the name exists on trust's fake disk.
class FakeBackupFiles : public BackupFileSystem {
 public:
  explicit FakeBackupFiles(kit::fakes::FakeFolders& disk) : disk_(disk) {}
  LocalTime Now() override { return now; }
  std::uint32_t WriteNewFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) override {
    if (disk_.items.count(path) != 0) return kErrorFileExists;
    if (writeError != 0) return writeError;
    disk_.items[path].attributes = 0x20;
    contents[path] = bytes;
    return 0;
  }

  LocalTime now{2026, 12, 10, 9, 30, 5};
  std::uint32_t writeError = 0;
  std::map<std::u16string, std::vector<std::uint8_t>> contents;

 private:
  kit::fakes::FakeFolders& disk_;
};

class BackupFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::vector<std::uint8_t>& bytes) { return WriteBackupFile(disk, files, codec, bytes); }

  kit::fakes::FakeFolders disk;
  FakeBackupFiles files{disk};
  test::Latin1Codec codec;
};

TEST_F(BackupFileTest, EachBackupIsANewFileNamedByTheTimeInTheProtectedFolder) {
  EXPECT_EQ(Write({1, 2}), "C:\\ProgramData\\Vantrel\\Backups\\Vantrel 2026-12-10 093005.reg");
  EXPECT_EQ(disk.items.at(u"C:\\ProgramData\\Vantrel\\Backups").security.dacl.size(), 3u);
  // Within the same second, and beside a file a user left: never overwritten.
  disk.items[u"C:\\ProgramData\\Vantrel\\Backups\\Vantrel 2026-12-10 093005 (2).reg"].attributes = 0x20;
  EXPECT_EQ(Write({3}), "C:\\ProgramData\\Vantrel\\Backups\\Vantrel 2026-12-10 093005 (3).reg");
  EXPECT_EQ(files.contents.at(u"C:\\ProgramData\\Vantrel\\Backups\\Vantrel 2026-12-10 093005.reg"),
            (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(files.contents.size(), 2u);
}

TEST_F(BackupFileTest, AFolderThatCannotBeTrustedOrAFileThatCannotBeWrittenSaysWhy) {
  disk.Put(u"C:\\ProgramData\\Vantrel", u"O:S-1-5-21-1-2-3-1001D:(A;OICI;FA;;;S-1-5-21-1-2-3-1001)");
  EXPECT_EQ(test::ErrorText<std::runtime_error>([&] { Write({1}); }),
            "The backup folder cannot be used: C:\\ProgramData\\Vantrel is owned by S-1-5-21-1-2-3-1001, who is "
            "not an administrator.");
  EXPECT_TRUE(files.contents.empty());

  kit::fakes::FakeFolders other;
  FakeBackupFiles full(other);
  full.writeError = 112;
  EXPECT_EQ(test::ErrorText<std::runtime_error>([&] { WriteBackupFile(other, full, codec, {1}); }),
            "The backup file C:\\ProgramData\\Vantrel\\Backups\\Vantrel 2026-12-10 093005.reg cannot be written "
            "(error 112).");
}

}  // namespace
}  // namespace vantrel
