#include "platform/effects/WindowFader.h"

#include "platform/effects/Effects.h"

#include <QEvent>
#include <QVariantAnimation>
#include <QWidget>

#include <algorithm>

WindowFader::WindowFader(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("WindowFader"));
    window->installEventFilter(this);
}

WindowFader *WindowFader::of(const QWidget *window)
{
    return window ? window->findChild<WindowFader *>(QStringLiteral("WindowFader"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

WindowFader *WindowFader::apply(QWidget *window, double level, bool fading)
{
    if (!window)
        return nullptr;
    WindowFader *fader = of(window);
    if (!fader)
        fader = new WindowFader(window);
    fader->m_level = std::clamp(level, 0.0, 1.0);
    fader->m_fading = fading;
    if (fader->m_animation)
        fader->m_animation->stop();
    window->setWindowOpacity(fader->m_level);
    return fader;
}

void WindowFader::fadeIn()
{
    if (!m_fading || Effects::instant()) {
        m_window->setWindowOpacity(m_level);
        return;
    }
    if (!m_animation) {
        m_animation = new QVariantAnimation(this);
        connect(m_animation, &QVariantAnimation::valueChanged, this,
                [this](const QVariant &value) { m_window->setWindowOpacity(value.toDouble()); });
    }
    m_animation->stop();
    m_animation->setDuration(kFadeMs);
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(m_level);
    m_window->setWindowOpacity(0.0);
    m_animation->start();
}

bool WindowFader::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show)
        fadeIn();
    return QObject::eventFilter(watched, event);
}
