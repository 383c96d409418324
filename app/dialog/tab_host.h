// The tab control: a row of tabs over an area where the owner places its pages.
// The owner can refuse a user's change of tab; programmatic changes always pass.
#pragma once

#include <QTabBar>
#include <QWidget>
#include <functional>

namespace kestrova::dialog {

class LockableTabBar : public QTabBar {
    Q_OBJECT
public:
    using Gate = std::function<bool()>;
    explicit LockableTabBar(QWidget* parent = nullptr) : QTabBar(parent) {}
    void SetGate(Gate gate) { gate_ = std::move(gate); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool Allowed() const { return !gate_ || gate_(); }
    Gate gate_;
};

class TabHost : public QWidget {
    Q_OBJECT
public:
    explicit TabHost(QWidget* parent = nullptr);
    LockableTabBar* Bar() const { return bar_; }
    // Where pages go: one pixel in from the sides, 30 pixels below the top.
    QRect PageArea() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    LockableTabBar* bar_;
};

}  // namespace kestrova::dialog
