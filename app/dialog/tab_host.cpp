#include "tab_host.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace kestrova::dialog {

void LockableTabBar::mousePressEvent(QMouseEvent* event) {
    if (!Allowed() && tabAt(event->position().toPoint()) != currentIndex()) {
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}

void LockableTabBar::keyPressEvent(QKeyEvent* event) {
    if (!Allowed()) {
        event->accept();
        return;
    }
    QTabBar::keyPressEvent(event);
}

void LockableTabBar::wheelEvent(QWheelEvent* event) {
    if (!Allowed()) {
        event->accept();
        return;
    }
    QTabBar::wheelEvent(event);
}

TabHost::TabHost(QWidget* parent) : QWidget(parent), bar_(new LockableTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
}

QRect TabHost::PageArea() const {
    return QRect(1, 30, width() - 2, height() - 31);
}

void TabHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), std::min(bar_->sizeHint().height(), 30));
}

void TabHost::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, bar_->height() - 1, width(), height() - bar_->height() + 1);
    frame.tabBarSize = bar_->size();
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace kestrova::dialog
