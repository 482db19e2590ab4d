#pragma once

// The Hardware screen's calibration lab: the session's cursor travel, clicks and swallowed
// bounces, the nominal DPI presets, and the guided 10 cm drag test with its result. It shows the
// last calibration snapshot the view model published and measures nothing itself; its buttons
// call the view model (and the engine, for the reset).
// The view model must outlive it; build it on the main thread.

#include <vector>

#include <QColor>
#include <QList>

#include "TarnInputCore/Model/Pointer/PointerCalibrationSnapshot.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"

class QAbstractButton;
class QLabel;

namespace tarn {
class TarnGlassButton;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class CalibratingBadge;
class DragPanelFrame;
class HardwareViewModel;
class MetricTile;
class SymbolLabel;

class DPICalibrationLabCard : public TarnGlassCard {
    Q_OBJECT

public:
    DPICalibrationLabCard(HardwareViewModel& viewModel, QColor accent, QWidget* parent = nullptr,
        std::vector<double> dpiPresets = {800, 1200, 1600, 2400, 3200});

    // "1.23M px", "12.3k px" or "512 px".
    static QString formattedPixels(double pixels);
    // The test drag's straight-line displacement at the nominal DPI, in centimetres (0 when
    // either is not a positive finite number).
    static double estimatedSpanCm(const PointerCalibrationSnapshot& calibration);
    // Metres with two decimals from 1 m on, centimetres with one decimal below.
    static QString distanceText(const PointerCalibrationSnapshot& calibration);
    static bool isPresetSelected(double preset, double nominalDPI);
    // A measurement the view model would apply (it ignores one below 100 DPI).
    static bool isApplicable(const PointerCalibrationSnapshot& calibration);

private:
    QWidget* buildHeaderRow();
    QWidget* buildNominalDPIRow();
    QWidget* buildDragPanel();
    QWidget* buildSessionRow();
    void onResetClicked();
    void sync();

    HardwareViewModel& m_viewModel;
    QColor m_accent;
    std::vector<double> m_dpiPresets;

    SymbolLabel* m_title = nullptr;
    CalibratingBadge* m_badge = nullptr;
    TarnGlassButton* m_reset = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_dpiCaption = nullptr;
    QList<QAbstractButton*> m_presetChips;
    QLabel* m_nominalValue = nullptr;
    DragPanelFrame* m_panel = nullptr;
    QLabel* m_panelTitle = nullptr;
    QLabel* m_instruction = nullptr;
    TarnGlassButton* m_apply = nullptr;
    TarnPrimaryButton* m_startStop = nullptr;
    MetricTile* m_displacement = nullptr;
    MetricTile* m_span = nullptr;
    MetricTile* m_effectiveDPI = nullptr;
    MetricTile* m_distance = nullptr;
    MetricTile* m_pixels = nullptr;
    MetricTile* m_clicks = nullptr;
    MetricTile* m_ghostBounces = nullptr;
};

} // namespace tarn::input
