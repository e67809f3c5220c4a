#include "tests/support/recording_host.h"

#include "platform/raised_error.h"
#include "platform/timer_rules.h"

#include <cstdio>
#include <utility>

namespace {
const std::string kWindow = "frmtessary";
const std::string kTimer = "tmrtime";
} // namespace

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

RecordingHost::RecordingHost(Single width, Single height)
    : window_(*this, kWindow)
    , timer_(*this, kTimer)
    , width_(width)
    , height_(height)
{
}

void RecordingHost::failNext(std::string kind, std::string name)
{
    failKind_ = std::move(kind);
    failName_ = std::move(name);
}

void RecordingHost::scriptRnd(std::initializer_list<Single> values)
{
    scripted_.insert(scripted_.end(), values.begin(), values.end());
}

void RecordingHost::resize(Single width, Single height)
{
    width_ = width;
    height_ = height;
}

std::vector<std::string> RecordingHost::takeLines()
{
    return std::exchange(lines_, {});
}

ErrorNumber RecordingHost::record(const char* kind, const std::string& name, const std::string& arguments)
{
    const std::string line = std::string(kind) + " " + name + (arguments.empty() ? "" : " " + arguments);
    if (!failKind_.empty() && failKind_ == kind && failName_ == name) {
        failKind_.clear();
        failName_.clear();
        lines_.push_back("fail " + line);
        return ErrorNumber::OperationFailed;
    }
    lines_.push_back(line);
    return ErrorNumber::None;
}

ErrorNumber RecordingHost::getScaleWidth(Single& width)
{
    const ErrorNumber result = record("get", kWindow + ".ScaleWidth", formatSingle(width_));
    if (result == ErrorNumber::None)
        width = width_;
    return result;
}

ErrorNumber RecordingHost::getScaleHeight(Single& height)
{
    const ErrorNumber result = record("get", kWindow + ".ScaleHeight", formatSingle(height_));
    if (result == ErrorNumber::None)
        height = height_;
    return result;
}

ErrorNumber RecordingHost::setFillColor(Colour colour)
{
    return record("set", kWindow + ".FillColor", formatColour(colour));
}

ErrorNumber RecordingHost::circle(Single x, Single y, Single radius, Colour colour)
{
    return record("call", kWindow + ".Circle",
        formatSingle(x) + " " + formatSingle(y) + " " + formatSingle(radius) + " " + formatColour(colour));
}

ErrorNumber RecordingHost::lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour)
{
    return record("call", kWindow + ".Line",
        formatSingle(x1) + " " + formatSingle(y1) + " " + formatSingle(x2) + " " + formatSingle(y2) + " "
            + formatColour(colour) + " box");
}

ErrorNumber RecordingHost::getInterval(Long& interval)
{
    const ErrorNumber result = record("get", kTimer + ".Interval", std::to_string(interval_));
    if (result == ErrorNumber::None)
        interval = interval_;
    return result;
}

ErrorNumber RecordingHost::setInterval(Long interval)
{
    const std::string name = kTimer + ".Interval";
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
    const ErrorNumber result = record("set", kTimer + ".Enabled", std::to_string(enabled));
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
