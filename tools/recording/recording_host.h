#pragma once

#include "platform/services/error_reporter.h"
#include "platform/form/form_definition.h"
#include "platform/services/form_operations.h"
#include "platform/form/form_session.h"
#include "platform/services/mersenne_sequence.h"
#include "platform/picture/picture.h"
#include "platform/picture/picture_drawing.h"
#include "platform/runner/form_host.h"
#include "platform/services/timer_rules.h"

#include <deque>
#include <string>
#include <vector>

// The headless host, with nothing waited for: the trace driver and the
// model-based tests run the form's code on it.
// Supplies: everything the desktop supplies to the form's code (window,
//   timer, random sequence and default error handling), each operation
//   written as one line with its exact arguments; what the form draws, into a
//   picture at kNoDensity, sized as the desktop sizes its window for the
//   client area it is told, so that its pixels can be compared with any host's.
// Leaves out: FormRunner, a clock and a screen: its owner says when a tick,
//   a click or a resize happens, and reads the sizes and timer state back.
// Limitations: operations are named after the form's window and timer. Its
//   timer keeps to the timer's rules (timer_rules.h) but is no CadenceTimer:
//   ticks come when its owner says, not from a clock, and presetInterval()
//   puts it where the timer never goes, to reach the form's overflow paths.
//   Failures can be injected: each waits for the next operation of its own
//   kind and name, so injections for different operations can be pending at
//   once. Its timer refuses what the desktop timer refuses, and a refusal
//   comes before any injected failure takes hold.
class RecordingHost : public WindowOperations, public TimerOperations, public RandomSequence, public ErrorReporter {
public:
    // Drawing into the picture costs more than all else here; a long run that
    // only wants the trace can leave it blank.
    enum class Pixels { Drawn, Skipped };

    explicit RecordingHost(const FormDefinition& definition, Pixels pixels = Pixels::Drawn);

    SessionServices services() { return {*this, *this, *this, *this}; }

    // The next operation whose line would start with "KIND NAME" fails instead.
    void failNext(std::string kind, std::string name);
    // The values Rnd returns next, before the real sequence goes on.
    void scriptRnd(std::initializer_list<Single> values);
    // The client area in twips; the picture is that many whole pixels.
    void resize(Single width, Single height);
    // Puts the timer at any interval, even one it would refuse if asked.
    void presetInterval(Long interval) { interval_ = interval; }

    Long interval() const { return interval_; }
    Boolean enabled() const { return enabled_; }
    bool timerWouldTick() const { return timerTicks(enabled_ != kFalse, interval_); }

    const Picture& picture() const { return picture_; }

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
    struct Operation {
        std::string kind;
        std::string name;
        bool operator==(const Operation&) const = default;
    };

    ErrorNumber record(const char* kind, const std::string& name, const std::string& arguments);

    const std::string windowName_;
    const std::string timerName_;
    MersenneSequence sequence_;
    std::deque<Single> scripted_;
    std::vector<Operation> pendingFailures_;
    Single width_;
    Single height_;
    const bool drawn_;
    Picture picture_;
    PictureDrawing drawing_;
    Long interval_;
    Boolean enabled_;
    std::vector<std::string> lines_;
};

// The text a Single or a colour is recorded as.
std::string formatSingle(Single value);
std::string formatColour(Colour colour);
