#include "digit_edit.h"

#include <QRegularExpressionValidator>

namespace kestrova::dialog {

DigitEdit::DigitEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void DigitEdit::SetTextIfDifferent(const QString& value) {
    if (text() != value) {
        setText(value);
    }
}

void DigitEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit focusEntered();
}

void DigitEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLeft();
}

}  // namespace kestrova::dialog
