#include "sensor_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QSlider>
#include <limits>

#include "app/dialog/digit_edit.h"
#include "app/dialog/message_box.h"
#include "controls/kor_static.h"
#include "device/settings.h"

namespace kestrova {

namespace {

constexpr int kCpiStep = 50;
constexpr int kSliderMaximum = 26000 / kCpiStep;

// The number at the start of the text, held at the largest value instead of
// overflowing; `found` tells whether there was one.
std::uint32_t LeadingNumber(const QString& text, bool& found) {
    std::uint64_t value = 0;
    found = false;
    for (const QChar character : text) {
        if (!character.isDigit() || character.unicode() > '9') {
            break;
        }
        found = true;
        value = std::min<std::uint64_t>(value * 10 + (character.unicode() - '0'),
                                        std::numeric_limits<std::uint32_t>::max());
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

CSensorDlg::CSensorDlg(QWidget* parent)
    : SettingsPage(135, parent),
      lodCombo_(Get<QComboBox>(kLodComboId)),
      levelsCombo_(Get<QComboBox>(kLevelsComboId)),
      angleSnapping_(Get<QCheckBox>(kAngleSnappingId)),
      disableLed_(Get<QCheckBox>(kDisableLedId)),
      separateBox_(Get<QCheckBox>(kSeparateXYId)),
      rippleControl_(Get<QCheckBox>(kRippleControlId)) {
    for (int level = 0; level < kLevels; ++level) {
        Get<CKorStatic>(kSwatchIds[level])->SetFillColour(kSwatchColours[level]);
        for (Axis axis : {Axis::X, Axis::Y}) {
            const EditRef ref{level, axis};
            QSlider* slider = Slider(ref);
            slider->setRange(1, kSliderMaximum);
            MoveSlider(ref, Value(ref));
            connect(slider, &QSlider::valueChanged, this,
                    [this, level, axis](int position) { OnSliderMoved(level, axis, position); });
            dialog::DigitEdit* edit = Edit(ref);
            connect(edit, &QLineEdit::textEdited, this, [this, ref] { OnEditChanged(ref); });
            connect(edit, &dialog::DigitEdit::focusEntered, this, [this, ref] { CommitCpiEdit(ref); });
            connect(edit, &dialog::DigitEdit::focusLeft, this, [this, ref] { CommitCpiEdit(ref); });
            connect(edit, &QLineEdit::returnPressed, this, [this, ref] {
                CommitCpiEdit(ref);
                WritePageValues();
            });
        }
    }
    lodCombo_->setCurrentIndex(0);
    levelsCombo_->setCurrentIndex(kLevels - 1);
    WritePageValues();

    connect(levelsCombo_, &QComboBox::activated, this, &CSensorDlg::OnLevelsChosen);
    connect(separateBox_, &QCheckBox::clicked, this, &CSensorDlg::OnSeparateXYClicked);
    connect(lodCombo_, &QComboBox::activated, this, [this](int index) {
        workingSettings.liftOffDistance = index == 1 ? 2 : 1;
        RefreshApplyButton();
    });
    connect(angleSnapping_, &QCheckBox::clicked, this, [this](bool checked) {
        workingSettings.angleSnapping = checked ? 1 : 0;
        RefreshApplyButton();
    });
    connect(rippleControl_, &QCheckBox::clicked, this, [this](bool checked) {
        workingSettings.rippleControl = checked ? 1 : 0;
        RefreshApplyButton();
    });
    connect(disableLed_, &QCheckBox::clicked, this, [this](bool checked) {
        workingSettings.liftOffLed = checked ? 0 : 1;
        RefreshApplyButton();
    });
}

CSensorDlg::~CSensorDlg() {
    // Focus moves while the window is torn down must not reach a page that is gone.
    for (int level = 0; level < kLevels; ++level) {
        Edit({level, Axis::X})->disconnect(this);
        Edit({level, Axis::Y})->disconnect(this);
    }
}

dialog::DigitEdit* CSensorDlg::Edit(EditRef edit) const {
    return Get<dialog::DigitEdit>(edit.axis == Axis::X ? kXEditIds[edit.level] : kYEditIds[edit.level]);
}

QSlider* CSensorDlg::Slider(EditRef edit) const {
    return Get<QSlider>(edit.axis == Axis::X ? kXSliderIds[edit.level] : kYSliderIds[edit.level]);
}

std::uint32_t& CSensorDlg::Value(EditRef edit) {
    return edit.axis == Axis::X ? xValues_[edit.level] : yValues_[edit.level];
}

std::uint16_t& CSensorDlg::RecordField(EditRef edit) const {
    CpiLevel& level = workingSettings.cpiLevels[edit.level];
    return edit.axis == Axis::X ? level.cpiX : level.cpiY;
}

void CSensorDlg::MoveSlider(EditRef edit, std::uint32_t value) {
    QSlider* slider = Slider(edit);
    const QSignalBlocker blocker(slider);
    slider->setValue(static_cast<int>(value / kCpiStep));
}

CSensorDlg::EditRef CSensorDlg::EditOf(const QWidget* widget) const {
    for (int level = 0; level < kLevels; ++level) {
        for (Axis axis : {Axis::X, Axis::Y}) {
            if (Edit({level, axis}) == widget) {
                return {level, axis};
            }
        }
    }
    return {};
}

CSensorDlg::EditRef CSensorDlg::FocusedEdit() const {
    return EditOf(focusWidget() != nullptr && focusWidget()->hasFocus() ? focusWidget() : nullptr);
}

void CSensorDlg::WritePageValues() {
    const dialog::ChangeGuard::Scope writing(pageValueWrite_);
    for (int level = 0; level < kLevels; ++level) {
        Edit({level, Axis::X})->SetTextIfDifferent(QString::number(xValues_[level]));
        Edit({level, Axis::Y})->SetTextIfDifferent(QString::number(yValues_[level]));
    }
    separateBox_->setChecked(separateXY_ != 0);
}

bool CSensorDlg::ReadPageValues() {
    const dialog::ChangeGuard::Scope reading(pageValueWrite_);
    for (Axis axis : {Axis::X, Axis::Y}) {
        for (int level = 0; level < kLevels; ++level) {
            const EditRef ref{level, axis};
            bool found = false;
            const std::uint32_t value = LeadingNumber(Edit(ref)->text(), found);
            if (!found) {
                // The prompt takes the focus, which commits the emptied edit; then the
                // focus goes back to it with its text selected.
                Edit(ref)->clearFocus();
                dialog::ShowMessageBox(this, QString::fromLatin1(kNotANumberPrompt));
                Edit(ref)->setFocus(Qt::OtherFocusReason);
                Edit(ref)->selectAll();
                return false;
            }
            Value(ref) = value;
        }
    }
    separateXY_ = separateBox_->isChecked() ? 1 : 0;
    return true;
}

void CSensorDlg::OnSliderMoved(int level, Axis axis, int position) {
    const auto value = static_cast<std::uint32_t>(position * kCpiStep);
    const EditRef moved{level, axis};
    if (separateXY_ == 0) {
        xValues_[level] = yValues_[level] = value;
        MoveSlider({level, axis == Axis::X ? Axis::Y : Axis::X}, value);
        workingSettings.cpiLevels[level].cpiX = static_cast<std::uint16_t>(value);
        workingSettings.cpiLevels[level].cpiY = static_cast<std::uint16_t>(value);
    } else {
        Value(moved) = value;
        RecordField(moved) = static_cast<std::uint16_t>(value);
    }
    RefreshApplyButton();
    WritePageValues();
}

void CSensorDlg::OnEditChanged(EditRef edit) {
    if (pageValueWrite_.Active()) {
        return;
    }
    ReadPageValues();
    Value(edit) = NormalizeCpi(Value(edit));
    RecordField(edit) = static_cast<std::uint16_t>(Value(edit));
    RefreshApplyButton();
}

void CSensorDlg::SetEditValue(EditRef edit, std::uint32_t value) {
    dialog::DigitEdit* box = Edit(edit);
    const QString text = QString::number(value);
    if (box->text() != text) {
        const QSignalBlocker blocker(box);
        box->setText(text);
    }
    // Setting the text counts as a change, as typing does.
    OnEditChanged(edit);
}

void CSensorDlg::CommitCpiEdit(EditRef edit) {
    // An empty box reads as 0, which rounds to the smallest value, 50.
    bool found = false;
    const std::uint32_t value = NormalizeCpi(LeadingNumber(Edit(edit)->text(), found));
    const std::array<EditRef, 2> targets = {edit, EditRef{edit.level, edit.axis == Axis::X ? Axis::Y : Axis::X}};
    for (std::size_t i = 0; i < (separateXY_ == 0 ? 2u : 1u); ++i) {
        Value(targets[i]) = value;
        MoveSlider(targets[i], value);
        SetEditValue(targets[i], value);
    }
}

void CSensorDlg::OnLevelsChosen(int index) {
    const int count = index + 1;
    ShowLevelRows(count);
    workingSettings.cpiLevelCount = static_cast<std::uint8_t>(count);
    RefreshApplyButton();
}

void CSensorDlg::OnSeparateXYClicked() {
    ReadPageValues();
    if (separateXY_ != 0) {
        return;
    }
    for (int level = 0; level < kLevels; ++level) {
        const QSlider* xSlider = Slider({level, Axis::X});
        MoveSlider({level, Axis::Y}, static_cast<std::uint32_t>(xSlider->value() * kCpiStep));
        yValues_[level] = xValues_[level];
        workingSettings.cpiLevels[level].cpiY = static_cast<std::uint16_t>(yValues_[level]);
    }
    RefreshApplyButton();
    WritePageValues();
}

void CSensorDlg::ShowLevelRows(int count) {
    const bool showAll = count < 1 || count > kLevels;
    for (int level = 1; level < kLevels; ++level) {
        const bool visible = showAll || level < count;
        for (int id : {kLevelLabelIds[level], kSwatchIds[level], kXLabelIds[level], kYLabelIds[level],
                       kXSliderIds[level], kYSliderIds[level], kXEditIds[level], kYEditIds[level]}) {
            Control(id)->setVisible(visible);
        }
    }
}

void CSensorDlg::LoadFromSettings() {
    const SettingsRecord& record = workingSettings;
    disableLed_->setChecked(record.liftOffLed != 1);
    lodCombo_->setCurrentIndex(record.liftOffDistance == 2 ? 1 : 0);
    angleSnapping_->setChecked(record.angleSnapping == 1);
    rippleControl_->setChecked(record.rippleControl == 1);
    levelsCombo_->setCurrentIndex(record.cpiLevelCount >= 1 && record.cpiLevelCount <= 3
                                      ? record.cpiLevelCount - 1
                                      : kLevels - 1);
    separateXY_ = record.cpiLevels[0].separateXY != 0 ? 1 : 0;
    for (int level = 0; level < kLevels; ++level) {
        xValues_[level] = NormalizeCpi(record.cpiLevels[level].cpiX);
        yValues_[level] = NormalizeCpi(record.cpiLevels[level].cpiY);
        MoveSlider({level, Axis::X}, xValues_[level]);
        MoveSlider({level, Axis::Y}, yValues_[level]);
    }
    ShowLevelRows(record.cpiLevelCount);
    WritePageValues();
}

void CSensorDlg::StoreToSettings() {
    ReadPageValues();
    SettingsRecord& record = workingSettings;
    record.liftOffDistance = lodCombo_->currentIndex() == 1 ? 2 : 1;
    record.angleSnapping = angleSnapping_->isChecked() ? 1 : 0;
    record.liftOffLed = disableLed_->isChecked() ? 0 : 1;
    record.rippleControl = rippleControl_->isChecked() ? 1 : 0;
    const int levelsIndex = levelsCombo_->currentIndex();
    if (levelsIndex >= 0 && levelsIndex < kLevels) {
        record.cpiLevelCount = static_cast<std::uint8_t>(levelsIndex + 1);
    }
    for (int level = 0; level < kLevels; ++level) {
        CpiLevel& entry = record.cpiLevels[level];
        entry.cpiX = static_cast<std::uint16_t>(xValues_[level]);
        entry.cpiY = static_cast<std::uint16_t>(yValues_[level]);
        entry.separateXY = xValues_[level] != yValues_[level] ? 1 : 0;
    }
}

void CSensorDlg::EnableControls(bool enable) {
    for (QWidget* control : std::initializer_list<QWidget*>{lodCombo_, levelsCombo_, angleSnapping_, disableLed_,
                                                             separateBox_, rippleControl_}) {
        control->setEnabled(enable);
    }
    for (int level = 0; level < kLevels; ++level) {
        for (Axis axis : {Axis::X, Axis::Y}) {
            Slider({level, axis})->setEnabled(enable);
            Edit({level, axis})->setEnabled(enable);
        }
    }
}

void CSensorDlg::mousePressEvent(QMouseEvent* event) {
    // A click on the background commits the edit being typed in.
    const EditRef focused = FocusedEdit();
    if (focused.Valid()) {
        CommitCpiEdit(focused);
        WritePageValues();
    }
    SettingsPage::mousePressEvent(event);
}

}  // namespace kestrova
