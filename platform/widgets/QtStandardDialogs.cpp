#include "platform/widgets/QtStandardDialogs.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <QValidator>

namespace {
QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
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

// The face that a font name gives: fontconfig answers a name it does not have (Arial,
// Times New Roman) with another face (Liberation Sans, Liberation Serif), which is the
// one that prints and the only one Qt's font dialog can show.
QFont resolvedFace(const FontChoice& font, double pointSize)
{
    QFont asked(font.name);
    asked.setBold(font.bold);
    asked.setItalic(font.italic);
    const QFontInfo resolved(asked);
    QFont face(resolved.family());
    face.setStyleName(resolved.styleName()); // the face's own style name, as the dialog lists it
    face.setPointSizeF(pointSize);
    face.setUnderline(font.underline);
    return face;
}

// "8,25" or "8.25": a size in points, from 1 to 512 as Qt's dialog allows.
std::optional<double> pointSizeIn(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double size = text.toDouble(&ok);
    if (!ok || size < 1 || size > 512)
        return std::nullopt;
    return size;
}

// A font's own style name ("Bold Italic") in French ("Gras italique"), word by word; a
// word that is not a common English weight, slant or width stays as the font names it.
QString frenchStyleName(const QString& style)
{
    static const QHash<QString, QString> kWords = {
        {u"regular"_qs, u"Normal"_qs},
        {u"normal"_qs, u"Normal"_qs},
        {u"book"_qs, u"Normal"_qs},
        {u"roman"_qs, u"Romain"_qs},
        {u"bold"_qs, u"Gras"_qs},
        {u"italic"_qs, u"Italique"_qs},
        {u"oblique"_qs, u"Oblique"_qs},
        {u"light"_qs, u"Léger"_qs},
        {u"thin"_qs, u"Fin"_qs},
        {u"medium"_qs, u"Moyen"_qs},
        {u"semibold"_qs, u"Demi-gras"_qs},
        {u"demibold"_qs, u"Demi-gras"_qs},
        {u"extrabold"_qs, u"Extra-gras"_qs},
        {u"ultrabold"_qs, u"Extra-gras"_qs},
        {u"extralight"_qs, u"Extra-léger"_qs},
        {u"ultralight"_qs, u"Extra-léger"_qs},
        {u"black"_qs, u"Noir"_qs},
        {u"heavy"_qs, u"Noir"_qs},
        {u"condensed"_qs, u"Condensé"_qs},
        {u"narrow"_qs, u"Étroit"_qs},
        {u"expanded"_qs, u"Large"_qs},
    };
    QStringList words = style.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto french = kWords.constFind(words[i].toLower().remove(u'-'));
        if (french == kWords.cend())
            continue;
        words[i] = i == 0 ? *french : french->toLower();
    }
    return words.join(u' ');
}

// Shows the style list's names in French and leaves the names themselves, which are the
// dialog's keys to the font database, as they are.
class FrenchStyleNames : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale&) const override
    {
        return frenchStyleName(value.toString());
    }
};

// Qt's font dialog has no text colour: the program's font dialog puts one beside it.
//
// It opens on the face and size that the block really prints with, and gives back the
// block's own values for whatever the user left as shown: OK without a change keeps the
// name the file holds (Arial, not the Liberation Sans that stands for it here), its
// fractional size and its style, so that neither the file nor the print changes.
//
// Qt's dialog knows whole point sizes only, and the files hold fractional ones (8.25,
// 10.5). Its size box is taught to show and take them; the sample, whose font is the
// dialog's current font, carries the size shown.
class FontColourDialog : public QDialog {
public:
    FontColourDialog(const FontChoice& initial, QWidget* parent) : QDialog(parent), m_initial(initial)
    {
        setWindowTitle(QStringLiteral("Police"));
        auto* layout = new QVBoxLayout(this);
        m_fonts = new QFontDialog(this);
        m_fonts->setWindowFlags(Qt::Widget);
        m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts |
                            QFontDialog::DontUseNativeDialog);
        m_size = initial.pointSize > 0 ? initial.pointSize : 8.25;
        m_fonts->setCurrentFont(resolvedFace(initial, m_size));
        teachFractionalSizes();
        showStylesInFrench();
        layout->addWidget(m_fonts);

        auto* colourRow = new QHBoxLayout;
        colourRow->addWidget(new QLabel(QStringLiteral("Couleur :"), this));
        m_colour = new QComboBox(this);
        m_colour->setObjectName(QStringLiteral("Couleur"));
        const QList<QPair<QString, QColor>> couleurs = {
            {QStringLiteral("Noir"), QColor(0, 0, 0)},
            {QStringLiteral("Bordeaux"), QColor(128, 0, 0)},
            {QStringLiteral("Vert"), QColor(0, 128, 0)},
            {QStringLiteral("Olive"), QColor(128, 128, 0)},
            {QStringLiteral("Marine"), QColor(0, 0, 128)},
            {QStringLiteral("Violet"), QColor(128, 0, 128)},
            {QStringLiteral("Sarcelle"), QColor(0, 128, 128)},
            {QStringLiteral("Gris"), QColor(128, 128, 128)},
            {QStringLiteral("Argent"), QColor(192, 192, 192)},
            {QStringLiteral("Rouge"), QColor(255, 0, 0)},
            {QStringLiteral("Citron vert"), QColor(0, 255, 0)},
            {QStringLiteral("Jaune"), QColor(255, 255, 0)},
            {QStringLiteral("Bleu"), QColor(0, 0, 255)},
            {QStringLiteral("Fuchsia"), QColor(255, 0, 255)},
            {QStringLiteral("Bleu clair"), QColor(0, 255, 255)},
            {QStringLiteral("Blanc"), QColor(255, 255, 255)},
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

        m_onOpening = shown();
    }

    // What the dialog shows, value by value, with the block's own value wherever the
    // user left the one shown.
    FontChoice choice() const
    {
        const FontChoice now = shown();
        FontChoice c = now;
        if (now.name == m_onOpening.name)
            c.name = m_initial.name;
        if (now.pointSize == m_onOpening.pointSize)
            c.pointSize = m_initial.pointSize;
        if (now.bold == m_onOpening.bold)
            c.bold = m_initial.bold;
        if (now.italic == m_onOpening.italic)
            c.italic = m_initial.italic;
        if (now.underline == m_onOpening.underline)
            c.underline = m_initial.underline;
        if (now.colour == m_onOpening.colour)
            c.colour = m_initial.colour;
        return c;
    }

private:
    FontChoice shown() const
    {
        const QFont f = m_fonts->currentFont();
        FontChoice c;
        c.name = f.family();
        c.pointSize = m_sizeEdit ? m_size : f.pointSizeF();
        c.bold = f.bold();
        c.italic = f.italic();
        c.underline = f.underline();
        c.strikeOut = f.strikeOut();
        c.colour = m_colour->currentData().value<QColor>();
        return c;
    }

    // Finds the dialog's size box (the one line edit it gives a number validator), its size
    // list (the list under it) and its sample, and has them keep m_size. Should a later
    // Qt build its dialog otherwise, the dialog simply stays with whole sizes.
    void teachFractionalSizes()
    {
        for (QLineEdit* edit : m_fonts->findChildren<QLineEdit*>()) {
            if (qobject_cast<const QIntValidator*>(edit->validator()))
                m_sizeEdit = edit;
        }
        m_sample = m_fonts->findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
        auto* grid = qobject_cast<QGridLayout*>(m_fonts->layout());
        if (!m_sizeEdit || !m_sample || !grid) {
            m_sizeEdit = nullptr;
            return;
        }
        static const QRegularExpression kSize(QStringLiteral("\\d{0,3}([.,]\\d{0,2})?"));
        m_sizeEdit->setValidator(new QRegularExpressionValidator(kSize, m_sizeEdit));

        // Runs after the dialog's own handling. The user types a size; the dialog writes a
        // whole size when a size is picked in the list, and the whole size it keeps (its
        // own rounding of the one shown) when the face or the style changes.
        connect(m_sizeEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
            const std::optional<double> size = pointSizeIn(text);
            if (size && (m_sizeEdit->isModified() || qRound(*size) != qRound(m_size)))
                m_size = *size;
            showSize();
        });
        connect(m_fonts, &QFontDialog::currentFontChanged, this, [this] { showSize(); });
        // The whole size nearest the one shown is already the list's current line: picking
        // it again tells the dialog nothing, so the list's own click does.
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(m_sizeEdit), &row, &column, &rows, &columns);
        if (QLayoutItem* below = grid->itemAtPosition(row + 1, column)) {
            if (auto* list = qobject_cast<QAbstractItemView*>(below->widget()))
                connect(list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
                    if (const std::optional<double> size = pointSizeIn(index.data().toString()))
                        m_size = *size;
                    showSize();
                });
        }
        showSize();
    }

    // The style box and list are the middle column of the dialog's grid: face, style, size.
    // The box only shows the list's current name; the dialog never reads it back.
    void showStylesInFrench()
    {
        auto* grid = qobject_cast<QGridLayout*>(m_fonts->layout());
        QMap<int, QLineEdit*> boxes;
        QMap<int, QAbstractItemView*> lists;
        for (int i = 0; grid && i < grid->count(); ++i) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            QWidget* w = grid->itemAt(i)->widget();
            if (auto* box = qobject_cast<QLineEdit*>(w))
                boxes.insert(column, box);
            else if (auto* list = qobject_cast<QAbstractItemView*>(w))
                lists.insert(column, list);
        }
        if (boxes.size() != 3 || lists.size() != 3)
            return;
        QLineEdit* box = *std::next(boxes.cbegin());
        QAbstractItemView* list = *std::next(lists.cbegin());
        list->setItemDelegate(new FrenchStyleNames(list));
        const auto inFrench = [box] {
            if (const QString french = frenchStyleName(box->text()); french != box->text())
                box->setText(french);
        };
        connect(box, &QLineEdit::textChanged, box, inFrench);
        inFrench();
    }

    void showSize()
    {
        const QString text = QLocale().toString(m_size);
        if (!m_sizeEdit->isModified() && m_sizeEdit->text() != text) {
            const QSignalBlocker blocker(m_sizeEdit);
            m_sizeEdit->setText(text);
        }
        QFont f = m_sample->font();
        if (f.pointSizeF() != m_size) {
            f.setPointSizeF(m_size);
            m_sample->setFont(f);
        }
    }

    void addColour(const QString& name, const QColor& colour)
    {
        QPixmap swatch(16, 16);
        swatch.fill(colour);
        m_colour->addItem(QIcon(swatch), name, colour);
    }

    const FontChoice m_initial;
    FontChoice m_onOpening; // what the dialog showed on opening
    QFontDialog* m_fonts;
    QComboBox* m_colour;
    QLineEdit* m_sizeEdit = nullptr;
    QLineEdit* m_sample = nullptr;
    double m_size = 8.25;
};
} // namespace

QString QtStandardDialogs::qtNameFilter(const QString& designedFilter)
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

Answer QtStandardDialogs::question(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtStandardDialogs::message(MessageIcon icon, const QString& title, const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qtIcon(icon), title, shown, QMessageBox::Ok, m_parent);
    box.exec();
}

int QtStandardDialogs::choice(MessageIcon icon, const QString& title, const QString& text,
                              const QStringList& buttons)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qtIcon(icon), title, shown, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton*> boutons;
    for (const QString& texte : buttons)
        boutons.append(box.addButton(texte, QMessageBox::AcceptRole));
    box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    if (!boutons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(boutons.first()));
    box.exec();
    return int(boutons.indexOf(box.clickedButton()));
}

namespace {
// Qt's own file dialog, not the desktop's: its filters match in any case ("*.PLV" offers
// "amis.plv" too) while they show as designed, and it speaks the program's French.
void commeConcu(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}
} // namespace

std::optional<QString> QtStandardDialogs::openFile(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, request.initialPath, qtNameFilter(request.filter));
    commeConcu(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ShowDirsOnly, request.folder);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.initialPath.isEmpty())
        dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtStandardDialogs::saveFile(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, request.initialPath, qtNameFilter(request.filter));
    commeConcu(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix); // Qt asks before replacing a file
    if (!request.initialPath.isEmpty())
        dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return withSuffix(dialog.selectedFiles().constFirst(), request.defaultSuffix);
}

std::optional<FontChoice> QtStandardDialogs::chooseFont(const FontChoice& initial)
{
    FontColourDialog dialog(initial, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
