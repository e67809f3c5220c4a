#include "platform/form/event_dispatcher.h"

#include "platform/services/error_reporter.h"
#include "platform/services/raised_error.h"

#include <gtest/gtest.h>

namespace {

struct ReportedErrors : ErrorReporter {
    void report(const RaisedError& error) override
    {
        reported.push_back(std::to_string(static_cast<int>(error.number())) + " " + error.object() + "." + error.operation());
    }
    std::vector<std::string> reported;
};

TEST(EventDispatcherTest, AnErrorLeavingAHandlerGoesToTheDefaultHandlingAndTheNextEventRuns)
{
    ReportedErrors errors;
    EventDispatcher dispatcher(errors);
    int runs = 0;
    dispatcher.setWiring({
        {"tmrtime", FormEvent::Timer, [&] { ++runs; throw RaisedError(ErrorNumber::OperationFailed, "frmtessary", "Circle"); }},
        {"cmdstop", FormEvent::Click, [&] { ++runs; }},
    });
    EXPECT_TRUE(dispatcher.deliver("tmrtime", FormEvent::Timer));
    EXPECT_TRUE(dispatcher.deliver("cmdstop", FormEvent::Click));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(errors.reported, std::vector<std::string> {"1000 frmtessary.Circle"});
    EXPECT_FALSE(dispatcher.busy());
}

TEST(EventDispatcherTest, UnwiredEventsAreIgnoredAndHandlersNeverNest)
{
    ReportedErrors errors;
    EventDispatcher dispatcher(errors);
    std::vector<std::string> order;
    dispatcher.setWiring({
        {"cmdmove", FormEvent::Click, [&] {
             order.push_back("move begins");
             // An event arriving from inside a handler is dropped, not run here.
             EXPECT_FALSE(dispatcher.deliver("cmdcolor", FormEvent::Click));
             order.push_back("move ends");
         }},
        {"cmdcolor", FormEvent::Click, [&] { order.push_back("color"); }},
    });
    EXPECT_FALSE(dispatcher.deliver("cmdmove", FormEvent::Timer));
    EXPECT_FALSE(dispatcher.deliver("frmtessary", FormEvent::Click));
    dispatcher.deliver("cmdmove", FormEvent::Click);
    dispatcher.deliver("cmdcolor", FormEvent::Click);
    EXPECT_EQ(order, (std::vector<std::string> {"move begins", "move ends", "color"}));
}

TEST(EventDispatcherTest, AForeignExceptionPassesThroughAndLeavesTheDispatcherUsable)
{
    ReportedErrors errors;
    EventDispatcher dispatcher(errors);
    EXPECT_THROW(dispatcher.dispatch([] { throw std::logic_error("bug"); }), std::logic_error);
    EXPECT_FALSE(dispatcher.busy());
    EXPECT_TRUE(errors.reported.empty());
}

} // namespace
