#pragma once
// Synthetic chats of any size for the intake's tests and benchmarks: talk, the host's own
// announcements and ESP bids to the host, with the State Item line of "Oak chest" near the
// start so that every bid in the chat is judged.

#include <string>
#include <vector>

namespace gv::testing {

struct ChatRecipe {
    std::size_t bytes = 1 << 20;  // about this long
    int bidEvery = 12;            // one line in this many is an ESP bid
    int raise = 10;               // each bid beats the standing one by this much...
    int repeatEvery = 0;          // ...except every this many bid lines, which repeats it (refused); 0: never
};

struct ChatText {
    std::string text;  // lines joined with CR LF, a CR LF after the last
    int lines = 0;
    int bids = 0;      // bid lines
    int accepted = 0;  // bids the intake takes with a raise of at most `raise`
    int lastBid = 0;   // the last two accepted bids and their bidders
    std::string lastBidder;
    int previousBid = 0;
    std::string previousBidder;
};

inline ChatText MakeChat(const ChatRecipe& recipe) {
    static const char* const kTalk[] = {
        "Ann: hello there, is the chest still open for bids?",
        "Bo: is the chest oak or pine?",
        "Host: Current Bid is 1200 from Bo",
        "Cy: good evening everyone",
        "Host: 1ST CALL",
        "Dee: I'll pass on this one, saving up",
        "Eve: lol",
        "Host: ** Minimum Raise Amount is 10 **",
    };
    ChatText chat;
    chat.text.reserve(recipe.bytes + 128);
    const auto add = [&chat](const std::string& line) {
        chat.text += line;
        chat.text += "\r\n";
        ++chat.lines;
    };
    add("Ann: hi all");
    add("Host: Item on the Block currently is Oak chest");
    int standing = 500 - recipe.raise;
    for (int i = 0; chat.text.size() < recipe.bytes; ++i) {
        if (i % recipe.bidEvery != recipe.bidEvery - 1) {
            add(kTalk[i % 8]);
            continue;
        }
        ++chat.bids;
        const std::string bidder = "Bidder" + std::to_string(chat.bids % 7);
        const bool repeat =
            recipe.repeatEvery > 0 && chat.bids % recipe.repeatEvery == 0 && chat.accepted > 0;
        const int amount = repeat ? standing : standing + recipe.raise;
        add("ESP from " + bidder + ": " + std::to_string(amount));
        if (repeat) continue;
        ++chat.accepted;
        chat.previousBid = chat.lastBid;
        chat.previousBidder = chat.lastBidder;
        chat.lastBid = amount;
        chat.lastBidder = bidder;
        standing = amount;
    }
    return chat;
}

}  // namespace gv::testing
