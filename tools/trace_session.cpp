#include "tools/trace_session.h"

#include "platform/form/form_layout.h"
#include "platform/picture/picture.h"
#include "window/frmtessary.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <utility>

namespace {

// What a verb of the script acts on.
enum class Target {
    Form, // the window's own event
    Timer, // the window's timer
    Control, // the named control
    Host, // the headless host itself, not a handler
};

struct Verb {
    std::string_view word;
    size_t arguments;
    Target target;
    FormEvent event;
    std::string_view control = {};
};

constexpr Verb kVerbs[] = {
    {"load", 0, Target::Form, FormEvent::Load},
    {"tick", 0, Target::Timer, FormEvent::Timer},
    {"move", 0, Target::Control, FormEvent::Click, "cmdmove"},
    {"color", 0, Target::Control, FormEvent::Click, "cmdcolor"},
    {"clear", 0, Target::Control, FormEvent::Click, "cmdclear"},
    {"slower", 0, Target::Control, FormEvent::Click, "cmdslow"},
    {"faster", 0, Target::Control, FormEvent::Click, "cmdfast"},
    {"stop", 0, Target::Control, FormEvent::Click, "cmdstop"},
    {"click", 0, Target::Form, FormEvent::Click},
    {"resize", 2, Target::Host, FormEvent::Load},
    {"fail", 2, Target::Host, FormEvent::Load},
    {"picture", 0, Target::Host, FormEvent::Load},
};

// Every operation the form's code can call, as the trace names it.
struct OperationName {
    std::string_view kind;
    Target owner;
    std::string_view property;
};

constexpr OperationName kOperations[] = {
    {"get", Target::Form, "ScaleWidth"},
    {"get", Target::Form, "ScaleHeight"},
    {"set", Target::Form, "FillColor"},
    {"call", Target::Form, "Circle"},
    {"call", Target::Form, "Line"},
    {"get", Target::Timer, "Interval"},
    {"set", Target::Timer, "Interval"},
    {"set", Target::Timer, "Enabled"},
};

std::string_view ownerName(Target owner)
{
    return owner == Target::Timer ? frmtessary.timer.name : frmtessary.name;
}

bool isOperation(const std::string& kind, const std::string& name)
{
    return std::any_of(std::begin(kOperations), std::end(kOperations), [&](const OperationName& op) {
        return op.kind == kind && name == std::string(ownerName(op.owner)) + "." + std::string(op.property);
    });
}

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

// A client area whose picture no screen could show, nor memory hold.
bool fitsAPicture(const std::string& word)
{
    return FormLayout::toWholePixels(std::strtof(word.c_str(), nullptr)) <= Picture::kLargestSide;
}

std::string hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
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

TraceSession::TraceSession(RecordingHost::Pixels pixels)
    : host_(frmtessary, pixels)
    , session_(frmtessary.openSession(host_.services()))
{
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
                if (!fitsAPicture(event.words[a]))
                    return Problem {words[i + a].line, event.words[a], "larger than any screen shows"};
            }
        }
        if (verb->word == "fail" && !isOperation(event.words[1], event.words[2])) {
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
    if (event.words[0] == "picture") {
        const Picture& picture = host_.picture();
        host_.note("picture " + std::to_string(picture.width()) + " " + std::to_string(picture.height()) + " "
            + hex(picture.hash()));
        return;
    }
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
        session_->deliver(verb.target == Target::Control ? verb.control : ownerName(verb.target), verb.event);
    }
    const DrawingState& code = session_->code();
    host_.note("state " + formatSingle(code.centerx) + " " + formatSingle(code.centery) + " " + std::to_string(code.red)
        + " " + std::to_string(code.green) + " " + std::to_string(code.blue));
    host_.note("timer " + std::to_string(host_.interval()) + " " + std::to_string(host_.enabled()));
}

void TraceSession::flush(std::ostream& out)
{
    for (const std::string& line : host_.takeLines())
        out << line << '\n';
}
