#include "link/link_messages.h"

#include <array>

namespace gv {

namespace {

// The client's own wording, including its spacing and spelling.
constexpr std::array<const char*, 17> kResultMessages = {
    "1- Target avatar is not logged on",
    "2 - Your avatar not allowed to send/receive API messages",
    "3 - Target avatar is not allowed to send/receive API messages",
    "4 - You are in a region that does not allow API messages",
    "5 - Target avatar is in a region that does not allow API messages",
    "6 - Your avatar is currently busy",
    "7 - Target avatar is currently busy",
    "8 - Too many names already registered",
    "9 - App.Title already registered",
    "10 - App.Title was not registered",
    "11 - No text was specified",
    "12 - Mode was ESP but no avatar name was specified",
    "13 - Mode was speak or think but your avatar is a ghost",
    "14 - One or more arguments are missing",
    "15 - Data length below zero",
    "16 - No data was specified",
    "17 - You are not logged in yet",
};

}  // namespace

std::optional<std::string> AckMessage(std::string_view code) {
    // char_traits<char> compares as unsigned char, i.e. by character code.
    if (code.compare("0") <= 0) return std::nullopt;
    for (std::size_t i = 0; i < kResultMessages.size(); ++i) {
        if (code == std::to_string(i + 1)) return std::string(kResultMessages[i]);
    }
    return std::string(kUnknownResultMessage);
}

std::string IncomingDataMessage(std::string_view sender, std::string_view data) {
    std::string text = "Data received from ";
    text.append(sender);
    text.append(": ");
    text.append(data);
    return text;
}

}  // namespace gv
