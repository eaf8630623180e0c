#include "platform/ConsoleDialogs.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <unistd.h>

namespace {
// One line rewritten in place, a few times a second: more would only cost the job.
class ConsoleProgress : public Progress {
public:
    explicit ConsoleProgress(std::FILE* sortie) : m_sortie(sortie) {}
    ~ConsoleProgress() override
    {
        if (m_ecrit) {
            std::fputs("\r\x1b[K", m_sortie); // the line goes: the summary follows on a clean one
            std::fflush(m_sortie);
        }
    }
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    bool advance(int, const QString& text) override
    {
        if (m_ecrit && m_depuis.elapsed() < kIntervalleMs)
            return true;
        m_depuis.start();
        m_ecrit = true;
        std::fprintf(m_sortie, "\r\x1b[K%s", text.toLocal8Bit().constData());
        std::fflush(m_sortie);
        return true;
    }

private:
    static constexpr qint64 kIntervalleMs = 200;
    std::FILE* m_sortie;
    QElapsedTimer m_depuis;
    bool m_ecrit = false;
};
} // namespace

ConsoleDialogs::ConsoleDialogs(std::FILE* erreurs, std::FILE* progres)
    : m_erreurs(erreurs), m_progres(progres)
{
}

QString ConsoleDialogs::Lignes(const QString& text)
{
    static const QRegularExpression kFinDeLigne(QStringLiteral("\r\n|\n|\r"));
    QStringList lignes = text.split(kFinDeLigne, Qt::SkipEmptyParts);
    for (QString& ligne : lignes)
        ligne.prepend(QStringLiteral("plivane : "));
    return lignes.join(u'\n');
}

Answer ConsoleDialogs::question(const QString&, const QString&)
{
    return Answer::Cancel;
}

int ConsoleDialogs::choice(MessageIcon icon, const QString& title, const QString& text, const QStringList&)
{
    // Nobody answers: what was to be asked is said, and nothing is done.
    message(icon, title, text);
    return -1;
}

void ConsoleDialogs::message(MessageIcon, const QString&, const QString& text)
{
    std::fprintf(m_erreurs, "%s\n", Lignes(text).toLocal8Bit().constData());
    std::fflush(m_erreurs);
}

std::optional<QString> ConsoleDialogs::openFile(const FileDialogRequest&)
{
    return std::nullopt;
}

std::optional<QString> ConsoleDialogs::saveFile(const FileDialogRequest&)
{
    return std::nullopt;
}

std::optional<FontChoice> ConsoleDialogs::chooseFont(const FontChoice&)
{
    return std::nullopt;
}

bool ConsoleDialogs::printDialog(PrinterService&)
{
    return true;
}

bool ConsoleDialogs::printerSetupDialog(PrinterService&)
{
    return false;
}

bool ConsoleDialogs::printPreview(PrinterService&, const PreviewRequest&)
{
    return false;
}

std::optional<PrinterShiftAnswer> ConsoleDialogs::printerShiftDialog(const PrinterShiftRequest&)
{
    return std::nullopt;
}

std::unique_ptr<Progress> ConsoleDialogs::progress(const QString&, int)
{
    if (!m_progres || !isatty(fileno(m_progres)))
        return nullptr;
    return std::make_unique<ConsoleProgress>(m_progres);
}

std::optional<QList<int>> ConsoleDialogs::columnMapping(const ColumnMappingRequest&)
{
    return std::nullopt;
}

std::optional<AddressBookAnswer> ConsoleDialogs::addressBookImport(const AddressBookRequest&)
{
    return std::nullopt;
}

EnvelopeCheckAnswer ConsoleDialogs::envelopeCheck(const EnvelopeCheckRequest& request)
{
    QStringList lignes{request.text};
    for (const EnvelopeCheckRequest::Row& r : request.rows)
        lignes << r.address + QStringLiteral(" : ") + r.problems;
    message(MessageIcon::Exclamation, request.title, lignes.join(QStringLiteral("\r\n")));
    return {EnvelopeCheckAnswer::Action::PrintAnyway};
}
