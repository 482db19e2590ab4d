#include "TarnInputCore/Engine/Requests/BoundedRequestQueue.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

struct Numbered {
    std::uint32_t producer = 0;
    std::uint32_t sequence = 0;
};

TEST(BoundedRequestQueueTest, KeepsOrderRefusesWhenFullAndReusesItsCells)
{
    BoundedRequestQueue<int, 4> queue;
    EXPECT_FALSE(queue.hasWaiting());
    EXPECT_FALSE(queue.pop());
    // Several laps around the ring: freed cells take values again, in order.
    int next = 0;
    int expected = 0;
    for (int lap = 0; lap < 5; ++lap) {
        while (queue.push(next)) {
            ++next;
        }
        EXPECT_EQ(next - expected, 4) << "a full ring holds exactly its capacity";
        EXPECT_TRUE(queue.hasWaiting());
        for (int taken = 0; taken < 3; ++taken) {
            EXPECT_EQ(queue.pop(), expected++);
        }
    }
    while (const auto value = queue.pop()) {
        EXPECT_EQ(*value, expected++);
    }
    EXPECT_EQ(expected, next);
    EXPECT_FALSE(queue.hasWaiting());
}

TEST(BoundedRequestQueueTest, ManyProducersLoseNothingAndKeepEachOnesOrder)
{
    constexpr std::uint32_t kProducers = 4;
    constexpr std::uint32_t kEach = 20000;
    BoundedRequestQueue<Numbered, 16> queue;
    std::vector<std::thread> producers;
    for (std::uint32_t producer = 0; producer < kProducers; ++producer) {
        producers.emplace_back([&queue, producer] {
            for (std::uint32_t sequence = 0; sequence < kEach; ++sequence) {
                // A full ring refuses: the producer tries again, as a caller that must not lose it.
                while (!queue.push({producer, sequence})) {
                    std::this_thread::yield();
                }
            }
        });
    }
    std::array<std::uint32_t, kProducers> nextOf {};
    std::uint32_t received = 0;
    while (received < kProducers * kEach) {
        if (const auto value = queue.pop()) {
            ASSERT_LT(value->producer, kProducers);
            ASSERT_EQ(value->sequence, nextOf[value->producer]) << "producer " << value->producer;
            ++nextOf[value->producer];
            ++received;
        } else {
            std::this_thread::yield();
        }
    }
    for (auto& producer : producers) {
        producer.join();
    }
    EXPECT_FALSE(queue.pop());
}

// A shared handle goes through by copy and comes out by move: once the consumer drops what it
// took, no cell keeps the object alive, so the producer never ends up releasing it.
TEST(BoundedRequestQueueTest, ACellLetsGoOfAHandleOnceTaken)
{
    BoundedRequestQueue<std::shared_ptr<const int>, 2> queue;
    std::weak_ptr<const int> watched;
    for (int lap = 0; lap < 3; ++lap) {
        auto value = std::make_shared<const int>(lap);
        watched = value;
        ASSERT_TRUE(queue.push(value));
        value.reset();
        EXPECT_FALSE(watched.expired()) << "the cell keeps it while it waits";
        auto taken = queue.pop();
        ASSERT_TRUE(taken && *taken);
        EXPECT_EQ(**taken, lap);
        EXPECT_EQ(taken->use_count(), 1);
        taken.reset();
        EXPECT_TRUE(watched.expired());
    }
}

} // namespace
} // namespace tarn::input
