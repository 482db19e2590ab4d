#pragma once

// The application object of the menu tests. The launcher creates an application object of its
// own, and Qt allows one at a time: its test puts the shared one aside and brings it back.

namespace tarn {

class TestApplication {
public:
    TestApplication() = delete;

    static void start();
    static void stop();
};

} // namespace tarn
