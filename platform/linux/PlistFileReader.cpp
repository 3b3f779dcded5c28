// SPDX-License-Identifier: MIT
#include "platform/linux/PlistFileReader.h"

#include "platform/linux/BinaryPlistParser.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/ReadArena.h"
#include "platform/linux/XmlPlistParser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::linux_backend {

namespace {

using Kind = PlistProblem::Kind;

std::string sizeMessage() {
    return "larger than " + std::to_string(plist_limits::MaxFileSize) + " bytes";
}

// Why something that is not a regular file is not read: opening a FIFO
// waits for a writer, a device may act on being opened, a folder has no bytes.
std::optional<PlistProblem> notAFile(mode_t mode) {
    if (S_ISREG(mode)) return std::nullopt;
    const char* what = S_ISFIFO(mode)   ? "a named pipe"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISDIR(mode)  ? "a folder"
                                        : "not a regular file";
    return problemOf(Kind::Missing, std::string(what) + ", not a file");
}

// The whole file, read into the arena.
Outcome<std::span<char>> readSmallFile(const std::string& path, ReadArena& arena) {
    struct stat info {};
    const auto missing = [] {
        const Kind kind = errno == ENOENT || errno == ENOTDIR ? Kind::Missing : Kind::Io;
        return problemOf(kind, std::strerror(errno));
    };
    // Judged before it is opened, and again once open: the path may have
    // been replaced between. O_NONBLOCK keeps a FIFO swapped in meanwhile
    // from holding the open.
    if (::stat(path.c_str(), &info) != 0) return missing();
    if (auto problem = notAFile(info.st_mode)) return *problem;
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd) return missing();
    if (::fstat(fd.get(), &info) != 0) return problemOf(Kind::Io, std::strerror(errno));
    if (auto problem = notAFile(info.st_mode)) return *problem;
    if (static_cast<std::size_t>(info.st_size) > plist_limits::MaxFileSize)
        return problemOf(Kind::Size, sizeMessage());

    // One byte more than the limit, so that a file that grew since it was
    // measured is noticed rather than cut.
    std::span<char> content = arena.allocateArray<char>(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (content.size() > plist_limits::MaxFileSize)
                return problemOf(Kind::Size, sizeMessage());
            const std::span<char> larger = arena.allocateArray<char>(
                std::min(content.size() * 2, plist_limits::MaxFileSize + 1));
            std::copy(content.begin(), content.end(), larger.begin());
            content = larger;
        }
        const ssize_t got = ::read(fd.get(), content.data() + filled, content.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return problemOf(Kind::Io, std::strerror(errno));
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return content.first(filled);
}

Outcome<PlistDocument> parseInArena(std::shared_ptr<ReadArena> arena, std::span<char> bytes) {
    if (bytes.empty()) return problemOf(Kind::Parse, "the file is empty");
    if (bytes.size() > plist_limits::MaxFileSize) return problemOf(Kind::Size, sizeMessage());
    const std::string_view view(bytes.data(), bytes.size());
    Outcome<PlistValue> root = looksLikeBinaryPropertyList(view)
                                   ? parseBinaryPropertyList(view, *arena)
                                   : parseXmlPropertyList(bytes, *arena);
    if (!root) return root.failure();
    return PlistDocument(std::move(arena), root.value());
}

} // namespace

Outcome<PlistDocument> parsePropertyList(std::string_view bytes) {
    auto arena = std::make_shared<ReadArena>();
    const std::span<char> copy = arena->allocateArray<char>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.begin());
    return parseInArena(std::move(arena), copy);
}

Outcome<PlistDocument> readPropertyListFile(const std::string& path) {
    auto arena = std::make_shared<ReadArena>();
    Outcome<std::span<char>> content = readSmallFile(path, *arena);
    if (!content) return content.failure();
    Outcome<PlistDocument> document = parseInArena(std::move(arena), content.value());
    if (document && document.value().root().kind != PlistValue::Kind::Dictionary)
        return problemOf(Kind::NotDictionary, "the root is not a dictionary");
    return document;
}

Result<PlistDocument> PlistFileReader::readDictionary(const std::string& path) const {
    Outcome<PlistDocument> document = readPropertyListFile(path);
    if (!document) return failureOf(document.failure());
    return std::move(document.value());
}

} // namespace platform::linux_backend
