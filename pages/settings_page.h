// What every page of the main window shares: it is built from its dialog template,
// finds its controls by id, and tells the main window after each change it makes to
// the working copy. Enter and Escape never close or hide a page.
#pragma once

#include <QWidget>
#include <functional>

#include "app/dialog/dialog_builder.h"

namespace kestrova {

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(int templateId, QWidget* parent);

    QWidget* Control(int id) const { return controls_.Widget(id); }
    template <typename T>
    T* Get(int id) const {
        return controls_.Get<T>(id);
    }

    // Shows workingSettings.
    virtual void LoadFromSettings() {}
    // APPLY's collect step: writes the page's controls into workingSettings.
    virtual void StoreToSettings() {}
    virtual void EnableControls(bool) {}

    // The main window's change check, run after every change of workingSettings.
    void SetRefreshApplyButton(std::function<void()> refresh) { refreshApplyButton_ = std::move(refresh); }

protected:
    void RefreshApplyButton() const {
        if (refreshApplyButton_) {
            refreshApplyButton_();
        }
    }
    void keyPressEvent(QKeyEvent* event) override;
    // A click on the page stays on the page: it does not drag the window.
    void mousePressEvent(QMouseEvent* event) override;

    dialog::DialogControls controls_;

private:
    std::function<void()> refreshApplyButton_;
};

}  // namespace kestrova
