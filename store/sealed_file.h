// Sealed files: the enciphered, checksummed envelope of every file the program
// writes (options, saved games) and of its text documents. Layout: the content
// enciphered by the block layer (store/block_cipher.h), then the CRC-32 of the plain
// content as 4 little-endian bytes. No header; the plain length sits in the last
// cipher block.
#pragma once

#include <string>
#include <string_view>

namespace tavlero {

// Writes `content` sealed with `key` to `path`. The new file is written beside the
// old one and renamed over it only once it is completely on disk, so a failure at
// any point leaves the previous file intact. Returns false on any failure, down to the
// folder's own sync after the rename, and then sets `failure` (when given) to the step
// that failed and why, such as "write: No space left on device".
bool SaveSealedFile(const std::string& path, std::string_view content, std::string_view key,
                    std::string* failure = nullptr);

// Reads and unseals `path` with `key`. Returns true and sets `content` only when the
// file was read, its plain length is within the deciphered bytes and its checksum
// matches; otherwise `content` is left unchanged.
bool LoadSealedFile(const std::string& path, std::string& content, std::string_view key);

// The same on bytes in memory (the whole file, checksum included).
bool UnsealBytes(std::string_view sealed, std::string& content, std::string_view key);
std::string SealBytes(std::string_view content, std::string_view key);

// Called by SaveSealedFile after the new file is complete and on disk, just before
// it replaces the old one; returning false makes the save fail there. Lets tests
// interrupt a save at its most delicate moment. Null (the default) does nothing.
using SealedFileReplaceHook = bool (*)(const std::string& temporary_path);
void SetSealedFileReplaceHook(SealedFileReplaceHook hook);

}  // namespace tavlero
