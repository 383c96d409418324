// The one way the tool shows a message: modal, OK only. Tests install a handler
// that records the text instead of showing a box.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kestrova::dialog {

using MessageBoxHandler = std::function<void(QWidget* parent, const QString& text)>;

void ShowMessageBox(QWidget* parent, const QString& text);
// An empty handler restores the real message box.
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace kestrova::dialog
