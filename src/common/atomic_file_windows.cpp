// Files through the Windows API.
#include <algorithm>

#include "common/atomic_file.h"
#include "common/windows_api.h"

namespace gv {
namespace fs = std::filesystem;

bool OwnedFile::IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

bool OwnedFile::Close() {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
}

// One call moves at most 1 GiB, well within what a DWORD counts.
constexpr std::size_t kMostPerCall = std::size_t{1} << 30;

std::optional<std::size_t> ReadSome(OwnedFile& file, char* buffer, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(std::min(size, kMostPerCall)), &got, nullptr)) {
        return std::nullopt;
    }
    return got;
}

std::optional<std::size_t> WriteSome(OwnedFile& file, std::string_view bytes) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMostPerCall));
    // A write that moves nothing would never end the loop around it.
    if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) return std::nullopt;
    return written;
}

namespace {

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out;
    if (n > 0 && text) {
        const int len =
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        if (len > 0) {
            out.assign(static_cast<std::size_t>(len), '\0');
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), out.data(), len, nullptr, nullptr);
        }
    }
    if (text) LocalFree(text);
    while (!out.empty() &&
           (out.back() == '\n' || out.back() == '\r' || out.back() == ' ' || out.back() == '.')) {
        out.pop_back();
    }
    if (out.empty()) out = "Windows error " + std::to_string(code);
    return out;
}

}  // namespace

FileResult PreparedReplacement::Prepare(const fs::path& path, std::string_view bytes) {
    Drop();
    fs::path tmp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        tmp = TempPathBeside(path, attempt);
        h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    if (h == INVALID_HANDLE_VALUE) return FileResult{false, SystemMessage(GetLastError())};
    OwnedFile file(h);

    auto fail = [&](DWORD code) {
        file.Close();
        DeleteFileW(tmp.c_str());
        return FileResult{false, SystemMessage(code)};
    };
    if (!WriteAll(file, bytes)) return fail(GetLastError());
    if (!FlushFileBuffers(file.Get())) return fail(GetLastError());
    if (!file.Close()) return fail(GetLastError());
    path_ = path;
    temp_ = tmp;
    return {};
}

FileResult PreparedReplacement::Commit() {
    if (temp_.empty()) return FileResult{false, "nothing prepared"};
    if (!MoveFileExW(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        Drop();
        return FileResult{false, SystemMessage(code)};
    }
    temp_.clear();
    return {};
}

FileResult AppendToFile(const fs::path& path, std::string_view bytes, std::string_view header) {
    // Others may read the file (a host looking at it) while it grows.
    OwnedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return FileResult{false, SystemMessage(GetLastError())};
    LARGE_INTEGER size{};
    const LARGE_INTEGER none{};
    if (!GetFileSizeEx(file.Get(), &size) || !SetFilePointerEx(file.Get(), none, nullptr, FILE_END)) {
        return FileResult{false, SystemMessage(GetLastError())};
    }
    std::string all;
    if (size.QuadPart == 0) all = header;
    all += bytes;
    if (!WriteAll(file, all)) {
        const DWORD code = GetLastError();
        // A full disk may take part of it: what the file held before stays, and only that.
        if (SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN)) SetEndOfFile(file.Get());
        return FileResult{false, SystemMessage(code)};
    }
    if (!file.Close()) return FileResult{false, SystemMessage(GetLastError())};
    return {};
}

}  // namespace gv
