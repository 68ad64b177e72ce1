#include "platform/skin/SkinData.h"

#include "platform/NativePath.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>
#include <QStyleFactory>

SkinData &SkinData::shared()
{
    static SkinData data;
    return data;
}

bool SkinData::load(const QString &path)
{
    const QString native = nativePath(path);
    std::optional<SkinFile> skin = SkinFile::read(native, &m_lastError);
    if (!skin)
        return false;
    m_skin = std::move(*skin);
    m_fileName = QFileInfo(native).fileName();
    m_loaded = true;
    m_lastError.clear();
    apply();
    return true;
}

void SkinData::apply() const
{
    // Fusion draws every control from the palette alone, so the skin's
    // colours hold on every desktop.
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(m_skin.palette);
    qApp->setStyleSheet(m_skin.styleSheet);
}
