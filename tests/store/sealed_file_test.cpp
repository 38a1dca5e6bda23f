#include "store/sealed_file.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/random.h"
#include "store/block_cipher.h"
#include "store/crc32.h"

namespace tavlero {
namespace {

constexpr char kKey[] = "50719384";

class SealedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "sealed-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    SeedRand(4242);
  }
  void TearDown() override {
    SetSealedFileReplaceHook(nullptr);
    for (const std::string& name : FolderNames()) std::remove((folder_ + "/" + name).c_str());
    ::rmdir(folder_.c_str());
  }

  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder_.c_str())) {
      while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      ::closedir(dir);
    }
    return names;
  }

  std::string Path(const char* name) const { return folder_ + "/" + name; }

  static std::string ReadBytes(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
      char piece[4096];
      std::size_t got;
      while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) bytes.append(piece, got);
      std::fclose(file);
    }
    return bytes;
  }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }

  std::string folder_;
};

TEST_F(SealedFileTest, SizesFollowThePaddingRuleAndContentReadsBack) {
  const std::string content = "0123456789abcdef\0\xC0\xFF tail";
  for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 16u, 20u}) {
    const std::string plain = content.substr(0, length);
    ASSERT_TRUE(SaveSealedFile(Path("f.dat"), plain, kKey));
    const std::string sealed = ReadBytes(Path("f.dat"));
    EXPECT_EQ(sealed.size(), length - length % 8 + 8 + 4) << length;
    // The checksum of the plain content ends the file, little-endian.
    const std::uint32_t crc = Crc32(plain.data(), plain.size());
    EXPECT_EQ(sealed.substr(sealed.size() - 4),
              std::string({static_cast<char>(crc), static_cast<char>(crc >> 8), static_cast<char>(crc >> 16),
                            static_cast<char>(crc >> 24)}));
    std::string back = "old";
    ASSERT_TRUE(LoadSealedFile(Path("f.dat"), back, kKey));
    EXPECT_EQ(back, plain);
  }
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"f.dat"});  // no temporary files left

  // Filler makes two seals of the same content differ; both read back.
  for (const std::string& plain : {std::string(), std::string("12345678"), std::string("123456789")}) {
    const std::string first = SealBytes(plain, kKey);
    const std::string second = SealBytes(plain, kKey);
    EXPECT_NE(first, second);
    std::string a, b;
    EXPECT_TRUE(UnsealBytes(first, a, kKey));
    EXPECT_TRUE(UnsealBytes(second, b, kKey));
    EXPECT_EQ(a, plain);
    EXPECT_EQ(b, plain);
  }
}

TEST_F(SealedFileTest, WrongKeyAndEveryChangedByteAreRefused) {
  const std::string plain = "Game = {\n\tOptions = {\n\t\tSound=1\n\t}\n}\n";
  const std::string sealed = SealBytes(plain, kKey);
  std::string content = "unchanged";
  EXPECT_FALSE(UnsealBytes(sealed, content, "50719386"));
  EXPECT_FALSE(UnsealBytes(sealed, content, "TileLock"));
  EXPECT_EQ(content, "unchanged");
  // Only the first 8 key bytes count.
  EXPECT_TRUE(UnsealBytes(sealed, content, "50719384 and more"));
  EXPECT_EQ(content, plain);

  for (std::size_t i = 0; i < sealed.size(); ++i) {
    for (int flip : {0x01, 0x80, 0xFF, 0x5A}) {
      std::string damaged = sealed;
      damaged[i] = static_cast<char>(damaged[i] ^ flip);
      content = "unchanged";
      ASSERT_FALSE(UnsealBytes(damaged, content, kKey)) << "byte " << i << " flip " << flip;
      ASSERT_EQ(content, "unchanged");
    }
  }
  for (std::size_t cut = 0; cut < sealed.size(); ++cut) {
    ASSERT_FALSE(UnsealBytes(sealed.substr(0, cut), content, kKey)) << cut;
  }
  ASSERT_FALSE(UnsealBytes(sealed + std::string(1, '\0'), content, kKey));
}

TEST_F(SealedFileTest, ShortFilesAndMissingFiles) {
  std::string content = "unchanged";
  EXPECT_FALSE(LoadSealedFile(Path("missing.dat"), content, kKey));
  EXPECT_FALSE(LoadSealedFile(folder_, content, kKey));
  for (std::size_t size = 0; size < 4; ++size) {
    WriteBytes(Path("short.dat"), std::string(size, '\0'));
    EXPECT_FALSE(LoadSealedFile(Path("short.dat"), content, kKey)) << size;
  }
  EXPECT_EQ(content, "unchanged");
  // 4 to 11 bytes hold no whole block: empty content when the checksum is that of
  // no bytes (zero), refused otherwise.
  for (std::size_t size = 4; size < 12; ++size) {
    const std::string head(size - 4, 'x');
    WriteBytes(Path("short.dat"), head + std::string(4, '\0'));
    content = "unchanged";
    EXPECT_TRUE(LoadSealedFile(Path("short.dat"), content, kKey)) << size;
    EXPECT_EQ(content, "");
    WriteBytes(Path("short.dat"), head + std::string("\0\0\0\1", 4));
    content = "unchanged";
    EXPECT_FALSE(LoadSealedFile(Path("short.dat"), content, kKey)) << size;
    EXPECT_EQ(content, "unchanged");
  }
}

// Builds a sealed file by hand whose last block claims `last_byte` as its length
// byte, with a checksum over `claimed` plain bytes taken from a zero-padded buffer.
std::string CraftSealed(const std::string& blocks_plain, int last_byte, std::size_t claimed) {
  std::string plain = blocks_plain;
  plain.back() = static_cast<char>(last_byte);
  std::string cipher(plain.size(), '\0');
  const BlockCipherKey key(kKey);
  std::uint8_t chain[8] = {};
  for (std::size_t offset = 0; offset < plain.size(); offset += 8) {
    std::uint8_t block[8];
    for (int i = 0; i < 8; ++i) block[i] = static_cast<std::uint8_t>(plain[offset + i]) ^ chain[i];
    key.EncipherBlock(block, chain);
    for (int i = 0; i < 8; ++i) cipher[offset + i] = static_cast<char>(chain[i]);
  }
  std::string padded = plain + std::string(16, '\0');
  const std::uint32_t crc = Crc32(padded.data(), claimed);
  for (int i = 0; i < 4; ++i) cipher.push_back(static_cast<char>(crc >> (8 * i)));
  return cipher;
}

TEST_F(SealedFileTest, PlainLengthsBeyondTheDecipheredBytesAreRefused) {
  const std::string blocks(16, 'q');
  std::string content = "unchanged";
  // A length byte of 12 claims 20 plain bytes out of 16 deciphered ones.
  EXPECT_FALSE(UnsealBytes(CraftSealed(blocks, 12, 20), content, kKey));
  EXPECT_FALSE(UnsealBytes(CraftSealed(blocks, 127, 16 + 8 + 8), content, kKey));
  // Negative lengths.
  EXPECT_FALSE(UnsealBytes(CraftSealed(std::string(8, 'q'), -1, 0), content, kKey));
  EXPECT_EQ(content, "unchanged");
  // Lengths inside the deciphered bytes, even unusual ones, are taken.
  EXPECT_TRUE(UnsealBytes(CraftSealed(blocks, 8, 16), content, kKey));
  EXPECT_EQ(content, std::string(15, 'q') + '\x08');
  EXPECT_TRUE(UnsealBytes(CraftSealed(blocks, -8, 0), content, kKey));
  EXPECT_EQ(content, "");
}

TEST_F(SealedFileTest, RandomBytesNeverCrashTheUnsealer) {
  std::string content;
  int accepted = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    std::string bytes(static_cast<std::size_t>(RandomBelow(64)), '\0');
    for (char& c : bytes) c = static_cast<char>(Rand());
    accepted += UnsealBytes(bytes, content, kKey) ? 1 : 0;
  }
  EXPECT_LT(accepted, 10);
}

TEST_F(SealedFileTest, FailedSaveLeavesThePreviousFileAndNoTemporary) {
  ASSERT_TRUE(SaveSealedFile(Path("board.dat"), "old options", kKey));
  SetSealedFileReplaceHook([](const std::string&) { return false; });
  EXPECT_FALSE(SaveSealedFile(Path("board.dat"), "new options", kKey));
  SetSealedFileReplaceHook(nullptr);
  std::string content;
  ASSERT_TRUE(LoadSealedFile(Path("board.dat"), content, kKey));
  EXPECT_EQ(content, "old options");
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"board.dat"});

  // Unwritable targets: a missing folder, a path that is a folder.
  EXPECT_FALSE(SaveSealedFile(Path("no-such-folder/board.dat"), "x", kKey));
  ::mkdir(Path("sub").c_str(), 0755);
  ASSERT_TRUE(SaveSealedFile(Path("sub/inner.dat"), "x", kKey));
  EXPECT_FALSE(SaveSealedFile(Path("sub"), "x", kKey));
  std::remove(Path("sub/inner.dat").c_str());
  ::rmdir(Path("sub").c_str());
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"board.dat"});
}

TEST_F(SealedFileTest, AFullDiskFailsTheSaveAndLeavesThePreviousFile) {
  ASSERT_TRUE(SaveSealedFile(Path("game0.dat"), "previous game", kKey));
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A file size limit makes the system refuse writes past it, as a full disk does.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = SaveSealedFile(Path("game0.dat"), std::string(200000, 'n'), kKey);
    ::_exit(saved ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save said it was done";
  std::string content;
  ASSERT_TRUE(LoadSealedFile(Path("game0.dat"), content, kKey));
  EXPECT_EQ(content, "previous game");
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"game0.dat"});
}

TEST_F(SealedFileTest, WriterKilledBeforeTheReplaceLeavesThePreviousFile) {
  const std::string big(200000, 'n');
  ASSERT_TRUE(SaveSealedFile(Path("game0.dat"), "previous game", kKey));
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SetSealedFileReplaceHook([](const std::string&) {
      ::raise(SIGKILL);
      return true;
    });
    SaveSealedFile(Path("game0.dat"), big, kKey);
    ::_exit(0);  // not reached
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  std::string content;
  ASSERT_TRUE(LoadSealedFile(Path("game0.dat"), content, kKey));
  EXPECT_EQ(content, "previous game");
  // The killed writer's complete temporary file is the only other file.
  EXPECT_EQ(FolderNames().size(), 2u);

  // The next save goes through and replaces the file.
  ASSERT_TRUE(SaveSealedFile(Path("game0.dat"), big, kKey));
  ASSERT_TRUE(LoadSealedFile(Path("game0.dat"), content, kKey));
  EXPECT_EQ(content, big);
}

}  // namespace
}  // namespace tavlero
