#pragma once
// The practice world's transaction log: one line per transaction, flushed at once, so a test
// can read what arrived, byte for byte, while the world keeps running.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Makes bytes safe for one tab-separated log line: backslash "\\", form feed "\f", CR "\r",
// LF "\n", tab "\t", any other byte below 0x20 or from 0x7F up "\xNN" (upper-case hex).
std::string Escape(std::string_view bytes);

// The inverse of Escape; false for a malformed escape.
bool Unescape(std::string_view escaped, std::string& bytes);

class TransactionLog {
public:
    TransactionLog() = default;
    ~TransactionLog();
    TransactionLog(const TransactionLog&) = delete;
    TransactionLog& operator=(const TransactionLog&) = delete;

    // Appends to `path`; false (with the reason) when it cannot be opened.
    bool Open(const std::string& path, std::string* error);
    bool IsOpen() const { return file_ != nullptr; }

    // KIND \t topic \t item \t format \t data; format < 0 leaves its field empty.
    void Transaction(std::string_view kind, std::string_view topic, std::string_view item, int format,
                     std::string_view data);
    // LIB \t function \t arg \t arg ...
    void Library(std::string_view function, const std::vector<std::string>& args);

private:
    void WriteLine(const std::string& line);
    std::FILE* file_ = nullptr;
};

}  // namespace pw
