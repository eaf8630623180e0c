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
        if (m_cancelled)
            return false;
        // Pressed while step `done` was under way: heard now, before the next one.
        if (m_dialogs.progressCancelAt > 0 && done >= m_dialogs.progressCancelAt) {
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

template <typename T>
std::optional<T> take(QList<T>& queue, int& unexpected)
{
    if (queue.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return queue.takeFirst();
}
}  // namespace

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

Answer ScriptedDialogs::question(const QString& title, const QString& text)
{
    shown.append({QStringLiteral("question"), title, text, MessageIcon::Question, {}});
    return take(questionAnswers, unexpected).value_or(Answer::Cancel);
}

void ScriptedDialogs::message(MessageIcon icon, const QString& title, const QString& text)
{
    shown.append({QStringLiteral("message"), title, text, icon, {}});
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogRequest& request)
{
    shown.append({QStringLiteral("open"), request.title, request.filter, MessageIcon::Information, request});
    return take(openAnswers, unexpected).value_or(std::nullopt);
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogRequest& request)
{
    shown.append({QStringLiteral("save"), request.title, request.filter, MessageIcon::Information, request});
    return take(saveAnswers, unexpected).value_or(std::nullopt);
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice& initial)
{
    lastFontInitial = initial;
    shown.append({QStringLiteral("font"), QString(), initial.name, MessageIcon::Information, {}});
    return take(fontAnswers, unexpected).value_or(std::nullopt);
}

bool ScriptedDialogs::printDialog(PrinterService& printer)
{
    shown.append({QStringLiteral("print"), QString(), QString(), MessageIcon::Information, {}});
    const bool accepted = take(printAnswers, unexpected).value_or(false);
    if (accepted && onPrintDialog)
        onPrintDialog(printer);
    return accepted;
}

bool ScriptedDialogs::printerSetupDialog(PrinterService& printer)
{
    shown.append({QStringLiteral("setup"), QString(), QString(), MessageIcon::Information, {}});
    const bool accepted = take(setupAnswers, unexpected).value_or(false);
    if (accepted && onSetupDialog)
        onSetupDialog(printer);
    return accepted;
}

bool ScriptedDialogs::printPreview(PrinterService& printer, const PreviewRequest& request)
{
    shown.append({QStringLiteral("preview"), request.title, QString(), MessageIcon::Information, {}});
    lastPreviewPicture = request.picture;
    lastPreviewCaption = request.pictureCaption;
    PrinterService& pages = previewPrinter ? *previewPrinter : printer;
    if (request.prepare && !request.prepare(pages))
        return false;
    request.paint(pages);
    if (onPreview)
        onPreview(pages);
    const bool printed = take(previewAnswers, unexpected).value_or(false);
    if (printed)
        request.paint(pages);
    return printed;
}

std::optional<PointMm> ScriptedDialogs::printerShiftDialog(const PrinterShiftRequest& request)
{
    shown.append({QStringLiteral("shift"), QString(), QString(), MessageIcon::Information, {}});
    if (onShiftDialog)
        onShiftDialog(request);
    lastShiftPrinter = request.printerName ? request.printerName() : QString();
    lastShiftShown = request.storedShift ? request.storedShift() : PointMm{};
    return take(shiftAnswers, unexpected).value_or(std::nullopt);
}

std::unique_ptr<Progress> ScriptedDialogs::progress(const QString&, int)
{
    ++progressDialogs;
    return std::make_unique<ScriptedProgress>(*this);
}

std::optional<QList<int>> ScriptedDialogs::columnMapping(const ColumnMappingRequest& request)
{
    shown.append({QStringLiteral("mapping"), request.title, request.headers.join(u';'), MessageIcon::Question, {}});
    const std::optional<QList<int>> choix = take(mappingAnswers, unexpected).value_or(std::nullopt);
    if (choix && request.preview)
        lastMappingPreview = request.preview(*choix);
    return choix;
}
