#include "tests/support/ScriptedDialogs.h"

#include <QStandardPaths>

namespace {
// No test ever reads or writes the user's own settings file: every executable that
// scripts its dialogs keeps its settings in Qt's test location instead.
[[maybe_unused]] const bool kReglagesDeTest = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

class ScriptedProgress : public Progress {
public:
    explicit ScriptedProgress(ScriptedDialogs& dialogs) : m_dialogs(dialogs) {}

    bool advance(int done, const QString& text) override
    {
        // Pressed while step `done` was under way: heard now, before the next one.
        if (m_cancelled || (m_dialogs.progressCancelAt > 0 && done >= m_dialogs.progressCancelAt)) {
            m_cancelled = true;
            return false;
        }
        m_dialogs.progressTexts.append(text);
        if (m_dialogs.onProgress)
            m_dialogs.onProgress(done);
        return true;
    }

private:
    ScriptedDialogs& m_dialogs;
    bool m_cancelled = false;
};
} // namespace

QList<ScriptedDialogs::Shown> ScriptedDialogs::shownOfKind(const QString& kind) const
{
    QList<Shown> result;
    for (const Shown& s : shown)
        if (s.kind == kind)
            result.append(s);
    return result;
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Shown& s : shownOfKind(QStringLiteral("message")))
        texts.append(s.text);
    return texts;
}

bool ScriptedDialogs::printPreview(PrinterService& printer, const PreviewRequest& request)
{
    // The pages are painted, then the user closes the preview.
    shown.append({QStringLiteral("preview"), request.title, {}, MessageIcon::Information, {}});
    if (!request.prepare || request.prepare(printer))
        request.paint(printer);
    return false;
}

std::optional<PrinterShiftAnswer> ScriptedDialogs::printerShiftDialog(const PrinterShiftRequest& request)
{
    shown.append({QStringLiteral("shift"), {}, {}, MessageIcon::Information, {}});
    if (onShiftDialog)
        onShiftDialog(request);
    lastShiftPrinter = request.printerName ? request.printerName() : QString();
    const std::optional<PointMm> decalage = take(shiftAnswers).value_or(std::nullopt);
    if (!decalage)
        return std::nullopt;
    // The set-up as kept, unless the test chose another.
    const PrinterSetup garde = request.storedSetup ? request.storedSetup() : PrinterSetup{};
    return PrinterShiftAnswer{*decalage, envelopeSetups.isEmpty() ? garde : envelopeSetups.takeFirst()};
}

std::unique_ptr<Progress> ScriptedDialogs::progress(const QString&, int)
{
    return std::make_unique<ScriptedProgress>(*this);
}

EnvelopeCheckAnswer ScriptedDialogs::envelopeCheck(const EnvelopeCheckRequest& request)
{
    lastCheck = request;
    shown.append({QStringLiteral("check"), request.title, request.text, MessageIcon::Information, {}});
    if (checkAnswers.isEmpty())
        return {EnvelopeCheckAnswer::Action::PrintAnyway};
    return checkAnswers.takeFirst();
}

std::optional<AddressBookAnswer> ScriptedDialogs::addressBookImport(const AddressBookRequest& request)
{
    shown.append(
        {QStringLiteral("books"), request.title, request.books.join(u'\n'), MessageIcon::Question, {}});
    lastBooks = request.books;
    if (bookAnswers.isEmpty())
        return AddressBookAnswer{};
    std::optional<AddressBookAnswer> answer = bookAnswers.takeFirst();
    if (answer && answer->source == AddressBookAnswer::Source::Book && request.contacts) {
        const auto contacts = request.contacts(answer->book);
        lastBookError = contacts ? QString() : contacts.error();
        if (answer->ticked.isEmpty()) // all, as the dialog ticks them
            for (int i = 0; i < contacts.valueOr({}).size(); ++i)
                answer->ticked << i;
    }
    return answer;
}

std::optional<QList<int>> ScriptedDialogs::columnMapping(const ColumnMappingRequest& request)
{
    shown.append(
        {QStringLiteral("mapping"), request.title, request.headers.join(u';'), MessageIcon::Question, {}});
    const std::optional<QList<int>> choix = take(mappingAnswers).value_or(std::nullopt);
    if (choix && request.preview)
        lastMappingPreview = request.preview(*choix);
    return choix;
}
