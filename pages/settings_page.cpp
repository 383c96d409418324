#include "settings_page.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kestrova {

SettingsPage::SettingsPage(int templateId, QWidget* parent) : QWidget(parent) {
    controls_ = dialog::BuildDialog(this, dialog::LoadDialogTemplate(templateId));
}

void SettingsPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace kestrova

namespace kestrova {

void SettingsPage::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

}  // namespace kestrova
