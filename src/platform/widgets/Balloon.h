#pragma once

#include <QWidget>

// A balloon: a frameless top-level window drawing a rounded bubble with a
// tail whose tip sits at a given screen point, an information icon, a bold
// title and text wrapped at a maximum width.
class Balloon : public QWidget
{
    Q_OBJECT
public:
    explicit Balloon(QWidget *owner = nullptr);

    void setTitle(const QString &title) { m_title = title; m_dirty = true; }
    void setText(const QString &text) { m_text = text; m_dirty = true; }
    void setShowsTitle(bool on) { m_showsTitle = on; m_dirty = true; }
    void setMaxTextWidth(int width) { m_maxWidth = width; m_dirty = true; }
    // 255 is opaque.
    void setOpacity(int opacity);
    // Places the tip of the tail at `screenPoint`; with `centred` the bubble
    // is centred on the point instead and draws no tail.
    void setTip(const QPoint &screenPoint, bool centred);

    QString title() const { return m_title; }
    QString text() const { return m_text; }
    QPoint tip() const { return m_tip; }
    // The bubble's text area width the text is wrapped to.
    int textWidth() const { return m_textRect.width(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void layoutBalloon();

    QString m_title;
    QString m_text;
    bool m_showsTitle = true;
    bool m_centred = false;
    int m_maxWidth = 300;
    QPoint m_tip;
    QRect m_bubble;     // in widget coordinates
    QRect m_textRect;
    QRect m_titleRect;
    QRect m_iconRect;
    bool m_tailUp = true;  // the bubble hangs below the tip
    bool m_dirty = true;
};
