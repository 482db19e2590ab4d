#include "TarnInputCore/Engine/Pointer/PollingRateCalculator.h"

#include <algorithm>
#include <cmath>

namespace tarn::input {

namespace {

using namespace std::chrono_literals;

constexpr auto kWindow = 1s;
// A burst of events closer together than this is measured as if spread over it, so two quick
// reports do not read as thousands of Hz.
constexpr double kMinimumSpanSeconds = 0.05;
constexpr auto kSampleInterval = 250ms;
// Rates from thinner windows are too noisy for the peak and the samples.
constexpr std::size_t kPeakMinimumEvents = 8;
constexpr std::size_t kSampleMinimumEvents = 4;

} // namespace

PollingRateCalculator::PollingRateCalculator()
    : m_timestamps(kWindowCapacity)
{
}

std::int64_t PollingRateCalculator::recordEvent(EngineTime now)
{
    if (m_count == kWindowCapacity) {
        m_first = (m_first + 1) % kWindowCapacity;
        --m_count;
    }
    m_timestamps[(m_first + m_count) % kWindowCapacity] = now;
    ++m_count;
    while (m_count > 0 && m_timestamps[m_first] < now - kWindow) {
        m_first = (m_first + 1) % kWindowCapacity;
        --m_count;
    }
    if (m_count <= 1) {
        return m_currentHz;
    }
    const double span = std::chrono::duration<double>(now - m_timestamps[m_first]).count();
    const double hz = std::round(static_cast<double>(m_count - 1) / std::max(span, kMinimumSpanSeconds));
    m_currentHz = std::clamp(static_cast<std::int64_t>(hz), std::int64_t {1}, kMaximumHz);
    if (m_count >= kPeakMinimumEvents && m_currentHz > m_peakHz) {
        m_peakHz = m_currentHz;
    }
    if (m_count >= kSampleMinimumEvents && now - m_lastSampledWindowEnd >= kSampleInterval) {
        m_lastSampledWindowEnd = now;
        if (m_sampleCount == kMaximumSamples) {
            m_firstSample = (m_firstSample + 1) % kMaximumSamples;
            --m_sampleCount;
        }
        m_hzSamples[(m_firstSample + m_sampleCount) % kMaximumSamples] = m_currentHz;
        ++m_sampleCount;
    }
    return m_currentHz;
}

void PollingRateCalculator::reset()
{
    m_first = 0;
    m_count = 0;
    m_currentHz = 0;
    m_peakHz = 0;
    m_firstSample = 0;
    m_sampleCount = 0;
    m_lastSampledWindowEnd = EngineTime {};
}

std::int64_t PollingRateCalculator::averageHz() const
{
    if (m_sampleCount == 0) {
        return m_currentHz;
    }
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < m_sampleCount; ++i) {
        sum += m_hzSamples[(m_firstSample + i) % kMaximumSamples];
    }
    return sum / static_cast<std::int64_t>(m_sampleCount);
}

std::vector<std::int64_t> PollingRateCalculator::hzSamples() const
{
    std::vector<std::int64_t> samples;
    samples.reserve(m_sampleCount);
    for (std::size_t i = 0; i < m_sampleCount; ++i) {
        samples.push_back(m_hzSamples[(m_firstSample + i) % kMaximumSamples]);
    }
    return samples;
}

} // namespace tarn::input
