#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QListWidgetItem;

// The open-skin dialog: lists the sub-folders and the skin files of a
// folder, lets the user walk the folders and shows the colours of the
// selected skin. Title and filter come from the caller (the language
// file); button captions from the string table.
class SkinChooserDialog : public QDialog
{
    Q_OBJECT
public:
    // filter: "Name (*.ext)|*.ext" pairs separated by '|'; the first
    // pair's patterns (separated by ';') select the files shown.
    SkinChooserDialog(const QString &folder, const QString &title, const QString &filter, QWidget *parent = nullptr);

    // The chosen file's native path, empty when none was chosen.
    QString selectedFile() const { return m_selected; }
    QString folder() const { return m_folder; }

    // Selects the entry named name and accepts, as a double-click would;
    // false when there is no such entry.
    bool pick(const QString &name);

    // Shows the dialog modally; the chosen file's native path or empty.
    static QString choose(QWidget *parent, const QString &folder, const QString &title, const QString &filter);

    static QStringList patternsOf(const QString &filter);

private:
    void showFolder(const QString &folder);
    void activate(QListWidgetItem *item);
    void showPreview();

    QString m_folder;
    QString m_selected;
    QStringList m_patterns;
    QLabel *m_folderLabel = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_preview = nullptr;
};
