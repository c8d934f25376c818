#pragma once
// The texts of the two message boxes the chat client's callbacks raise: the result code of a
// library request, and data another party sent to Gavelton.

#include <optional>
#include <string>
#include <string_view>

namespace gv {

inline constexpr const char* kAckTitle = "ProcessAckData Response Message";
inline constexpr const char* kUnknownResultMessage = "99 - Unknown error occured";

// The message for a result code (own text); nullopt for success ("0") and for codes that
// sort before "0" (empty, or beginning with a space). Codes are matched whole and exactly.
std::optional<std::string> AckMessage(std::string_view code);

// "Data received from <sender>: <data>".
std::string IncomingDataMessage(std::string_view sender, std::string_view data);

}  // namespace gv
