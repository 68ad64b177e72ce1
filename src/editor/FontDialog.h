#pragma once

#include "platform/rtf/CharAttributes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

// Our font dialog: name, style, size, strike-out, underline, colour and
// script, with a sample. It keeps the font it showed last, so a caller that
// loads nothing into it gets that font again. Labels come from the string
// table; the effect boxes from the editor's hints.
class FontDialog : public QDialog
{
    Q_OBJECT
public:
    enum Option {
        ShowEffects = 0x1,         // strike-out, underline and colour
        ExistingFontsOnly = 0x2,   // a typed name must be an installed family
        LimitSize = 0x4,           // sizes only within sizeRange()
    };
    Q_DECLARE_FLAGS(Options, Option)

    explicit FontDialog(QWidget *parent = nullptr);

    void setOptions(Options options);
    Options options() const { return m_options; }
    void setSizeRange(int minimum, int maximum);

    void setAttributes(const CharAttributes &attributes);
    CharAttributes attributes() const;

    void retranslate();

    // Accepts only when the typed name is acceptable under the options.
    void accept() override;

private:
    void fillStyles();
    void updateSample();
    void applyOptions();

    Options m_options = Options(ShowEffects) | ExistingFontsOnly;
    int m_minSize = 1;
    int m_maxSize = 1638;
    QLineEdit *m_name = nullptr;
    QListWidget *m_names = nullptr;
    QComboBox *m_style = nullptr;
    QSpinBox *m_size = nullptr;
    QGroupBox *m_effects = nullptr;
    QCheckBox *m_strikeOut = nullptr;
    QCheckBox *m_underline = nullptr;
    QComboBox *m_color = nullptr;
    QComboBox *m_script = nullptr;
    QLabel *m_sample = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_styleLabel = nullptr;
    QLabel *m_sizeLabel = nullptr;
    QLabel *m_colorLabel = nullptr;
    QLabel *m_scriptLabel = nullptr;
    QGroupBox *m_sampleBox = nullptr;
    class QPushButton *m_ok = nullptr;
    class QPushButton *m_cancel = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FontDialog::Options)
