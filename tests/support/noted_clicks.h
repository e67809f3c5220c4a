#pragma once

#include "platform/form/form_look.h"
#include "platform/runner/runner_events.h"

#include <string>
#include <vector>

// Stands between a window and its runner: the clicks the window reports are
// noted ("NAME" for a button, "form" for the bare area) instead of handled,
// the area's keys answered as a form answers them; the rest reaches the runner.
class NotedClicks final : public RunnerEvents {
public:
    explicit NotedClicks(RunnerEvents& runner)
        : runner_(runner)
    {
    }

    void start() override { runner_.start(); }
    void wake() override { runner_.wake(); }
    void resize(int width, int height, double ratio) override { runner_.resize(width, height, ratio); }
    void resize(int width, int height, double ratio, int deviceWidth, int deviceHeight) override
    {
        runner_.resize(width, height, ratio, deviceWidth, deviceHeight);
    }
    void pacingChanged() override { runner_.pacingChanged(); }
    void escaped(std::exception_ptr thrown) noexcept override { runner_.escaped(thrown); }
    InputAnswer click(std::string_view button) override
    {
        clicks.emplace_back(button);
        return InputAnswer::Taken;
    }
    InputAnswer clickArea() override { return click("form"); }
    InputAnswer areaKey(FormLook::Key key, bool modified, bool repeated) override
    {
        const FormLook::KeyAction action = FormLook::areaKey(key, modified, repeated);
        if (action == FormLook::KeyAction::Clicks)
            clickArea();
        return action == FormLook::KeyAction::PassedOn ? InputAnswer::PassedOn : InputAnswer::Taken;
    }
    InputAnswer pointerMoved(double, double) override { return InputAnswer::PassedOn; }

    std::vector<std::string> clicks;

private:
    RunnerEvents& runner_;
};
