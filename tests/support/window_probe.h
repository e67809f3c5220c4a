#pragma once

#include "platform/runner/host_probe.h"

#include <memory>

// The probe that builds a Window (a ForwardingWindow) around the form's
// window, and keeps where it is and how often the host's loop woke.
template <class Window>
class WindowProbe final : public HostProbe {
public:
    std::unique_ptr<WindowOperations> wrap(WindowOperations& target) override
    {
        auto made = std::make_unique<Window>(target);
        window = made.get();
        return made;
    }
    void wokeUp() override { ++wakeUps; }

    Window* window = nullptr;
    long wakeUps = 0;
};
