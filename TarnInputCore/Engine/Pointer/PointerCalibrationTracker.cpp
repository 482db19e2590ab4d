#include "TarnInputCore/Engine/Pointer/PointerCalibrationTracker.h"

#include <cmath>

namespace tarn::input {

namespace {

bool finitePositive(double value)
{
    return std::isfinite(value) && value > 0;
}

} // namespace

PointerCalibrationTracker::PointerCalibrationTracker(double nominalDPI)
    : m_nominalDPI(nominalDPI)
{
}

double PointerCalibrationTracker::pixelsToCentimeters(double pixels, double nominalDPI)
{
    if (!finitePositive(pixels) || !finitePositive(nominalDPI)) {
        return 0;
    }
    return pixels / nominalDPI * kCentimetersPerInch;
}

double PointerCalibrationTracker::calculateEffectiveDPI(double deltaPixels, double distanceCm)
{
    if (!finitePositive(deltaPixels) || !finitePositive(distanceCm)) {
        return 0;
    }
    return deltaPixels / (distanceCm / kCentimetersPerInch);
}

double PointerCalibrationTracker::calibrationDeltaPixels() const
{
    return std::hypot(m_calibrationDeltaX, m_calibrationDeltaY);
}

std::optional<std::int64_t> PointerCalibrationTracker::measurementAtStop(const PointerCalibrationSnapshot& snapshot)
{
    if (snapshot.calibrationDeltaPixels > 0) {
        if (const auto dpi = measuredDPI(snapshot.calibrationDeltaPixels, snapshot.calibrationTargetCm)) {
            return dpi;
        }
    }
    return snapshot.measuredEffectiveDPI;
}

std::optional<std::int64_t> PointerCalibrationTracker::measuredDPI(double deltaPixels, double targetCm)
{
    if (!finitePositive(targetCm)) {
        return std::nullopt;
    }
    const double dpi = std::round(deltaPixels / (targetCm / kCentimetersPerInch));
    // Far beyond any real mouse, but an integer must hold it.
    if (!finitePositive(dpi) || dpi > 1e15) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(dpi);
}

void PointerCalibrationTracker::startCalibration(std::optional<EventPoint> point, double targetCm)
{
    m_isCalibrating = true;
    const double target = std::isfinite(targetCm) ? targetCm : kDefaultCalibrationTargetCm;
    m_calibrationTargetCm = target < kMinimumCalibrationTargetCm ? kMinimumCalibrationTargetCm : target;
    m_calibrationPathPixels = 0;
    m_calibrationDeltaX = 0;
    m_calibrationDeltaY = 0;
    m_lastMeasuredDPI.reset();
    if (point && std::isfinite(point->x) && std::isfinite(point->y)) {
        m_lastPointerPoint = point;
        m_awaitingCalibrationAnchor = false;
    } else {
        m_awaitingCalibrationAnchor = true;
    }
}

std::optional<std::int64_t> PointerCalibrationTracker::finishCalibration(std::optional<EventPoint> point)
{
    if (point) {
        recordPointerMove(*point);
    }
    endCalibration(measurementAtStop(snapshot()));
    return m_lastMeasuredDPI;
}

void PointerCalibrationTracker::endCalibration(std::optional<std::int64_t> measurement)
{
    m_lastMeasuredDPI = measurement;
    m_isCalibrating = false;
    m_awaitingCalibrationAnchor = false;
}

void PointerCalibrationTracker::recordPointerMove(EventPoint point)
{
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
        return;
    }
    if (m_isCalibrating && m_awaitingCalibrationAnchor) {
        if (m_lastPointerPoint) {
            const double d = std::hypot(point.x - m_lastPointerPoint->x, point.y - m_lastPointerPoint->y);
            if (finitePositive(d)) {
                m_sessionPixelsTraveled += d;
            }
        }
        m_lastPointerPoint = point;
        m_awaitingCalibrationAnchor = false;
        return;
    }
    const auto previous = m_lastPointerPoint;
    m_lastPointerPoint = point;
    if (previous) {
        recordPointerDelta(point.x - previous->x, point.y - previous->y);
    }
}

void PointerCalibrationTracker::recordPointerDelta(double dx, double dy)
{
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
        return;
    }
    const double d = std::hypot(dx, dy);
    if (!finitePositive(d)) {
        return;
    }
    m_sessionPixelsTraveled += d;
    if (!m_isCalibrating) {
        return;
    }
    m_awaitingCalibrationAnchor = false;
    m_calibrationDeltaX += dx;
    m_calibrationDeltaY += dy;
    m_calibrationPathPixels += d;
    if (const double delta = calibrationDeltaPixels(); delta >= kLiveEstimateMinimumPixels) {
        if (const auto dpi = measuredDPI(delta, m_calibrationTargetCm)) {
            m_lastMeasuredDPI = dpi;
        }
    }
}

void PointerCalibrationTracker::notePointerLocation(EventPoint point)
{
    if (std::isfinite(point.x) && std::isfinite(point.y)) {
        m_lastPointerPoint = point;
    }
}

void PointerCalibrationTracker::resetSession()
{
    m_sessionPixelsTraveled = 0;
    m_sessionClicks = 0;
    m_blockedGhostDoubleClicks = 0;
    m_calibrationPathPixels = 0;
    m_calibrationDeltaX = 0;
    m_calibrationDeltaY = 0;
    m_lastMeasuredDPI.reset();
    m_lastPointerPoint.reset();
    m_isCalibrating = false;
    m_awaitingCalibrationAnchor = false;
}

PointerCalibrationSnapshot PointerCalibrationTracker::snapshot() const
{
    PointerCalibrationSnapshot snapshot;
    snapshot.sessionPixelsTraveled = m_sessionPixelsTraveled;
    snapshot.sessionDistanceCm = sessionDistanceCm();
    snapshot.sessionDistanceMeters = sessionDistanceMeters();
    snapshot.nominalDPI = m_nominalDPI;
    snapshot.isCalibrating = m_isCalibrating;
    snapshot.calibrationTargetCm = m_calibrationTargetCm;
    snapshot.calibrationDeltaPixels = calibrationDeltaPixels();
    snapshot.calibrationPathPixels = m_calibrationPathPixels;
    snapshot.measuredEffectiveDPI = m_lastMeasuredDPI;
    snapshot.sessionClicks = m_sessionClicks;
    snapshot.blockedGhostDoubleClicks = m_blockedGhostDoubleClicks;
    return snapshot;
}

} // namespace tarn::input
