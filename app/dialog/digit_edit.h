// A digits-only edit box that reports every text change, focus-in and focus-out.
#pragma once

#include <QLineEdit>

namespace kestrova::dialog {

class DigitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DigitEdit(QWidget* parent = nullptr);
    // Replaces the text only where it differs, as page-value writes do.
    void SetTextIfDifferent(const QString& text);

signals:
    void focusEntered();
    void focusLeft();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace kestrova::dialog
