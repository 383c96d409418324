// "  Basic Settings  " (template 135): CPI levels with X and Y linked or apart, the
// lift-off distance, angle snapping, ripple control and the lift-off LED. Every user
// change goes at once into workingSettings; nothing is sent from here.
#pragma once

#include <array>
#include <cstdint>

#include "app/dialog/change_guard.h"
#include "settings_page.h"

class QCheckBox;
class QComboBox;
class QSlider;
class CKorStatic;

namespace kestrova {

namespace dialog {
class DigitEdit;
}

class CSensorDlg : public SettingsPage {
    Q_OBJECT
public:
    static constexpr int kLevels = 4;
    static constexpr int kLodComboId = 1024;
    static constexpr int kLevelsComboId = 1019;
    static constexpr int kAngleSnappingId = 1064;
    static constexpr int kDisableLedId = 1066;
    static constexpr int kSeparateXYId = 1063;
    static constexpr int kRippleControlId = 1065;
    static constexpr int kXSliderIds[kLevels] = {1029, 1030, 1031, 1032};
    static constexpr int kYSliderIds[kLevels] = {1037, 1038, 1040, 1041};
    static constexpr int kXEditIds[kLevels] = {1020, 1021, 1022, 1023};
    static constexpr int kYEditIds[kLevels] = {1025, 1026, 1027, 1042};
    static constexpr int kLevelLabelIds[kLevels] = {1033, 1034, 1035, 1036};
    static constexpr int kSwatchIds[kLevels] = {1039, 1043, 1052, 1053};
    static constexpr int kXLabelIds[kLevels] = {1044, 1046, 1048, 1050};
    static constexpr int kYLabelIds[kLevels] = {1045, 1047, 1049, 1051};
    static constexpr std::uint32_t kSwatchColours[kLevels] = {0xFF0000, 0x00FF00, 0x00FFFF, 0x0000FF};
    static constexpr const char* kNotANumberPrompt = "Enter a positive integer.";

    explicit CSensorDlg(QWidget* parent);
    ~CSensorDlg() override;

    void LoadFromSettings() override;
    void StoreToSettings() override;
    void EnableControls(bool enable) override;

    // Page state: the values of each level and whether X and Y are set apart.
    std::uint32_t XValue(int level) const { return xValues_[level]; }
    std::uint32_t YValue(int level) const { return yValues_[level]; }
    bool SeparateMode() const { return separateXY_ != 0; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    enum class Axis { X, Y };
    struct EditRef {
        int level = -1;
        Axis axis = Axis::X;
        bool Valid() const { return level >= 0; }
    };

    void WritePageValues();
    // False when an edit held no number (the user has been prompted).
    bool ReadPageValues();
    void OnSliderMoved(int level, Axis axis, int position);
    void OnEditChanged(EditRef edit);
    void CommitCpiEdit(EditRef edit);
    void OnLevelsChosen(int index);
    void OnSeparateXYClicked();
    void ShowLevelRows(int count);
    // Puts a committed value into the edit's text and runs the change handling.
    void SetEditValue(EditRef edit, std::uint32_t value);
    void MoveSlider(EditRef edit, std::uint32_t value);
    EditRef EditOf(const QWidget* widget) const;
    EditRef FocusedEdit() const;

    dialog::DigitEdit* Edit(EditRef edit) const;
    QSlider* Slider(EditRef edit) const;
    std::uint32_t& Value(EditRef edit);
    std::uint16_t& RecordField(EditRef edit) const;

    QComboBox* lodCombo_;
    QComboBox* levelsCombo_;
    QCheckBox* angleSnapping_;
    QCheckBox* disableLed_;
    QCheckBox* separateBox_;
    QCheckBox* rippleControl_;
    std::array<std::uint32_t, kLevels> xValues_{400, 800, 1600, 3200};
    std::array<std::uint32_t, kLevels> yValues_{400, 800, 1600, 3200};
    int separateXY_ = 0;
    dialog::ChangeGuard pageValueWrite_;
};

}  // namespace kestrova
