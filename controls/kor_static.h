// A colour swatch: paints its whole rectangle in one solid colour and nothing else.
// The colour is a 0x00BBGGRR value (red in the low byte); light grey until set.
#pragma once

#include <QWidget>
#include <cstdint>

class CKorStatic : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kDefaultFillColour = 0xF0F0F0;

    explicit CKorStatic(QWidget* parent = nullptr);

    void SetFillColour(std::uint32_t colourBgr);
    std::uint32_t FillColour() const { return fillColour_; }
    // The fill as a Qt colour.
    QColor FillQColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t fillColour_ = kDefaultFillColour;
};
