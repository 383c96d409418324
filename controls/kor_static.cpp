#include "kor_static.h"

#include <QPainter>

CKorStatic::CKorStatic(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted here; nothing of the parent needs to show through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CKorStatic::SetFillColour(std::uint32_t colourBgr) {
    fillColour_ = colourBgr;
    update();
}

QColor CKorStatic::FillQColor() const {
    return QColor(static_cast<int>(fillColour_ & 0xFF), static_cast<int>((fillColour_ >> 8) & 0xFF),
                  static_cast<int>((fillColour_ >> 16) & 0xFF));
}

void CKorStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), FillQColor());
}
