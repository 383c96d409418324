// Dialog templates as data: every control with its numeric id, kind, caption and
// rectangle in dialog units, read from the JSON files under resources/templates.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace kestrova::dialog {

enum class ControlKind { Static, GroupBox, PushButton, CheckBox, Combo, Edit, Slider, TabControl, Swatch };

struct ControlTemplate {
    int id = -1;  // -1 for controls nobody looks up
    ControlKind kind = ControlKind::Static;
    QString caption;
    QStringList items;
    QRect rect;  // dialog units
    bool hidden = false;
    bool centred = false;
    bool bordered = false;
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QSize size;  // dialog units
    std::vector<ControlTemplate> controls;
};

// Reads template `id` from the application's resources; an empty template (id 0)
// when it is missing or malformed.
DialogTemplate LoadDialogTemplate(int id);

}  // namespace kestrova::dialog
