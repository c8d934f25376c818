#include "setup/amount.h"

#include <cctype>

#include "common/text.h"

namespace gv {

bool NumberInFront(std::string_view message) {
    std::size_t i = 0;
    const auto blank = [&] {
        return i < message.size() && (message[i] == ' ' || message[i] == '\t' || message[i] == '\n');
    };
    const auto skipBlanks = [&] {
        while (blank()) ++i;
    };
    const auto digit = [&](std::size_t at) {
        return at < message.size() && std::isdigit(static_cast<unsigned char>(message[at])) != 0;
    };
    skipBlanks();
    if (i + 1 < message.size() && message[i] == '&') {
        const char base = static_cast<char>(std::toupper(static_cast<unsigned char>(message[i + 1])));
        if (base == 'H')
            return i + 2 < message.size() && std::isxdigit(static_cast<unsigned char>(message[i + 2])) != 0;
        if (base == 'O') return i + 2 < message.size() && message[i + 2] >= '0' && message[i + 2] <= '7';
    }
    if (i < message.size() && (message[i] == '+' || message[i] == '-')) ++i;
    skipBlanks();
    if (i < message.size() && message[i] == '.') {
        ++i;
        skipBlanks();
    }
    return digit(i);
}

BidAmount ReadBidAmount(std::string_view message) {
    BidAmount read;
    const NumericValue value = Val(message);
    read.length = value.length;
    if (value.outOfRange) {
        read.fault = AmountFault::BeyondRange;
        return read;
    }
    read.amount = value.value;
    if (!(read.amount > 0))
        read.fault = NumberInFront(message) ? AmountFault::NotPositive : AmountFault::NoNumber;
    return read;
}

BidAmount ReadWholeAmount(std::string_view text) {
    const std::string_view whole = TrimView(text);
    BidAmount read = ReadBidAmount(whole);
    if (read.fault == AmountFault::None && read.length != whole.size()) read.fault = AmountFault::LeftOver;
    return read;
}

}  // namespace gv
