#pragma once

// What a shortcut in the engine's vocabulary (an ANSI virtual key with modifier flags) presses on
// a Linux desktop, chosen by meaning, and how to name those keys. Ordinary shortcuts take Ctrl
// where they name Command (⌘C → Ctrl+C); desktop shortcuts (back and forward, overview,
// workspaces, show desktop, search, screenshots) take the keys Linux desktops bind to the same
// thing. The input adapter presses what this says and the labels show it, so the two agree.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarn::input {

enum class PostedModifier { ctrl, alt, shift, super };

struct PostedKeys {
    // Keys the ANSI layout table has no code for.
    enum class Special { none, super, print };

    // Pressed in order before the key, released in reverse after it.
    std::array<PostedModifier, 4> modifiers {};
    std::size_t modifierCount = 0;
    Special special = Special::none;
    // The key when `special` is none.
    std::uint16_t ansiKey = 0;
    bool operator==(const PostedKeys&) const = default;
};

// Whether the input adapter can press `ansiKey` is its own question (the keypad, for example,
// has no symbol here but is pressed all the same).
PostedKeys postedKeysForShortcut(std::uint16_t ansiKey, std::uint64_t flags);

// The key an ordinary shortcut presses for one modifier flag of the engine's vocabulary.
PostedModifier postedModifierForFlag(std::uint64_t flag);
// "Ctrl", "Alt", "Shift", "Super".
std::string_view modifierName(PostedModifier modifier);

// "Enter", "Tab", "Backspace", "Esc" and "Delete" for the keys the vocabulary shows by a glyph
// (↩ ⇥ ⌫ ⎋ ⌦), as Linux keyboards and desktops name them; absent for every other key.
std::optional<std::string_view> linuxKeyName(std::uint16_t ansiKey);

// "Alt+Left", "Ctrl+W", "Super"; arrows and the space bar are named in the interface language,
// a key without a name as "Key(60)".
std::string postedKeysText(const PostedKeys& keys, bool turkish);

} // namespace tarn::input
