#pragma once
// The local time as Gavelton writes it in every record and log ("YYYY-MM-DD HH:MM:SS"), and
// the day a written time begins with, read back.

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace gv {

// Local, "YYYY-MM-DD HH:MM:SS": now, or at a given moment.
std::string LocalTimeText();
std::string LocalTimeTextOf(std::time_t moment);

// The day a time text begins with ("YYYY-MM-DD", then the end or anything but a digit); none
// when it does not begin with a date there is.
std::optional<std::chrono::sys_days> DayOf(std::string_view time);
// The same date as its text, the first ten characters; empty when DayOf finds none.
std::string_view DateOf(std::string_view time);

}  // namespace gv
