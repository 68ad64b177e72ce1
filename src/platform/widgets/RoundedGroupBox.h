#pragma once

#include <QGroupBox>

// A group frame drawn with rounded corners and its caption set into the top
// edge. The colours come from the palette, so a skin restyles it.
class RoundedGroupBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit RoundedGroupBox(QWidget *parent = nullptr);
    explicit RoundedGroupBox(const QString &title, QWidget *parent = nullptr);

    // Sets the title and makes room for it (none when it is empty).
    void setCaption(const QString &caption);

    void setFrameVisible(bool visible);
    bool isFrameVisible() const { return m_frameVisible; }

    void setCornerRadius(int radius);

Q_SIGNALS:
    // The frame itself (not a child) was clicked.
    void frameClicked();

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateMargins();

    bool m_frameVisible = true;
    int m_radius = 7;
};
