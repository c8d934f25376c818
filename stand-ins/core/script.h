#pragma once
// One line of a practice script. Most lines are posted to the chat as they stand
// ("Ann: hello", "ESP from Ann: 500"); a line starting with "!" and a known word steers the
// world instead.

#include <cstddef>
#include <string>
#include <string_view>

namespace pw {

struct ScriptLine {
    enum class Kind {
        Post,     // text: the line to post
        Wait,     // seconds: pause the script
        Quit,     // end the program
        NoHost,   // log the host avatar out
        Host,     // text: log the host avatar in under this name
        Ack,      // text: the code the next library request answers
        Data,     // sender, text: data sent to the tools through the library
        Delay,    // seconds: every answer to a tool comes this late (0: on time again)
        Die,      // end the program in the middle of the next request, without answering it
        Reply,    // text "empty", "unicode", "huge" (megabytes) or "normal": how the chat
                  // text is answered from now on
        Invalid,  // text: why the command was not understood
    };
    Kind kind = Kind::Post;
    std::string text;
    std::string sender;
    double seconds = 0;
    std::size_t megabytes = 0;
};

// "!wait SECONDS", "!quit", "!nohost", "!host NAME", "!ack CODE", "!data SENDER TEXT",
// "!delay SECONDS", "!die", "!reply empty|unicode|huge MEGABYTES|normal"; any other line (an
// unknown "!word" too) is posted verbatim.
ScriptLine ParseScriptLine(std::string_view line);

}  // namespace pw
