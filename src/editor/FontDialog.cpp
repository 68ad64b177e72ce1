#include "editor/FontDialog.h"

#include "platform/skin/StringTable.h"
#include "settings/Language.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

struct Charset
{
    int code;  // Windows \fcharset
    QFontDatabase::WritingSystem system;
};

// The scripts offered, named by the system's own names for them.
constexpr Charset kCharsets[] = {
    {0, QFontDatabase::Latin},       {204, QFontDatabase::Cyrillic}, {161, QFontDatabase::Greek},
    {162, QFontDatabase::Latin},     {238, QFontDatabase::Latin},    {186, QFontDatabase::Latin},
    {177, QFontDatabase::Hebrew},    {178, QFontDatabase::Arabic},   {222, QFontDatabase::Thai},
    {163, QFontDatabase::Vietnamese}, {128, QFontDatabase::Japanese}, {129, QFontDatabase::Korean},
    {134, QFontDatabase::SimplifiedChinese}, {136, QFontDatabase::TraditionalChinese},
    {2, QFontDatabase::Symbol},      {1, QFontDatabase::Any},
};

QString charsetName(const Charset &c)
{
    const QString system = QFontDatabase::writingSystemName(c.system);
    // Several Windows sets share Latin; their numbers tell them apart.
    return c.system == QFontDatabase::Latin && c.code != 0 ? system + QStringLiteral(" (%1)").arg(c.code) : system;
}

const QList<QColor> &colours()
{
    static const QList<QColor> list = {
        Qt::black, QColor(128, 0, 0), QColor(0, 128, 0), QColor(128, 128, 0), QColor(0, 0, 128),
        QColor(128, 0, 128), QColor(0, 128, 128), QColor(128, 128, 128), QColor(192, 192, 192),
        Qt::red, Qt::green, Qt::yellow, Qt::blue, Qt::magenta, Qt::cyan, Qt::white};
    return list;
}

} // namespace

FontDialog::FontDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_nameLabel = new QLabel(this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("FontNameEdit"));
    m_names = new QListWidget(this);
    m_names->setObjectName(QStringLiteral("FontNameList"));
    m_names->addItems(QFontDatabase::families());
    m_styleLabel = new QLabel(this);
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("FontStyleBox"));
    m_sizeLabel = new QLabel(this);
    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("FontSizeBox"));
    m_size->setRange(m_minSize, m_maxSize);

    m_effects = new QGroupBox(this);
    m_strikeOut = new QCheckBox(m_effects);
    m_strikeOut->setObjectName(QStringLiteral("StrikeOutCheckBox"));
    m_underline = new QCheckBox(m_effects);
    m_underline->setObjectName(QStringLiteral("UnderlineCheckBox"));
    m_colorLabel = new QLabel(m_effects);
    m_color = new QComboBox(m_effects);
    m_color->setObjectName(QStringLiteral("FontColorBox"));
    for (const QColor &c : colours()) {
        QPixmap swatch(24, 12);
        swatch.fill(c);
        m_color->addItem(QIcon(swatch), c.name(), c);
    }
    auto *effectsLayout = new QVBoxLayout(m_effects);
    effectsLayout->addWidget(m_strikeOut);
    effectsLayout->addWidget(m_underline);
    effectsLayout->addWidget(m_colorLabel);
    effectsLayout->addWidget(m_color);

    m_sampleBox = new QGroupBox(this);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz"), m_sampleBox);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(48);
    (new QVBoxLayout(m_sampleBox))->addWidget(m_sample);
    m_scriptLabel = new QLabel(this);
    m_script = new QComboBox(this);
    m_script->setObjectName(QStringLiteral("FontScriptBox"));
    for (const Charset &c : kCharsets)
        m_script->addItem(charsetName(c), c.code);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_nameLabel, 0, 0);
    grid->addWidget(m_name, 1, 0);
    grid->addWidget(m_names, 2, 0, 3, 1);
    grid->addWidget(m_styleLabel, 0, 1);
    grid->addWidget(m_style, 1, 1);
    grid->addWidget(m_sizeLabel, 0, 2);
    grid->addWidget(m_size, 1, 2);
    grid->addWidget(m_effects, 2, 1);
    grid->addWidget(m_sampleBox, 2, 2);
    grid->addWidget(m_scriptLabel, 3, 1);
    grid->addWidget(m_script, 3, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 5, 0, 1, 3);

    connect(m_names, &QListWidget::currentTextChanged, this, [this](const QString &family) {
        if (!family.isEmpty() && m_name->text() != family)
            m_name->setText(family);
    });
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &text) {
        const auto found = m_names->findItems(text, Qt::MatchFixedString);
        if (!found.isEmpty())
            m_names->setCurrentItem(found.first());
        fillStyles();
        updateSample();
    });
    for (QComboBox *box : {m_style, m_color, m_script})
        connect(box, &QComboBox::currentIndexChanged, this, &FontDialog::updateSample);
    connect(m_size, &QSpinBox::valueChanged, this, &FontDialog::updateSample);
    connect(m_strikeOut, &QCheckBox::toggled, this, &FontDialog::updateSample);
    connect(m_underline, &QCheckBox::toggled, this, &FontDialog::updateSample);
    connect(m_ok, &QPushButton::clicked, this, &FontDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    CharAttributes initial;
    initial.fontName = QFont().family();
    initial.pointSize = 10;
    initial.color = Qt::black;
    setAttributes(initial);
    retranslate();
    applyOptions();
}

void FontDialog::retranslate()
{
    const auto t = [](const char *name) { return StringTable::text(QString::fromLatin1(name)); };
    setWindowTitle(t("FONTDLG_NAME").remove(u':'));
    m_nameLabel->setText(t("FONTDLG_NAME"));
    m_styleLabel->setText(t("FONTDLG_STYLE"));
    m_sizeLabel->setText(t("FONTDLG_SIZE"));
    m_colorLabel->setText(t("FONTDLG_COLOR"));
    m_scriptLabel->setText(t("FONTDLG_SCRIPT"));
    m_sampleBox->setTitle(t("FONTDLG_EXAMPLE"));
    m_ok->setText(t("MSG_BTN_OK"));
    m_cancel->setText(t("MSG_BTN_CANCEL"));
    // The effect boxes share the editor toolbar's words for them, without
    // the key that follows in brackets.
    const LanguageFile language;
    const auto hint = [&language](const char *key) {
        QString text = language.text(QStringLiteral("Hints"), QString::fromLatin1(key));
        const qsizetype bracket = text.indexOf(QStringLiteral(" ("));
        return bracket > 0 ? text.left(bracket) : text;
    };
    m_strikeOut->setText(hint("StrikeOut"));
    m_underline->setText(hint("Underline"));
}

void FontDialog::setOptions(Options options)
{
    m_options = options;
    applyOptions();
}

void FontDialog::setSizeRange(int minimum, int maximum)
{
    m_minSize = qMax(1, minimum);
    m_maxSize = qMax(m_minSize, maximum);
    applyOptions();
}

void FontDialog::applyOptions()
{
    m_effects->setVisible(m_options & ShowEffects);
    if (m_options & LimitSize)
        m_size->setRange(m_minSize, m_maxSize);
    else
        m_size->setRange(1, 1638);
}

void FontDialog::fillStyles()
{
    const QString current = m_style->currentText();
    QStringList styles = QFontDatabase::styles(m_name->text());
    if (styles.isEmpty())
        styles = QFontDatabase::styles(QFont().family());
    m_style->blockSignals(true);
    m_style->clear();
    m_style->addItems(styles);
    const int keep = m_style->findText(current);
    m_style->setCurrentIndex(keep >= 0 ? keep : 0);
    m_style->blockSignals(false);
}

void FontDialog::setAttributes(const CharAttributes &a)
{
    m_name->setText(a.fontName);
    fillStyles();
    const QString style = QFontDatabase::styleString(
        [&] { QFont f(a.fontName); f.setBold(a.bold); f.setItalic(a.italic); return f; }());
    const int styleIndex = m_style->findText(style);
    if (styleIndex >= 0)
        m_style->setCurrentIndex(styleIndex);
    m_size->setValue(qRound(a.pointSize > 0 ? a.pointSize : 10));
    m_strikeOut->setChecked(a.strikeOut);
    m_underline->setChecked(a.underline);
    int colour = m_color->findData(a.color.isValid() ? a.color : QColor(Qt::black));
    if (colour < 0) {
        QPixmap swatch(24, 12);
        swatch.fill(a.color);
        m_color->addItem(QIcon(swatch), a.color.name(), a.color);
        colour = m_color->count() - 1;
    }
    m_color->setCurrentIndex(colour);
    const int script = m_script->findData(a.charset);
    m_script->setCurrentIndex(script >= 0 ? script : m_script->findData(1));
    updateSample();
}

CharAttributes FontDialog::attributes() const
{
    CharAttributes a;
    a.fontName = m_name->text();
    a.pointSize = m_size->value();
    const QFont styled = QFontDatabase::font(a.fontName, m_style->currentText(), qRound(a.pointSize));
    a.bold = styled.bold();
    a.italic = styled.italic();
    a.strikeOut = m_strikeOut->isChecked();
    a.underline = m_underline->isChecked();
    a.color = m_color->currentData().value<QColor>();
    a.charset = m_script->currentData().toInt();
    return a;
}

void FontDialog::updateSample()
{
    const CharAttributes a = attributes();
    QFont f(a.fontName);
    f.setPointSizeF(qMin(a.pointSize, 36.0));
    f.setBold(a.bold);
    f.setItalic(a.italic);
    f.setStrikeOut(a.strikeOut);
    f.setUnderline(a.underline);
    m_sample->setFont(f);
    QPalette pal = m_sample->palette();
    pal.setColor(QPalette::WindowText, a.color);
    m_sample->setPalette(pal);
}

void FontDialog::accept()
{
    if ((m_options & ExistingFontsOnly) && m_names->findItems(m_name->text(), Qt::MatchFixedString).isEmpty()) {
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
    QDialog::accept();
}
