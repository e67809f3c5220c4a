#include "platform/hosts/x11/x11_saver_arguments.h"

#include "platform/runner/saver_runner.h"

#include <charconv>

namespace {

// The option's name without its one or two dashes, or nothing.
std::optional<std::string_view> optionName(std::string_view word)
{
    if (word.starts_with("--"))
        return word.substr(2);
    if (word.starts_with("-") && word.size() > 1)
        return word.substr(1);
    return std::nullopt;
}

template <class Number>
std::optional<Number> numberOf(std::string_view text, int base)
{
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A word of the command line, quoted in a reason for refusing it.
std::string quoted(std::string_view word)
{
    std::string text(1, '\'');
    text.append(word).push_back('\'');
    return text;
}

} // namespace

std::optional<unsigned long> x11WindowIdOf(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X"))
        return numberOf<unsigned long>(text.substr(2), 16);
    return numberOf<unsigned long>(text, 10);
}

X11SaverArguments X11SaverArguments::read(std::span<const std::string_view> arguments)
{
    X11SaverArguments read;
    read.changeEvery = SaverRunner::kDefaultChange;
    bool named = false;
    const auto refuse = [&read](std::string why) {
        read.refused = std::move(why);
        return read;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::optional<std::string_view> name = optionName(arguments[i]);
        if (name == "root") {
            read.target = Target::Root;
            named = true;
            continue;
        }
        if (name != "window-id" && name != "change-every")
            return refuse(quoted(arguments[i]) + " is no option of this module");
        if (i + 1 == arguments.size())
            return refuse(quoted(arguments[i]) + " needs a value");
        const std::string_view value = arguments[++i];
        if (name == "window-id") {
            const std::optional<unsigned long> window = x11WindowIdOf(value);
            if (!window || *window == 0)
                return refuse(quoted(value) + " is no window id");
            read.target = Target::WindowId;
            read.window = *window;
            named = true;
        } else {
            const std::optional<long long> seconds = numberOf<long long>(value, 10);
            if (!seconds)
                return refuse(quoted(value) + " is no number of seconds");
            read.changeEvery = SaverRunner::changePeriod(*seconds);
        }
    }
    if (!named)
        return refuse("no window named: it draws only into a window it is given");
    return read;
}
