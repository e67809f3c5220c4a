#include "tools/recording/recording_host.h"

#include "platform/services/colour.h"
#include "platform/form/form_layout.h"
#include "platform/services/raised_error.h"
#include "platform/services/timer_rules.h"

#include <algorithm>
#include <cstdio>
#include <utility>

std::string formatSingle(Single value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string formatColour(Colour colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(colour));
    return text;
}

RecordingHost::RecordingHost(const FormDefinition& definition, Pixels pixels)
    : windowName_(definition.name)
    , timerName_(definition.timer.name)
    , width_(definition.settings.clientWidth)
    , height_(definition.settings.clientHeight)
    , drawn_(pixels == Pixels::Drawn)
    , picture_(definition)
    , drawing_(picture_)
    , interval_(definition.timer.interval)
    , enabled_(definition.timer.enabled ? kTrue : kFalse)
{
    resize(width_, height_);
}

void RecordingHost::failNext(std::string kind, std::string name)
{
    pendingFailures_.push_back({std::move(kind), std::move(name)});
}

void RecordingHost::scriptRnd(std::initializer_list<Single> values)
{
    scripted_.insert(scripted_.end(), values.begin(), values.end());
}

void RecordingHost::resize(Single width, Single height)
{
    width_ = width;
    height_ = height;
    if (drawn_)
        picture_.resize(FormLayout::toWholePixels(width), FormLayout::toWholePixels(height), kNoDensity);
}

std::vector<std::string> RecordingHost::takeLines()
{
    return std::exchange(lines_, {});
}

ErrorNumber RecordingHost::record(const char* kind, const std::string& name, const std::string& arguments)
{
    const std::string line = std::string(kind) + " " + name + (arguments.empty() ? "" : " " + arguments);
    const auto failure = std::find(pendingFailures_.begin(), pendingFailures_.end(), Operation {kind, name});
    if (failure != pendingFailures_.end()) {
        pendingFailures_.erase(failure);
        lines_.push_back("fail " + line);
        return ErrorNumber::OperationFailed;
    }
    lines_.push_back(line);
    return ErrorNumber::None;
}

ErrorNumber RecordingHost::getScaleWidth(Single& width)
{
    const ErrorNumber result = record("get", windowName_ + ".ScaleWidth", formatSingle(width_));
    if (result == ErrorNumber::None)
        width = width_;
    return result;
}

ErrorNumber RecordingHost::getScaleHeight(Single& height)
{
    const ErrorNumber result = record("get", windowName_ + ".ScaleHeight", formatSingle(height_));
    if (result == ErrorNumber::None)
        height = height_;
    return result;
}

ErrorNumber RecordingHost::setFillColor(Colour colour)
{
    const ErrorNumber result = record("set", windowName_ + ".FillColor", formatColour(colour));
    return result == ErrorNumber::None && drawn_ ? drawing_.setFillColor(colour) : result;
}

ErrorNumber RecordingHost::circle(Single x, Single y, Single radius, Colour colour)
{
    const ErrorNumber result = record("call", windowName_ + ".Circle",
        formatSingle(x) + " " + formatSingle(y) + " " + formatSingle(radius) + " " + formatColour(colour));
    return result == ErrorNumber::None && drawn_ ? drawing_.circle(x, y, radius, colour) : result;
}

ErrorNumber RecordingHost::lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour)
{
    const ErrorNumber result = record("call", windowName_ + ".Line",
        formatSingle(x1) + " " + formatSingle(y1) + " " + formatSingle(x2) + " " + formatSingle(y2) + " "
            + formatColour(colour) + " box");
    return result == ErrorNumber::None && drawn_ ? drawing_.lineBox(x1, y1, x2, y2, colour) : result;
}

ErrorNumber RecordingHost::getInterval(Long& interval)
{
    const ErrorNumber result = record("get", timerName_ + ".Interval", std::to_string(interval_));
    if (result == ErrorNumber::None)
        interval = interval_;
    return result;
}

ErrorNumber RecordingHost::setInterval(Long interval)
{
    const std::string name = timerName_ + ".Interval";
    if (!timerAcceptsInterval(interval)) {
        lines_.push_back("fail set " + name + " " + std::to_string(interval));
        return ErrorNumber::InvalidPropertyValue;
    }
    const ErrorNumber result = record("set", name, std::to_string(interval));
    if (result == ErrorNumber::None)
        interval_ = interval;
    return result;
}

ErrorNumber RecordingHost::setEnabled(Boolean enabled)
{
    const ErrorNumber result = record("set", timerName_ + ".Enabled", std::to_string(enabled));
    if (result == ErrorNumber::None)
        enabled_ = enabled;
    return result;
}

Single RecordingHost::Rnd()
{
    Single value = 0;
    if (scripted_.empty()) {
        value = sequence_.Rnd();
    } else {
        value = scripted_.front();
        scripted_.pop_front();
    }
    lines_.push_back("rnd " + formatSingle(value));
    return value;
}

void RecordingHost::report(const RaisedError& error)
{
    const std::string where = error.object().empty() ? "-" : error.object() + "." + error.operation();
    lines_.push_back("error " + std::to_string(static_cast<int>(error.number())) + " " + where);
}
