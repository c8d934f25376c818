#include "core/dapi_wire.h"

namespace pw::dapi {

std::string Pack(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& field : fields) {
        out += std::to_string(field.size());
        out += ':';
        out += field;
        out += ',';
    }
    return out;
}

std::optional<std::vector<std::string>> Unpack(std::string_view value) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < value.size() && value[pos] != '\0') {
        std::size_t length = 0;
        std::size_t digits = 0;
        while (pos < value.size() && value[pos] >= '0' && value[pos] <= '9') {
            if (length > value.size()) return std::nullopt;  // longer than the value itself
            length = length * 10 + static_cast<std::size_t>(value[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || pos >= value.size() || value[pos] != ':') return std::nullopt;
        ++pos;
        if (length > value.size() - pos || value.size() - pos - length < 1 || value[pos + length] != ',') {
            return std::nullopt;
        }
        fields.emplace_back(value.substr(pos, length));
        pos += length + 1;
    }
    for (; pos < value.size(); ++pos) {
        if (value[pos] != '\0') return std::nullopt;
    }
    return fields;
}

}  // namespace pw::dapi
