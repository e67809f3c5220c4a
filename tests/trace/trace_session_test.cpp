#include "tools/trace_session.h"
#include "window/frmtessary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

Lines splitLines(const std::string& text)
{
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// What the program should print for a script, worked out afresh from how the
// toy is meant to behave rather than from its code: the same generator, the
// same arithmetic rules, the same order of operations.
class Model {
public:
    Lines run(const std::vector<std::string>& events)
    {
        Lines out;
        for (const std::string& event : events) {
            out_ = &out;
            step(event);
        }
        return out;
    }

    // One event, with the lines it prints.
    void step(const std::string& event)
    {
        emit("> " + event);
        std::istringstream words(event);
        std::string verb;
        words >> verb;
        try {
            if (verb == "load") {
                move();
                colour();
            } else if (verb == "tick") {
                tick();
            } else if (verb == "move") {
                move();
            } else if (verb == "color") {
                colour();
            } else if (verb == "clear") {
                clear();
            } else if (verb == "slower") {
                slower();
            } else if (verb == "faster") {
                faster();
            } else if (verb == "stop") {
                operation("set", "tmrtime.Enabled", "0");
                enabled_ = 0;
            } else if (verb == "click") {
                operation("set", "tmrtime.Enabled", "-1");
                enabled_ = -1;
            } else if (verb == "resize") {
                words >> width_ >> height_;
            } else if (verb == "fail") {
                std::string kind, name;
                words >> kind >> name;
                failures_.emplace_back(kind, name);
            }
        } catch (const Raised& raised) {
            emit("error " + std::to_string(raised.number) + " " + raised.where);
        }
        emit("state " + single(cx_) + " " + single(cy_) + " " + std::to_string(red_) + " " + std::to_string(green_) + " "
            + std::to_string(blue_));
        emit("timer " + std::to_string(interval_) + " " + std::to_string(enabled_));
    }

private:
    struct Raised {
        int number;
        std::string where;
    };

    static std::string single(float value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
        return text;
    }

    void emit(std::string line) { out_->push_back(std::move(line)); }

    float rnd()
    {
        const float value = std::ldexp(static_cast<float>(engine_() >> 8), -24);
        emit("rnd " + single(value));
        return value;
    }

    // An operation that succeeds unless a failure was injected for it.
    void operation(const std::string& kind, const std::string& name, const std::string& value)
    {
        const std::string line = kind + " " + name + " " + value;
        const auto failure = std::find(failures_.begin(), failures_.end(), std::pair(kind, name));
        if (failure != failures_.end()) {
            failures_.erase(failure);
            emit("fail " + line);
            throw Raised {1000, name};
        }
        emit(line);
    }

    void move()
    {
        const float r1 = rnd();
        operation("get", "frmtessary.ScaleWidth", single(width_));
        cx_ = static_cast<float>(static_cast<double>(r1) * width_);
        const float r2 = rnd();
        operation("get", "frmtessary.ScaleHeight", single(height_));
        cy_ = static_cast<float>(static_cast<double>(r2) * height_);
    }

    void colour()
    {
        for (int* component : {&red_, &green_, &blue_})
            *component = static_cast<int>(std::nearbyint(static_cast<double>(rnd()) * 255.0));
    }

    void tick()
    {
        if (enabled_ == 0 || interval_ <= 0) {
            emit("no-tick");
            return;
        }
        const float r = rnd();
        const float radius = static_cast<float>((static_cast<double>(cy_) / 2 + 1) * r);
        char colour[16];
        std::snprintf(colour, sizeof colour, "0x%08X", static_cast<unsigned>(red_ + (green_ << 8) + (blue_ << 16)));
        operation("call", "frmtessary.Circle", single(cx_) + " " + single(cy_) + " " + single(radius) + " " + colour);
    }

    void clear()
    {
        operation("set", "frmtessary.FillColor", "0x00000000");
        operation("get", "frmtessary.ScaleWidth", single(width_));
        operation("get", "frmtessary.ScaleHeight", single(height_));
        operation("call", "frmtessary.Line", "0 0 " + single(width_) + " " + single(height_) + " 0x00000000 box");
    }

    void setInterval(long long value)
    {
        if (value < 0 || value > 65535) {
            emit("fail set tmrtime.Interval " + std::to_string(value));
            throw Raised {380, "tmrtime.Interval"};
        }
        operation("set", "tmrtime.Interval", std::to_string(value));
        interval_ = value;
    }

    void slower()
    {
        operation("get", "tmrtime.Interval", std::to_string(interval_));
        setInterval(interval_ + 100);
    }

    void faster()
    {
        try {
            operation("get", "tmrtime.Interval", std::to_string(interval_));
            setInterval(interval_ - 100);
        } catch (const Raised&) {
            setInterval(1);
        }
    }

    Lines* out_ = nullptr;
    std::mt19937 engine_;
    float width_ = frmtessary.settings.clientWidth, height_ = frmtessary.settings.clientHeight;
    float cx_ = 0, cy_ = 0;
    int red_ = 0, green_ = 0, blue_ = 0;
    long long interval_ = 1;
    int enabled_ = -1;
    // Injected failures still waiting for their operation.
    std::vector<std::pair<std::string, std::string>> failures_;
};

std::vector<std::string> randomSession(std::mt19937& random, int length)
{
    static const char* const kPlain[] = {"tick", "move", "color", "clear", "slower", "faster", "stop", "click"};
    static const char* const kOperations[] = {"get frmtessary.ScaleWidth", "get frmtessary.ScaleHeight",
        "set frmtessary.FillColor", "call frmtessary.Circle", "call frmtessary.Line", "get tmrtime.Interval",
        "set tmrtime.Interval", "set tmrtime.Enabled"};
    std::vector<std::string> events {"load"};
    std::uniform_int_distribution<int> pick(0, 99);
    for (int i = 0; i < length; ++i) {
        const int p = pick(random);
        if (p < 35) {
            events.emplace_back("tick");
        } else if (p < 85) {
            events.emplace_back(kPlain[pick(random) % std::size(kPlain)]);
        } else if (p < 92) {
            events.push_back(std::string("fail ") + kOperations[pick(random) % std::size(kOperations)]);
        } else {
            std::uniform_int_distribution<int> size(0, 30000);
            const float fraction = (pick(random) % 4) / 4.0f;
            events.push_back("resize " + std::to_string(size(random)) + " " + std::to_string(size(random))
                + (fraction > 0 ? "." + std::to_string(static_cast<int>(fraction * 100)) : ""));
        }
    }
    return events;
}

std::string joined(const std::vector<std::string>& events)
{
    std::string script;
    for (const std::string& e : events)
        script += e + "\n";
    return script;
}

void expectSameAsModel(const std::vector<std::string>& events, const std::string& label)
{
    TraceSession session(RecordingHost::Pixels::Skipped);
    std::ostringstream out;
    ASSERT_FALSE(session.run(joined(events), out)) << label;
    const Lines actual = splitLines(out.str());
    const Lines expected = Model().run(events);
    const size_t common = std::min(actual.size(), expected.size());
    for (size_t i = 0; i < common; ++i)
        ASSERT_EQ(actual[i], expected[i]) << label << ", trace line " << i + 1;
    ASSERT_EQ(actual.size(), expected.size()) << label;
}

TEST(TraceSessionTest, RandomSessionsMatchTheModel)
{
    // Session n is drawn from a generator started at first + n, so a failing
    // session can be replayed on its own.
    const char* given = std::getenv("TESSARY_CONFORMANCE_FIRST");
    const unsigned first = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : 20261208u;
    constexpr int kSessions = 2000;
    for (int n = 0; n < kSessions; ++n) {
        const unsigned session = first + static_cast<unsigned>(n);
        std::mt19937 random(session);
        const auto events = randomSession(random, 80);
        expectSameAsModel(events, "session " + std::to_string(session) + " (replay with TESSARY_CONFORMANCE_FIRST)");
        if (HasFatalFailure())
            return;
    }
}

TEST(TraceSessionTest, WorkedExamplesMatchTheModel)
{
    const std::vector<std::vector<std::string>> scripts = {
        {"load", "slower", "slower", "slower", "faster", "faster", "faster", "faster"},
        {"load", "slower", "faster", "faster", "faster", "tick", "faster", "tick"},
        {"load", "stop", "slower", "tick", "click", "click", "tick"},
        {"load", "resize 0 0", "move", "tick", "tick", "resize 100 0", "clear"},
        {"load", "fail get tmrtime.Interval", "faster", "fail set tmrtime.Interval", "faster", "tick"},
        {"load", "fail call frmtessary.Circle", "tick", "tick", "fail get frmtessary.ScaleHeight", "load"},
        // Pending at once, each for its own operation; a refusal leaves the injection waiting.
        {"load", "fail get frmtessary.ScaleHeight", "fail call frmtessary.Circle", "fail set tmrtime.Interval",
            "fail set tmrtime.Interval", "tick", "move", "faster", "faster", "faster", "faster", "faster"},
    };
    for (size_t i = 0; i < scripts.size(); ++i) {
        auto script = scripts[i];
        if (script.back() == "load")
            script.back() = "move";
        expectSameAsModel(script, "worked example " + std::to_string(i + 1));
    }
    // Slower until the timer refuses: 1 + 655 × 100 is the last interval it takes.
    std::vector<std::string> marathon {"load"};
    marathon.insert(marathon.end(), 657, "slower");
    marathon.emplace_back("faster");
    expectSameAsModel(marathon, "slower past the maximum");
}

TEST(TraceSessionTest, BadInputSaysWhereAndRunsNothing)
{
    struct Case {
        const char* script;
        int line;
        const char* word;
    };
    const Case cases[] = {
        {"tick", 1, "tick"},
        {"# nothing yet\n\nmove", 3, "move"},
        {"load\nload", 2, "load"},
        {"load\njump", 2, "jump"},
        {"load resize 10", 1, "resize"},
        {"load resize 10 tick", 1, "resize"},
        {"load\nresize\n-1 5", 3, "-1"},
        {"load resize 10 abc", 1, "abc"},
        {"load resize 5 nan", 1, "nan"},
        {"load resize 1e39 5", 1, "1e39"},
        {"load resize 5 12x", 1, "12x"},
        {"load fail get tmrtime.Enabled", 1, "get tmrtime.Enabled"},
        {"load fail", 1, "fail"},
        {"LOAD", 1, "LOAD"},
    };
    for (const Case& c : cases) {
        TraceSession session;
        std::ostringstream out;
        const auto problem = session.run(c.script, out);
        ASSERT_TRUE(problem) << c.script;
        EXPECT_EQ(problem->line, c.line) << c.script;
        EXPECT_EQ(problem->word, c.word) << c.script;
        EXPECT_EQ(out.str(), "") << c.script;
    }
}

TEST(TraceSessionTest, EmptyInputAndCommentsRunNothing)
{
    for (const char* script : {"", "\n\n", "# only a comment", "  \t # load\n"}) {
        TraceSession session;
        std::ostringstream out;
        EXPECT_FALSE(session.run(script, out)) << script;
        EXPECT_EQ(out.str(), "");
    }
    TraceSession session;
    std::ostringstream out;
    EXPECT_FALSE(session.run("load#comment right after\ntick#and here", out));
    EXPECT_EQ(splitLines(out.str()).front(), "> load");
}

TEST(TraceSessionTest, ArbitraryBytesNeverCrashIt)
{
    std::mt19937 random(7);
    const std::string alphabet = "loadtickmvecrsfpbxyz0123456789.-e# \n\t\r\x01\xff";
    for (int n = 0; n < 3000; ++n) {
        std::string script = n % 2 ? "load " : "";
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i)
            script += alphabet[random() % alphabet.size()];
        TraceSession session;
        std::ostringstream out;
        const auto problem = session.run(script, out);
        EXPECT_TRUE(problem || out.str().empty() == (script.find("load") == std::string::npos)) << script;
    }
}

} // namespace
