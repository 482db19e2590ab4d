#pragma once

// One connected pointing device in the Hardware screen's grid: its category, brand and
// connection chips, product and category texts, battery chip, and six hardware facts. A pure
// view of one device value: no controls, and the screen builds a new card when the device changes.

#include <string>

#include <QColor>
#include <QStringList>
#include <QWidget>

#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"
#include "TarnKit/Localization/TarnLanguage.h"

class QLabel;

namespace tarn::input {

class CapsuleChip;

class MouseDeviceHardwareCard : public QWidget {
    Q_OBJECT

public:
    MouseDeviceHardwareCard(
        const ConnectedPointerDevice& device, TarnLanguage language, QColor accent, QWidget* parent = nullptr);

    // The six hardware facts of the lower grid, in order: labels and their values ("—" for a
    // missing value).
    static QStringList specLabels(TarnLanguage language);
    static QStringList specValues(const ConnectedPointerDevice& device);
    // The serial as shown: its first 12 characters and "…" when longer.
    static QString shownSerial(const std::string& serial);

    QString brandChipText() const;
    QString connectionChipText() const;
    QString productText() const;
    QString categoryText() const;
    // Empty when the device reports no battery.
    QString batteryText() const;
    std::string batterySymbol() const;
    QColor batterySymbolColor() const;
    QColor borderColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader(TarnLanguage language);
    QWidget* buildSpecGrid(TarnLanguage language);

    ConnectedPointerDevice m_device;
    QColor m_accent;
    CapsuleChip* m_brandChip = nullptr;
    CapsuleChip* m_connectionChip = nullptr;
    QLabel* m_product = nullptr;
    QLabel* m_category = nullptr;
};

} // namespace tarn::input
