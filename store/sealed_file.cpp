#include "store/sealed_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "store/block_cipher.h"
#include "store/crc32.h"
#include "store/file_bytes.h"

namespace tavlero {
namespace {

constexpr std::size_t kChecksumSize = 4;

SealedFileReplaceHook g_replace_hook = nullptr;

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes a finished rename durable; failure here is not worth failing the save for,
// since the new file is already in place.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Creates a new file beside `path` that no one else is writing. Permissions follow
// the umask, as for any newly created file.
int CreateTemporary(const std::string& path, std::string& temporary_path) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_path = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::string SealBytes(std::string_view content, std::string_view key) {
  const auto length = static_cast<std::ptrdiff_t>(content.size());
  std::string sealed(static_cast<std::size_t>(SealedCipherLength(length)) + kChecksumSize, '\0');
  const std::ptrdiff_t cipher_length =
      EncipherBuffer(content.data(), length, sealed.data(), static_cast<std::ptrdiff_t>(sealed.size()), key);
  const std::uint32_t crc = Crc32(content.data(), content.size());
  for (std::size_t i = 0; i < kChecksumSize; ++i) {
    sealed[static_cast<std::size_t>(cipher_length) + i] = static_cast<char>(crc >> (8 * i));
  }
  return sealed;
}

bool UnsealBytes(std::string_view sealed, std::string& content, std::string_view key) {
  if (sealed.size() < kChecksumSize) return false;
  const auto cipher_count = static_cast<std::ptrdiff_t>(sealed.size() - kChecksumSize);
  const std::ptrdiff_t whole = cipher_count - cipher_count % kCipherBlockSize;
  std::vector<char> plain(static_cast<std::size_t>(whole) + kCipherBlockSize);
  const std::ptrdiff_t length = DecipherBuffer(sealed.data(), cipher_count, plain.data(),
                                               static_cast<std::ptrdiff_t>(plain.size()), key);
  // Only the deciphered bytes may be taken: a damaged last block or a wrong key
  // gives lengths outside them.
  if (length < 0 || length > whole) return false;

  std::uint32_t stored = 0;
  for (std::size_t i = 0; i < kChecksumSize; ++i) {
    stored |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(sealed[static_cast<std::size_t>(cipher_count) + i]))
              << (8 * i);
  }
  if (stored != Crc32(plain.data(), static_cast<std::size_t>(length))) return false;
  content.assign(plain.data(), static_cast<std::size_t>(length));
  return true;
}

bool SaveSealedFile(const std::string& path, std::string_view content, std::string_view key) {
  const std::string sealed = SealBytes(content, key);

  std::string temporary_path;
  const int fd = CreateTemporary(path, temporary_path);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, sealed.data(), sealed.size());
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && g_replace_hook != nullptr) ok = g_replace_hook(temporary_path);
  ok = ok && std::rename(temporary_path.c_str(), path.c_str()) == 0;
  if (!ok) {
    std::remove(temporary_path.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

bool LoadSealedFile(const std::string& path, std::string& content, std::string_view key) {
  std::string bytes;
  return ReadFileBytes(path, bytes) && UnsealBytes(bytes, content, key);
}

void SetSealedFileReplaceHook(SealedFileReplaceHook hook) { g_replace_hook = hook; }

}  // namespace tavlero
