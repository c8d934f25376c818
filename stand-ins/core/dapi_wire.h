#pragma once
// The conversation between the stand-in wadapi library and the practice world, on two extra
// topics of the WorldsApi service:
//   kCallTopic: the library opens a conversation per call, pokes item <function> with the
//               packed function name and arguments, then requests kReplyItem, whose value is
//               the packed result: the code, and for DapiGetAllText the chat text after it.
//   kDataTopic: the library starts an advise loop on item <name given to InitDDE>; the world
//               advises values of packed sender and data on that item to send data to
//               the tool. This conversation lasts from InitDDE to KillDDE.
// Values are packed as netstrings ("5:hello,"), so any byte, NUL included, crosses intact and
// padding a transport may add after the value is ignored.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw::dapi {

inline constexpr const char* kCallTopic = "PracticeWorld_Dapi";
inline constexpr const char* kDataTopic = "PracticeWorld_DapiData";
inline constexpr const char* kReplyItem = "Reply";

std::string Pack(const std::vector<std::string>& fields);
// The fields, or nullopt when the value is not a well-formed packing. Bytes after the last
// field are ignored when they are NULs (padding), refused otherwise.
std::optional<std::vector<std::string>> Unpack(std::string_view value);

}  // namespace pw::dapi
