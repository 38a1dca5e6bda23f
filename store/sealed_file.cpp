#include "store/sealed_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "store/block_cipher.h"
#include "store/crc32.h"
#include "store/file_bytes.h"
#include "store/save_faults.h"

namespace tavlero {
namespace {

constexpr std::size_t kChecksumSize = 4;

SealedFileReplaceHook g_replace_hook = nullptr;

// Each step of a save, failing with errno set when the system or an injected fault
// says so.
bool Fail(int error) {
  errno = error;
  return false;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    std::size_t chunk = size;
    if (const int fault = InjectedSaveFault(SaveStep::kWrite, &chunk)) return Fail(fault);
    const ssize_t written = ::write(fd, data, chunk == 0 || chunk > size ? size : chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return Fail(ENOSPC);  // a regular file takes no bytes only when full
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool SyncFile(int fd, SaveStep step) {
  if (const int fault = InjectedSaveFault(step)) return Fail(fault);
  return ::fsync(fd) == 0;
}

bool CloseFile(int fd) {
  const int fault = InjectedSaveFault(SaveStep::kClose);
  const bool closed = ::close(fd) == 0;  // the descriptor is released either way
  return fault != 0 ? Fail(fault) : closed;
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (const int fault = InjectedSaveFault(SaveStep::kRename)) return Fail(fault);
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes a finished rename durable. The new file is in place whatever happens here, but
// a save whose rename may not survive a power cut is not reported as done.
bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = SyncFile(fd, SaveStep::kFolderSync);
  const int error = errno;
  ::close(fd);
  errno = error;
  return synced;
}

// Creates a new file beside `path` that no one else is writing. Permissions follow
// the umask, as for any newly created file.
int CreateTemporary(const std::string& path, std::string& temporary_path) {
  static unsigned counter = 0;
  if (const int fault = InjectedSaveFault(SaveStep::kOpen)) {
    errno = fault;
    return -1;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_path = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Describes the failed step and its cause for the caller's log.
bool ReportFailure(SaveStep step, std::string* failure) {
  const int error = errno;
  if (failure != nullptr) {
    *failure = SaveStepName(step);
    *failure += ": ";
    *failure += error != 0 ? std::strerror(error) : "refused";
  }
  return false;
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

bool SaveSealedFile(const std::string& path, std::string_view content, std::string_view key,
                    std::string* failure) {
  const std::string sealed = SealBytes(content, key);

  std::string temporary_path;
  const int fd = CreateTemporary(path, temporary_path);
  if (fd < 0) return ReportFailure(SaveStep::kOpen, failure);
  SaveStep failed = SaveStep::kWrite;
  bool ok = WriteAll(fd, sealed.data(), sealed.size());
  if (ok) {
    failed = SaveStep::kSync;
    ok = SyncFile(fd, SaveStep::kSync);
  }
  const int error = errno;
  if (!CloseFile(fd) && ok) {
    failed = SaveStep::kClose;
    ok = false;
  } else {
    errno = error;
  }
  if (ok && g_replace_hook != nullptr && !g_replace_hook(temporary_path)) {
    errno = 0;
    failed = SaveStep::kRename;
    ok = false;
  }
  if (ok && !RenameFile(temporary_path, path)) {
    failed = SaveStep::kRename;
    ok = false;
  }
  if (!ok) {
    const int cause = errno;
    std::remove(temporary_path.c_str());
    errno = cause;
    return ReportFailure(failed, failure);
  }
  if (!SyncFolder(FolderOf(path))) return ReportFailure(SaveStep::kFolderSync, failure);
  return true;
}

bool LoadSealedFile(const std::string& path, std::string& content, std::string_view key) {
  std::string bytes;
  return ReadFileBytes(path, bytes) && UnsealBytes(bytes, content, key);
}

void SetSealedFileReplaceHook(SealedFileReplaceHook hook) { g_replace_hook = hook; }

}  // namespace tavlero
