#include "message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace kestrova::dialog {

namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

void ShowMessageBox(QWidget* parent, const QString& text) {
    if (Handler()) {
        Handler()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace kestrova::dialog
