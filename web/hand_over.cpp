// The hand-over between the page's script and the C++: words and bytes in, texts out.
#include "run/format.hpp"
#include "web/page.hpp"

#include <emscripten.h>

namespace {

std::vector<std::string> words; // the command line, or the link, that the next call takes
std::string answer;             // the text a function hands the page, kept until the next call

} // namespace

const char* handOver(std::string text)
{
    answer = std::move(text);
    return answer.c_str();
}

std::string json(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += {'\\', c};
        else if (static_cast<unsigned char>(c) < 0x20)
            quoted += printfText("\\u%04x", c);
        else
            quoted += c;
    }
    return quoted + "\"";
}

std::vector<std::string> takeWords()
{
    std::vector<std::string> taken = std::move(words);
    words.clear();
    return taken;
}

LinkParameters takeParameters()
{
    const std::vector<std::string> taken = takeWords();
    LinkParameters parameters;
    for (std::size_t i = 0; i + 1 < taken.size(); i += 2)
        parameters.emplace_back(taken[i], taken[i + 1]);
    return parameters;
}

extern "C" {

// One word that the next call takes: its bytes, NULs and all.
EMSCRIPTEN_KEEPALIVE void pageWord(const char* bytes, int length) { words.emplace_back(bytes, length); }

// Room for the bytes that --points NAME reads, whatever the name, as a file holds them: length
// bytes that the page writes in place (a pasted text may be tens of megabytes, not to be copied
// again), then pagePointsLength says how many it wrote. Null, with nothing kept, when memory runs out.
EMSCRIPTEN_KEEPALIVE char* pagePointsRoom(int length)
{
    if (length < 0) // beyond what an int counts: more than the page can hold
        return nullptr;
    try {
        page.pointsText.resize(static_cast<std::size_t>(length));
        return page.pointsText.data();
    } catch (const std::bad_alloc&) {
        std::string().swap(page.pointsText);
        return nullptr;
    }
}

EMSCRIPTEN_KEEPALIVE void pagePointsLength(int length) { page.pointsText.resize(static_cast<std::size_t>(length)); }

} // extern "C"
