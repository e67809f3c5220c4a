#pragma once

#include "platform/error_reporter.h"
#include "platform/form_operations.h"
#include "platform/mersenne_sequence.h"
#include "platform/wiring.h"

#include <deque>
#include <string>
#include <vector>

// A stand-in for everything the desktop supplies to the form's code: window,
// timer, random sequence and default error handling. It draws nothing; it
// writes one line per operation, with its exact arguments, into lines(), and
// answers with the sizes and timer state it is told. Any one operation can be
// told to report failure, and its timer refuses what the desktop timer refuses.
class RecordingHost : public WindowOperations, public TimerOperations, public RandomSequence, public ErrorReporter {
public:
    RecordingHost(Single width = 5295, Single height = 3210);

    FormServices services() { return {window_, timer_, *this}; }

    // The next operation whose line would start with "KIND NAME" fails instead.
    void failNext(std::string kind, std::string name);
    // The values Rnd returns next, before the real sequence goes on.
    void scriptRnd(std::initializer_list<Single> values);
    void resize(Single width, Single height);
    // Puts the timer at any interval, even one it would refuse if asked.
    void presetInterval(Long interval) { interval_ = interval; }

    Long interval() const { return interval_; }
    Boolean enabled() const { return enabled_; }
    bool timerWouldTick() const { return enabled_ != kFalse && interval_ > 0; }

    void note(std::string line) { lines_.push_back(std::move(line)); }
    const std::vector<std::string>& lines() const { return lines_; }
    std::vector<std::string> takeLines();

    ErrorNumber getScaleWidth(Single& width) override;
    ErrorNumber getScaleHeight(Single& height) override;
    ErrorNumber setFillColor(Colour colour) override;
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override;
    ErrorNumber lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour) override;

    ErrorNumber getInterval(Long& interval) override;
    ErrorNumber setInterval(Long interval) override;
    ErrorNumber setEnabled(Boolean enabled) override;

    Single Rnd() override;

    void report(const RaisedError& error) override;

private:
    ErrorNumber record(const char* kind, const std::string& name, const std::string& arguments);

    FormWindow window_;
    FormTimer timer_;
    MersenneSequence sequence_;
    std::deque<Single> scripted_;
    std::string failKind_;
    std::string failName_;
    Single width_;
    Single height_;
    Long interval_ = 1;
    Boolean enabled_ = kTrue;
    std::vector<std::string> lines_;
};

// The text a Single or a colour is recorded as.
std::string formatSingle(Single value);
std::string formatColour(Colour colour);
