#include "platform/QtDialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The dialog suffix: the request's default extension, or the extension the user typed.
QString withSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

// Qt's font dialog has no text colour: the program's font dialog puts one beside it.
class FontColourDialog : public QDialog {
public:
    FontColourDialog(const FontChoice& initial, QWidget* parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("Police"));
        auto* layout = new QVBoxLayout(this);
        m_fonts = new QFontDialog(this);
        m_fonts->setWindowFlags(Qt::Widget);
        m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts | QFontDialog::DontUseNativeDialog);
        QFont f(initial.name);
        f.setPointSizeF(initial.pointSize > 0 ? initial.pointSize : 8.25);
        f.setBold(initial.bold);
        f.setItalic(initial.italic);
        f.setUnderline(initial.underline);
        m_fonts->setCurrentFont(f);
        layout->addWidget(m_fonts);

        auto* colourRow = new QHBoxLayout;
        colourRow->addWidget(new QLabel(QStringLiteral("Couleur :"), this));
        m_colour = new QComboBox(this);
        m_colour->setObjectName(QStringLiteral("Couleur"));
        const QList<QPair<QString, QColor>> couleurs = {
            {QStringLiteral("Noir"), QColor(0, 0, 0)},         {QStringLiteral("Bordeaux"), QColor(128, 0, 0)},
            {QStringLiteral("Vert"), QColor(0, 128, 0)},       {QStringLiteral("Olive"), QColor(128, 128, 0)},
            {QStringLiteral("Marine"), QColor(0, 0, 128)},     {QStringLiteral("Violet"), QColor(128, 0, 128)},
            {QStringLiteral("Sarcelle"), QColor(0, 128, 128)}, {QStringLiteral("Gris"), QColor(128, 128, 128)},
            {QStringLiteral("Argent"), QColor(192, 192, 192)}, {QStringLiteral("Rouge"), QColor(255, 0, 0)},
            {QStringLiteral("Citron vert"), QColor(0, 255, 0)}, {QStringLiteral("Jaune"), QColor(255, 255, 0)},
            {QStringLiteral("Bleu"), QColor(0, 0, 255)},       {QStringLiteral("Fuchsia"), QColor(255, 0, 255)},
            {QStringLiteral("Bleu clair"), QColor(0, 255, 255)}, {QStringLiteral("Blanc"), QColor(255, 255, 255)},
        };
        for (const auto& [nom, couleur] : couleurs)
            addColour(nom, couleur);
        int index = m_colour->findData(initial.colour);
        if (index < 0) {
            addColour(QStringLiteral("Personnalisée"), initial.colour);
            index = m_colour->count() - 1;
        }
        m_colour->setCurrentIndex(index);
        colourRow->addWidget(m_colour, 1);
        auto* other = new QPushButton(QStringLiteral("Autre..."), this);
        connect(other, &QPushButton::clicked, this, [this] {
            const QColor c = QColorDialog::getColor(m_colour->currentData().value<QColor>(), this);
            if (!c.isValid())
                return;
            int i = m_colour->findData(c);
            if (i < 0) {
                addColour(QStringLiteral("Personnalisée"), c);
                i = m_colour->count() - 1;
            }
            m_colour->setCurrentIndex(i);
        });
        colourRow->addWidget(other);
        layout->addLayout(colourRow);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
    }

    FontChoice choice() const
    {
        const QFont f = m_fonts->currentFont();
        FontChoice c;
        c.name = f.family();
        c.pointSize = f.pointSizeF();
        c.bold = f.bold();
        c.italic = f.italic();
        c.underline = f.underline();
        c.strikeOut = f.strikeOut();
        c.colour = m_colour->currentData().value<QColor>();
        return c;
    }

private:
    void addColour(const QString& name, const QColor& colour)
    {
        QPixmap swatch(16, 16);
        swatch.fill(colour);
        m_colour->addItem(QIcon(swatch), name, colour);
    }

    QFontDialog* m_fonts;
    QComboBox* m_colour;
};
}  // namespace

QString QtDialogs::qtNameFilter(const QString& designedFilter)
{
    const QStringList parts = designedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = parts[i + 1];
        const qsizetype open = description.indexOf(QLatin1Char('('));
        if (open >= 0)
            description = description.left(open).trimmed();
        filters.append(QStringLiteral("%1 (%2)").arg(description, pattern));
    }
    if (filters.isEmpty())
        filters.append(designedFilter);
    return filters.join(QStringLiteral(";;"));
}

Answer QtDialogs::question(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void QtDialogs::message(MessageIcon icon, const QString& title, const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qtIcon(icon), title, shown, QMessageBox::Ok, m_parent);
    box.exec();
}

namespace {
// Qt's own file dialog, not the desktop's: its filters match in any case ("*.PLV" offers
// "amis.plv" too) while they show as designed, and it speaks the program's French.
void commeConcu(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}
}  // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, request.initialPath, qtNameFilter(request.filter));
    commeConcu(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.initialPath.isEmpty())
        dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, request.initialPath, qtNameFilter(request.filter));
    commeConcu(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);  // Qt asks before replacing a file
    if (!request.initialPath.isEmpty())
        dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return withSuffix(dialog.selectedFiles().constFirst(), request.defaultSuffix);
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial)
{
    FontColourDialog dialog(initial, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
