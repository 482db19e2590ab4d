#include "TarnInputCore/Engine/Requests/BoundedRequestQueue.h"

#include <array>
#include <atomic>
#include <cstdint>
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

} // namespace
} // namespace tarn::input
