// Turns a dialog template into Qt widgets on a host widget, converting dialog units
// with the dialog font's metrics, and keeps every control findable by its id.
#pragma once

#include <QFont>
#include <QHash>
#include <QWidget>

#include "dialog_template.h"

namespace kestrova::dialog {

// Dialog-unit conversion: horizontal units are a quarter of the font's average
// character width, vertical units an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QRect Rect(const QRect& units) const;

private:
    int baseX_;
    int baseY_;
};

// The dialog font: the desktop's font at 8 points.
QFont DialogFont();

class DialogControls {
public:
    QWidget* Widget(int id) const { return controls_.value(id, nullptr); }
    template <typename T>
    T* Get(int id) const {
        return qobject_cast<T*>(Widget(id));
    }
    void Add(int id, QWidget* widget) { controls_.insert(id, widget); }
    QList<int> Ids() const { return controls_.keys(); }

private:
    QHash<int, QWidget*> controls_;
};

// Creates the template's controls as children of `host` and sizes the host to the
// template. Returns the controls that have an id.
DialogControls BuildDialog(QWidget* host, const DialogTemplate& dialogTemplate);

}  // namespace kestrova::dialog
