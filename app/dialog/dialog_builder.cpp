#include "dialog_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "controls/kor_static.h"
#include "digit_edit.h"
#include "tab_host.h"

namespace kestrova::dialog {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (alphabetWidth / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

int DialogUnits::X(int units) const {
    return (units * baseX_ + 2) / 4;
}

int DialogUnits::Y(int units) const {
    return (units * baseY_ + 4) / 8;
}

QRect DialogUnits::Rect(const QRect& units) const {
    return QRect(X(units.x()), Y(units.y()), X(units.width()), Y(units.height()));
}

QFont DialogFont() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    return font;
}

namespace {

QWidget* CreateControl(const ControlTemplate& control, QWidget* host) {
    switch (control.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(control.caption, host);
            if (control.centred) {
                label->setAlignment(Qt::AlignCenter);
            }
            if (control.bordered) {
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
            }
            return label;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(control.caption, host);
        case ControlKind::PushButton: {
            auto* button = new QPushButton(control.caption, host);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(control.caption, host);
        case ControlKind::Combo: {
            auto* combo = new QComboBox(host);
            combo->addItems(control.items);
            combo->setCurrentIndex(-1);
            return combo;
        }
        case ControlKind::Edit:
            return new DigitEdit(host);
        case ControlKind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, host);
            slider->setTickPosition(QSlider::NoTicks);
            return slider;
        }
        case ControlKind::TabControl:
            return new TabHost(host);
        case ControlKind::Swatch:
            return new CKorStatic(host);
    }
    return nullptr;
}

}  // namespace

DialogControls BuildDialog(QWidget* host, const DialogTemplate& dialogTemplate) {
    const QFont font = DialogFont();
    host->setFont(font);
    const DialogUnits units(font);
    host->resize(units.X(dialogTemplate.size.width()), units.Y(dialogTemplate.size.height()));
    DialogControls controls;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(control, host);
        QRect geometry = units.Rect(control.rect);
        if (control.kind == ControlKind::Combo) {
            // The template's height is that of the open list; the closed box is one line.
            geometry.setHeight(std::min(geometry.height(), widget->sizeHint().height()));
        }
        widget->setGeometry(geometry);
        widget->setVisible(!control.hidden);
        widget->setProperty("controlId", control.id);
        if (control.id >= 0) {
            controls.Add(control.id, widget);
        }
    }
    return controls;
}

}  // namespace kestrova::dialog
