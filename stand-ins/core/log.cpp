#include "core/log.h"

#include <cerrno>
#include <cstring>

namespace pw {

std::string Escape(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (b) {
            case '\\':
                out += "\\\\";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (b < 0x20 || b >= 0x7F) {
                    out += "\\x";
                    out += kHex[b >> 4];
                    out += kHex[b & 0x0F];
                } else {
                    out += c;
                }
        }
    }
    return out;
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

bool Unescape(std::string_view escaped, std::string& bytes) {
    bytes.clear();
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            bytes += escaped[i];
            continue;
        }
        if (++i >= escaped.size()) return false;
        switch (escaped[i]) {
            case '\\':
                bytes += '\\';
                break;
            case 'f':
                bytes += '\f';
                break;
            case 'r':
                bytes += '\r';
                break;
            case 'n':
                bytes += '\n';
                break;
            case 't':
                bytes += '\t';
                break;
            case 'x': {
                if (i + 2 >= escaped.size()) return false;
                const int hi = HexDigit(escaped[i + 1]);
                const int lo = HexDigit(escaped[i + 2]);
                if (hi < 0 || lo < 0) return false;
                bytes += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default:
                return false;
        }
    }
    return true;
}

TransactionLog::~TransactionLog() {
    if (file_ != nullptr) std::fclose(file_);
}

bool TransactionLog::Open(const std::string& path, std::string* error) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = std::fopen(path.c_str(), "ab");
    if (file_ == nullptr && error != nullptr) *error = path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void TransactionLog::Transaction(std::string_view kind, std::string_view topic, std::string_view item,
                                 int format, std::string_view data) {
    std::string line(kind);
    line += '\t';
    line += Escape(topic);
    line += '\t';
    line += Escape(item);
    line += '\t';
    if (format >= 0) line += std::to_string(format);
    line += '\t';
    line += Escape(data);
    WriteLine(line);
}

void TransactionLog::Library(std::string_view function, const std::vector<std::string>& args) {
    std::string line = "LIB\t";
    line += Escape(function);
    for (const std::string& arg : args) {
        line += '\t';
        line += Escape(arg);
    }
    WriteLine(line);
}

void TransactionLog::WriteLine(const std::string& line) {
    if (file_ == nullptr) return;
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace pw
