#pragma once
// Reading a whole file, replacing a file only once its new contents are complete, and the file
// primitives both these and the chat capture file are built on.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gv {

struct FileResult {
    bool ok = true;
    std::string reason;  // for the host, when !ok (e.g. "Permission denied")
};

// Whole file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the same folder, flushes it to disk and only then
// renames it over `path`. On any failure the earlier file is left exactly as it was and the
// temporary file is removed.
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// WriteFileAtomically in two steps, for a file that must change right after another one: Prepare
// does all the slow work (the temporary file written and flushed to disk), Commit only the
// rename. Dropped before Commit, or destroyed, the temporary file goes and `path` stays as it was.
class PreparedReplacement {
public:
    PreparedReplacement() = default;
    ~PreparedReplacement() { Drop(); }
    PreparedReplacement(const PreparedReplacement&) = delete;
    PreparedReplacement& operator=(const PreparedReplacement&) = delete;

    FileResult Prepare(const std::filesystem::path& path, std::string_view bytes);
    FileResult Commit();
    bool Ready() const { return !temp_.empty(); }
    void Drop();

private:
    std::filesystem::path path_;
    std::filesystem::path temp_;
};

// Adds the bytes at the end of the file, creating it when missing; `header` goes first when
// the file was empty. The bytes are handed to the system before it returns, so a killed
// process loses none of them; a write that fails part-way is cut off again, so the file
// never ends in half of what was added.
FileResult AppendToFile(const std::filesystem::path& path, std::string_view bytes, std::string_view header);

#ifdef _WIN32
using NativeFile = void*;  // HANDLE; INVALID_HANDLE_VALUE when none
#else
using NativeFile = int;  // file descriptor; negative when none
#endif

// An open file of the system's own, closed on every way out.
class OwnedFile {
public:
    explicit OwnedFile(NativeFile handle) : handle_(handle) {}
    ~OwnedFile() { Close(); }
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;

    bool IsOpen() const;
    NativeFile Get() const { return handle_; }
    // Closes it now (nothing when already closed); false when the system reports a failure,
    // its error code left for the caller.
    bool Close();

private:
    NativeFile handle_;
};

// Writes every byte, in as many calls as the system needs; false at the first failure, its
// error code left for the caller.
bool WriteAll(OwnedFile& file, std::string_view bytes);

// Reads from the current position to the end; nullopt when a read fails. `expectedSize` only
// reserves room.
std::optional<std::string> ReadToEnd(OwnedFile& file, std::size_t expectedSize);

// One read or write of the system's, tried again when a signal interrupts it: how many bytes
// it moved (0 read: the end), nullopt when it fails, its error code left for the caller.
std::optional<std::size_t> ReadSome(OwnedFile& file, char* buffer, std::size_t size);
std::optional<std::size_t> WriteSome(OwnedFile& file, std::string_view bytes);

// A name of our own beside `path`, so a rename stays within one folder and volume: the
// process id, a counter and the attempt.
std::filesystem::path TempPathBeside(const std::filesystem::path& path, unsigned attempt);

}  // namespace gv
