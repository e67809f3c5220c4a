#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_session.h"
#include "platform/form/wiring.h"

#include <memory>
#include <span>

// One form, described once: its definition, from which a runner lays it out
// and makes its timer, and the code wired to its events, from which a session
// of it opens on a host's services. A session keeps views into the form (its
// names), so a form lives as long as the program.
class FormClass : public FormDefinition {
public:
    virtual std::unique_ptr<FormSession> open(SessionServices services) const = 0;

protected:
    constexpr explicit FormClass(const FormDefinition& definition)
        : FormDefinition(definition)
    {
    }
};

// A form whose code is of type Code, wired through the table.
template <class Code>
class FormOf final : public FormClass {
public:
    constexpr FormOf(const FormDefinition& definition, std::span<const WiringEntry<Code>> wiring)
        : FormClass(definition)
        , wiring_(wiring)
    {
    }

    std::span<const WiringEntry<Code>> wiring() const { return wiring_; }

    // The same as open(), with the code in reach.
    std::unique_ptr<FormSessionOf<Code>> openSession(SessionServices services) const
    {
        return std::make_unique<FormSessionOf<Code>>(*this, wiring_, services);
    }
    std::unique_ptr<FormSession> open(SessionServices services) const override { return openSession(services); }

private:
    std::span<const WiringEntry<Code>> wiring_;
};
