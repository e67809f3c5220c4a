#include "tools/trace_session.h"

#include "window/frmtessary.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <utility>

namespace {

struct Verb {
    std::string_view word;
    size_t arguments;
    std::string_view source; // empty: acts on the stand-in, not on a handler
    FormEvent event;
};

constexpr Verb kVerbs[] = {
    {"load", 0, "frmtessary", FormEvent::Load},
    {"tick", 0, "tmrtime", FormEvent::Timer},
    {"move", 0, "cmdmove", FormEvent::Click},
    {"color", 0, "cmdcolor", FormEvent::Click},
    {"clear", 0, "cmdclear", FormEvent::Click},
    {"slower", 0, "cmdslow", FormEvent::Click},
    {"faster", 0, "cmdfast", FormEvent::Click},
    {"stop", 0, "cmdstop", FormEvent::Click},
    {"click", 0, "frmtessary", FormEvent::Click},
    {"resize", 2, {}, FormEvent::Load},
    {"fail", 2, {}, FormEvent::Load},
};

// Every operation the form's code can call, as the trace names it.
constexpr std::pair<std::string_view, std::string_view> kOperations[] = {
    {"get", "frmtessary.ScaleWidth"},
    {"get", "frmtessary.ScaleHeight"},
    {"set", "frmtessary.FillColor"},
    {"call", "frmtessary.Circle"},
    {"call", "frmtessary.Line"},
    {"get", "tmrtime.Interval"},
    {"set", "tmrtime.Interval"},
    {"set", "tmrtime.Enabled"},
};

const Verb* findVerb(std::string_view word)
{
    const auto verb = std::find_if(std::begin(kVerbs), std::end(kVerbs), [&](const Verb& v) { return v.word == word; });
    return verb == std::end(kVerbs) ? nullptr : verb;
}

bool isSize(const std::string& word)
{
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && std::isfinite(value) && !std::signbit(value) && value <= FLT_MAX;
}

struct Word {
    std::string text;
    int line;
};

std::vector<Word> splitWords(std::string_view script)
{
    std::vector<Word> words;
    int line = 1;
    std::string current;
    bool comment = false;
    const auto finish = [&] {
        if (!current.empty())
            words.push_back({std::exchange(current, {}), line});
    };
    for (const char c : script) {
        if (c == '\n') {
            finish();
            comment = false;
            ++line;
        } else if (comment) {
            continue;
        } else if (c == '#') {
            finish();
            comment = true;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            finish();
        } else {
            current += c;
        }
    }
    finish();
    return words;
}

} // namespace

TraceSession::TraceSession()
    : code_(std::make_shared<DrawingState>(host_.services()))
    , dispatcher_(host_)
{
    dispatcher_.setWiring(bindWiring(code_, frmtessaryWiring()));
}

std::optional<TraceSession::Problem> TraceSession::parse(std::string_view script, std::vector<Event>& events) const
{
    const std::vector<Word> words = splitWords(script);
    bool loaded = loaded_;
    for (size_t i = 0; i < words.size();) {
        const Word& head = words[i];
        const Verb* verb = findVerb(head.text);
        if (!verb)
            return Problem {head.line, head.text, "unknown event"};
        if (verb->word == "load" && loaded)
            return Problem {head.line, head.text, "load comes once, first"};
        if (verb->word != "load" && !loaded)
            return Problem {head.line, head.text, "an event before load"};
        loaded = true;
        Event event {{head.text}};
        for (size_t a = 1; a <= verb->arguments; ++a) {
            if (i + a >= words.size() || findVerb(words[i + a].text))
                return Problem {head.line, head.text, "a word is missing after it"};
            event.words.push_back(words[i + a].text);
        }
        if (verb->word == "resize") {
            for (size_t a = 1; a <= 2; ++a) {
                if (!isSize(event.words[a]))
                    return Problem {words[i + a].line, event.words[a], "not a size: a number from 0 up"};
            }
        }
        if (verb->word == "fail"
            && std::none_of(std::begin(kOperations), std::end(kOperations),
                [&](const auto& op) { return op.first == event.words[1] && op.second == event.words[2]; })) {
            return Problem {words[i + 1].line, event.words[1] + " " + event.words[2], "no such operation"};
        }
        events.push_back(std::move(event));
        i += 1 + verb->arguments;
    }
    return std::nullopt;
}

std::optional<TraceSession::Problem> TraceSession::run(std::string_view script, std::ostream& out)
{
    std::vector<Event> events;
    if (auto problem = parse(script, events))
        return problem;
    loaded_ = loaded_ || !events.empty();
    for (const Event& event : events) {
        runEvent(event);
        flush(out);
    }
    return std::nullopt;
}

void TraceSession::runEvent(const Event& event)
{
    std::string echo = ">";
    for (const std::string& word : event.words)
        echo += " " + word;
    host_.note(echo);

    const Verb& verb = *findVerb(event.words[0]);
    if (verb.word == "resize") {
        host_.resize(std::strtof(event.words[1].c_str(), nullptr), std::strtof(event.words[2].c_str(), nullptr));
    } else if (verb.word == "fail") {
        host_.failNext(event.words[1], event.words[2]);
    } else if (verb.word == "tick" && !host_.timerWouldTick()) {
        host_.note("no-tick");
    } else {
        dispatcher_.dispatch(dispatcher_.handlerFor(verb.source, verb.event));
    }
    host_.note("state " + formatSingle(code_->centerx) + " " + formatSingle(code_->centery) + " " + std::to_string(code_->red)
        + " " + std::to_string(code_->green) + " " + std::to_string(code_->blue));
    host_.note("timer " + std::to_string(host_.interval()) + " " + std::to_string(host_.enabled()));
}

void TraceSession::flush(std::ostream& out)
{
    for (const std::string& line : host_.takeLines())
        out << line << '\n';
}
