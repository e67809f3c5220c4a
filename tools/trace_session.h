#pragma once

#include "logic/drawing_state.h"
#include "platform/form/form_session.h"
#include "tools/recording/recording_host.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Runs a script of events through the real handlers on the headless host and
// prints what happens, one line per operation; the verb `picture` prints
// instead one line with the size of the host's picture and the hash of its
// pixels. A script is words separated by white space; '#' starts a comment that runs to the end of its
// line. The whole script is read and checked before anything runs, so a bad
// one prints nothing but the one line that says what is wrong.
class TraceSession {
public:
    explicit TraceSession(RecordingHost::Pixels pixels = RecordingHost::Pixels::Drawn);

    struct Problem {
        int line;
        std::string word;
        std::string what;
    };

    // Runs the script, writing the trace to out. Returns the first problem
    // found in it instead, having run nothing.
    std::optional<Problem> run(std::string_view script, std::ostream& out);

    const DrawingState& state() const { return session_->code(); }
    const RecordingHost& host() const { return host_; }

private:
    struct Event {
        std::vector<std::string> words;
    };

    std::optional<Problem> parse(std::string_view script, std::vector<Event>& events) const;
    void runEvent(const Event& event);
    void flush(std::ostream& out);

    RecordingHost host_;
    std::unique_ptr<FormSessionOf<DrawingState>> session_;
    bool loaded_ = false;
};
