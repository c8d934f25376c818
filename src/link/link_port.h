#pragma once
// What the auction floor and the rules announcement need from the chat link. The chat link
// implements it; floor tests use a fake.

#include <string>

namespace gv {

class LinkPort {
public:
    virtual ~LinkPort() = default;

    // SpeakText: says one line into the chat as the host's avatar (speak mode), with the
    // transport's yields and pacing. An empty line does nothing at all.
    virtual void SpeakText(const std::string& line) = 0;

    // One fetch of the whole chat text, as one attempt of the capture makes it:
    // library transport: DapiGetAllText, 24 yields, then AllText (possibly an older delivery);
    // DDE transport: GetAllTextDDE, then the whole reply (empty when the request failed).
    // UTF-8 text.
    virtual std::string FetchAllText() = 0;
};

}  // namespace gv
