#include "tests/support/ScriptedDialogs.h"

namespace {
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
