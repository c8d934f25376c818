#pragma once
// The names of the chat client's DDE service, its topics and items. Shared by the tool and by
// anything that plays the chat client.

namespace gv::worlds_api {

inline constexpr const char* kService = "WorldsApi";
inline constexpr const char* kRegister = "WorldsApi_Register";
inline constexpr const char* kUnregister = "WorldsApi_Unregister";
inline constexpr const char* kCommunicate = "WorldsApi_Communicate";
inline constexpr const char* kGetAllText = "WorldsApi_GetAllText";
inline constexpr char kFieldSeparator = '\f';  // between the fields of a Communicate poke

}  // namespace gv::worlds_api
