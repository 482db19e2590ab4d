#include "TarnInputCore/tests/Engine/EventScript.h"

#include <charconv>
#include <stdexcept>

#include <fmt/format.h>

namespace tarn::input::testing {

namespace {

struct NamedFlag {
    std::string_view name;
    std::uint64_t flag;
};
constexpr NamedFlag kFlagNames[] = {
    {"ctrl", EventFlag::control}, {"opt", EventFlag::option}, {"shift", EventFlag::shift}, {"cmd", EventFlag::command}};

[[noreturn]] void fail(std::string_view token, std::string_view why)
{
    throw std::invalid_argument(fmt::format("event script: cannot read \"{}\": {}", token, why));
}

double number(std::string_view text, std::string_view token)
{
    double value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        fail(token, "not a number");
    }
    return value;
}

std::pair<double, double> pair(std::string_view text, std::string_view token, bool secondOptional)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        if (!secondOptional) {
            fail(token, "needs x,y");
        }
        return {number(text, token), 0};
    }
    return {number(text.substr(0, comma), token), number(text.substr(comma + 1), token)};
}

std::uint64_t flagsFrom(std::string_view text, std::string_view token)
{
    std::uint64_t flags = 0;
    while (!text.empty()) {
        const auto plus = text.find('+');
        const auto name = text.substr(0, plus);
        bool known = false;
        for (const auto& [flagName, flag] : kFlagNames) {
            if (name == flagName) {
                flags |= flag;
                known = true;
            }
        }
        if (!known) {
            fail(token, "unknown modifier");
        }
        text = plus == std::string_view::npos ? std::string_view() : text.substr(plus + 1);
    }
    return flags;
}

std::optional<std::int64_t> buttonFrom(std::string_view name)
{
    if (name == "left") {
        return ButtonNumber::left;
    }
    if (name == "right") {
        return ButtonNumber::right;
    }
    if (name == "middle") {
        return ButtonNumber::middle;
    }
    if (name == "back") {
        return ButtonNumber::back;
    }
    if (name == "forward") {
        return ButtonNumber::forward;
    }
    if (name.starts_with("btn")) {
        std::int64_t number = 0;
        const auto digits = name.substr(3);
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec == std::errc() && ptr == digits.data() + digits.size() && !digits.empty()) {
            return number;
        }
    }
    return std::nullopt;
}

std::string buttonName(std::int64_t button)
{
    switch (button) {
    case ButtonNumber::left:
        return "left";
    case ButtonNumber::right:
        return "right";
    case ButtonNumber::middle:
        return "middle";
    case ButtonNumber::back:
        return "back";
    case ButtonNumber::forward:
        return "forward";
    default:
        return fmt::format("btn{}", button);
    }
}

FrontmostApplication applicationFrom(std::string_view text)
{
    if (text == "-") {
        return {};
    }
    const auto slash = text.find('/');
    FrontmostApplication application;
    application.bundleID.emplace(text.substr(0, slash));
    if (slash != std::string_view::npos) {
        application.name = std::string(text.substr(slash + 1));
    }
    return application;
}

ScriptStep parseToken(std::string_view token)
{
    // Clock steps.
    for (const auto& [suffix, scale] :
        {std::pair {std::string_view("ms"), 1'000'000.0}, {std::string_view("s"), 1e9}}) {
        if (token.size() > suffix.size() && token.ends_with(suffix) && (token[0] >= '0' && token[0] <= '9')) {
            const auto value = number(token.substr(0, token.size() - suffix.size()), token);
            return ScriptClockStep {std::chrono::nanoseconds(static_cast<std::int64_t>(value * scale))};
        }
    }
    if (token.starts_with("mods:")) {
        return ScriptModifiers {flagsFrom(token.substr(5), token)};
    }
    if (token.starts_with("app:")) {
        return ScriptFrontmost {applicationFrom(token.substr(4)), false};
    }
    if (token.starts_with("focus:")) {
        return ScriptFrontmost {applicationFrom(token.substr(6)), true};
    }

    ScriptEvent step;
    auto body = token;
    if (const auto brace = body.find('{'); brace != std::string_view::npos) {
        if (!body.ends_with('}')) {
            fail(token, "unclosed modifiers");
        }
        step.flags = flagsFrom(body.substr(brace + 1, body.size() - brace - 2), token);
        body = body.substr(0, brace);
    }
    auto& event = step.event;
    if (body.starts_with('+') || body.starts_with('-')) {
        const bool down = body[0] == '+';
        const auto button = buttonFrom(body.substr(1));
        if (!button) {
            fail(token, "unknown button");
        }
        event.buttonNumber = *button;
        if (*button == ButtonNumber::left) {
            event.type = down ? TapEventType::leftMouseDown : TapEventType::leftMouseUp;
        } else if (*button == ButtonNumber::right) {
            event.type = down ? TapEventType::rightMouseDown : TapEventType::rightMouseUp;
        } else {
            event.type = down ? TapEventType::otherMouseDown : TapEventType::otherMouseUp;
        }
    } else if (body.starts_with('@') || body.starts_with("drag@")) {
        step.explicitDrag = body.starts_with("drag@");
        const auto [x, y] = pair(body.substr(body.find('@') + 1), token, false);
        event.location = {x, y};
        step.hasLocation = true;
    } else if (body.starts_with("wheel:") || body.starts_with("trackpad:")) {
        const bool continuous = body.starts_with("trackpad:");
        const auto [dy, dx] = pair(body.substr(body.find(':') + 1), token, true);
        event.type = TapEventType::scrollWheel;
        event.scrollIsContinuous = continuous;
        event.scrollDeltaAxis1 = dy;
        event.scrollDeltaAxis2 = dx;
        if (continuous) {
            event.scrollPointDeltaAxis1 = dy;
            event.scrollPointDeltaAxis2 = dx;
        }
    } else if (body.starts_with("key:") || body.starts_with("keyup:")) {
        event.type = body.starts_with("key:") ? TapEventType::keyDown : TapEventType::keyUp;
        event.keyCode = static_cast<std::uint16_t>(number(body.substr(body.find(':') + 1), token));
    } else {
        fail(token, "unknown token");
    }
    return step;
}

std::string flagSuffix(std::uint64_t flags)
{
    std::string names;
    for (const auto& [name, flag] : kFlagNames) {
        if ((flags & flag) != 0) {
            names += names.empty() ? "" : "+";
            names += name;
        }
    }
    return names.empty() ? names : "{" + names + "}";
}

} // namespace

std::vector<ScriptStep> parseEventScript(std::string_view script)
{
    std::vector<ScriptStep> steps;
    std::size_t position = 0;
    while (position < script.size()) {
        const auto start = script.find_first_not_of(" \t\n", position);
        if (start == std::string_view::npos) {
            break;
        }
        const auto end = script.find_first_of(" \t\n", start);
        const auto token = script.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        steps.push_back(parseToken(token));
        position = end == std::string_view::npos ? script.size() : end;
    }
    return steps;
}

std::string printTapEvent(const TapEvent& event, bool posted)
{
    using enum TapEventType;
    std::string text;
    switch (event.type) {
    case leftMouseDown:
    case rightMouseDown:
    case otherMouseDown:
        text = "+"
            + buttonName(event.type == leftMouseDown ? 0
                    : event.type == rightMouseDown   ? 1
                                                     : event.buttonNumber);
        break;
    case leftMouseUp:
    case rightMouseUp:
    case otherMouseUp:
        text = "-" + buttonName(event.type == leftMouseUp ? 0 : event.type == rightMouseUp ? 1 : event.buttonNumber);
        break;
    case mouseMoved:
        text = fmt::format("@{},{}", event.location.x, event.location.y);
        break;
    case leftMouseDragged:
    case rightMouseDragged:
    case otherMouseDragged:
        text = fmt::format("drag@{},{}", event.location.x, event.location.y);
        break;
    case keyDown:
        text = fmt::format("key:{}", event.keyCode);
        break;
    case keyUp:
        text = fmt::format("keyup:{}", event.keyCode);
        break;
    case scrollWheel:
        text = fmt::format("{}:{}", event.scrollIsContinuous ? "trackpad" : "wheel", event.scrollDeltaAxis1);
        if (event.scrollDeltaAxis2 != 0) {
            text += fmt::format(",{}", event.scrollDeltaAxis2);
        }
        break;
    default:
        text = fmt::format("type{}", static_cast<std::uint32_t>(event.type));
        break;
    }
    text += flagSuffix(event.flags);
    if (posted) {
        text.insert(0, event.isSynthetic() ? "!" : "?");
    }
    return text;
}

} // namespace tarn::input::testing
