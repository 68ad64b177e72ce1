#include "platform/skin/SkinChooserDialog.h"

#include "platform/skin/SkinFile.h"
#include "platform/skin/StringTable.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace {
constexpr int kFolderRole = Qt::UserRole + 1;
}

SkinChooserDialog::SkinChooserDialog(const QString &folder, const QString &title, const QString &filter,
                                     QWidget *parent)
    : QDialog(parent), m_patterns(patternsOf(filter))
{
    setObjectName(QStringLiteral("SkinChooserDialog"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("SkinList"));
    m_preview = new QLabel(this);
    m_preview->setMinimumHeight(28);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(StringTable::text(QStringLiteral("MSG_BTN_OK")), QDialogButtonBox::AcceptRole);
    buttons->addButton(StringTable::text(QStringLiteral("MSG_BTN_CANCEL")), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    layout->addWidget(m_folderLabel);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_preview);
    layout->addWidget(buttons);
    resize(380, 320);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_list->currentItem())
            activate(m_list->currentItem());
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &SkinChooserDialog::activate);
    connect(m_list, &QListWidget::currentItemChanged, this, &SkinChooserDialog::showPreview);
    showFolder(folder);
}

QStringList SkinChooserDialog::patternsOf(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList patterns;
    if (parts.size() >= 2)
        for (const QString &p : parts[1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << p.trimmed();
    if (patterns.isEmpty())
        patterns << QStringLiteral("*.skn");
    return patterns;
}

void SkinChooserDialog::showFolder(const QString &folder)
{
    QDir dir(folder);
    m_folder = dir.absolutePath();
    m_folderLabel->setText(QDir::toNativeSeparators(m_folder));
    m_list->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    if (!dir.isRoot()) {
        auto *up = new QListWidgetItem(folderIcon, QStringLiteral(".."), m_list);
        up->setData(kFolderRole, true);
    }
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto *item = new QListWidgetItem(folderIcon, name, m_list);
        item->setData(kFolderRole, true);
    }
    for (const QString &name : dir.entryList(m_patterns, QDir::Files, QDir::Name | QDir::IgnoreCase))
        new QListWidgetItem(fileIcon, name, m_list);
    // The first skin, not "..", is what a user most likely wants.
    for (int i = 0; i < m_list->count(); ++i)
        if (!m_list->item(i)->data(kFolderRole).toBool()) {
            m_list->setCurrentRow(i);
            break;
        }
}

void SkinChooserDialog::activate(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString path = QDir(m_folder).filePath(item->text());
    if (item->data(kFolderRole).toBool()) {
        showFolder(path);
        return;
    }
    m_selected = QDir::toNativeSeparators(QDir::cleanPath(path));
    accept();
}

bool SkinChooserDialog::pick(const QString &name)
{
    const QList<QListWidgetItem *> found = m_list->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    m_list->setCurrentItem(found.first());
    activate(found.first());
    return true;
}

void SkinChooserDialog::showPreview()
{
    // A strip of the skin's main colours, so skins can be told apart
    // before one is applied; a file that does not read shows nothing.
    const QListWidgetItem *item = m_list->currentItem();
    m_preview->clear();
    if (!item || item->data(kFolderRole).toBool())
        return;
    const std::optional<SkinFile> skin = SkinFile::read(QDir(m_folder).filePath(item->text()));
    if (!skin)
        return;
    const QPalette::ColorRole roles[] = {QPalette::Window, QPalette::WindowText, QPalette::Button,
                                         QPalette::Base,   QPalette::Text,       QPalette::Highlight};
    QPixmap strip(6 * 28, 24);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int i = 0; i < 6; ++i) {
        painter.fillRect(i * 28, 0, 26, 24, skin->palette.color(QPalette::Active, roles[i]));
        painter.setPen(Qt::gray);
        painter.drawRect(i * 28, 0, 25, 23);
    }
    painter.end();
    m_preview->setPixmap(strip);
}

QString SkinChooserDialog::choose(QWidget *parent, const QString &folder, const QString &title, const QString &filter)
{
    SkinChooserDialog dialog(folder, title, filter, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFile() : QString();
}
