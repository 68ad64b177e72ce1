#pragma once

#include <QWidget>

class QToolButton;

// The strip of numbered bookmark tabs under the body editor: tabs of
// 32 × 20 pixels captioned 1 to n, scrolled by two arrow buttons when they
// do not fit. No tab is selected until one is pressed.
class BookmarkTabStrip : public QWidget
{
    Q_OBJECT
public:
    static constexpr int TabWidth = 32;
    static constexpr int TabHeight = 20;

    explicit BookmarkTabStrip(QWidget *parent = nullptr);

    void setTabCount(int count);
    int tabCount() const { return m_count; }
    int selectedTab() const { return m_selected; }
    void setSelectedTab(int index);
    int firstVisibleTab() const { return m_first; }
    void setFirstVisibleTab(int index);

    // The tab under a point of the strip, or -1.
    int tabAt(const QPoint &pos) const;
    QRect tabRect(int index) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void tabPressed(int index);
    // The pointer rests over a tab (index), or left the tabs (-1).
    void tabHovered(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int tabsWidth() const;  // room for tabs, without the arrows
    void updateArrows();

    int m_count = 0;
    int m_selected = -1;
    int m_first = 0;
    int m_hovered = -1;
    QToolButton *m_left = nullptr;
    QToolButton *m_right = nullptr;
};
