#include "TarnInputCore/Engine/SnapshotPublisher.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

// Records where and when it was destroyed.
struct Tracked {
    Tracked(int value, std::vector<std::thread::id>& freedOn)
        : value(value)
        , freedOn(freedOn)
    {
    }
    ~Tracked() { freedOn.push_back(std::this_thread::get_id()); }
    int value;
    std::vector<std::thread::id>& freedOn;
};

TEST(SnapshotPublisherTest, AHeldValueOutlivesItsReplacementAndIsFreedByAWriter)
{
    std::vector<std::thread::id> freedOn;
    SnapshotPublisher<Tracked, 2> publisher(std::make_unique<const Tracked>(1, freedOn));
    std::thread reader([&] {
        const auto held = publisher.read(0);
        EXPECT_EQ(held->value, 1);
        publisher.publish(std::make_unique<const Tracked>(2, freedOn));
        publisher.publish(std::make_unique<const Tracked>(3, freedOn));
        // The reader's value survives two replacements; only the unheld one (2) was freed.
        EXPECT_EQ(held->value, 1);
        EXPECT_EQ(freedOn.size(), 1u);
    });
    reader.join();
    EXPECT_EQ(publisher.read(1)->value, 3);
    // Released now: the next publish frees it, on the publishing thread.
    publisher.publish(std::make_unique<const Tracked>(4, freedOn));
    ASSERT_EQ(freedOn.size(), 3u);
    EXPECT_EQ(freedOn[1], std::this_thread::get_id());
    EXPECT_EQ(freedOn[2], std::this_thread::get_id());
}

TEST(SnapshotPublisherTest, ReadersAlwaysSeeAWholeLiveValueWhileWritersPublish)
{
    struct Pair {
        int first = 0;
        int second = 0;
    };
    SnapshotPublisher<Pair, 2> publisher(std::make_unique<const Pair>());
    std::atomic<bool> running {true};
    std::atomic<int> torn {0};
    std::vector<std::thread> readers;
    for (std::size_t slot = 0; slot < 2; ++slot) {
        readers.emplace_back([&, slot] {
            while (running.load()) {
                const auto value = publisher.read(slot);
                if (value->first != value->second) {
                    ++torn;
                }
            }
        });
    }
    for (int i = 1; i <= 20000; ++i) {
        publisher.publish(std::make_unique<const Pair>(Pair {i, i}));
    }
    running = false;
    for (auto& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(publisher.current().first, 20000);
}

} // namespace
} // namespace tarn::input
