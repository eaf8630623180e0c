#include "addresses/fichier/PlvFieldReader.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

bool PlvFieldReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text[i];
        if (!isBlank(c) && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

int PlvFieldReader::lineAt(qsizetype pos) const
{
    int line = 1;
    for (qsizetype i = 0; i < pos && i < m_text.size(); ++i) {
        if (m_text[i] == u'\n' || (m_text[i] == u'\r' && (i + 1 >= m_text.size() || m_text[i + 1] != u'\n')))
            ++line;
    }
    return line;
}

void PlvFieldReader::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

Result<QList<PlvFieldReader::Field>> PlvFieldReader::nextRecord(qsizetype maxFields)
{
    QList<Field> fields;
    for (;;) {
        skipBlanks();
        Field field;
        if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
            const qsizetype opening = m_pos++;
            field.quoted = true;
            for (;;) {
                const qsizetype closing = m_text.indexOf(u'"', m_pos);
                if (closing < 0)
                    return Status::failure(
                        QStringLiteral("Ligne %1 : un texte entre guillemets n'est jamais fermé.")
                            .arg(lineAt(opening)));
                field.text += m_text.sliced(m_pos, closing - m_pos);
                m_pos = closing + 1;
                if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                    field.text += u'"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            skipBlanks();
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' &&
                   m_text[m_pos] != u'\n')
                ++m_pos;
            qsizetype end = m_pos;
            while (end > start && isBlank(m_text[end - 1]))
                --end;
            field.text = m_text.sliced(start, end - start).toString();
        }
        fields.append(std::move(field));

        if (m_pos >= m_text.size() || fields.size() > maxFields)
            return fields;
        const QChar next = m_text[m_pos++];
        if (next == u',')
            continue;
        if (next == u'\r') {
            if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
                ++m_pos;
            return fields;
        }
        if (next == u'\n')
            return fields;
        // Only a closing quote can be followed by anything else: the text held a double
        // quote that was never doubled, and the fields after it cannot be trusted.
        return Status::failure(QStringLiteral("Ligne %1 : des caractères suivent un texte entre guillemets.")
                                   .arg(lineAt(m_pos - 1)));
    }
}
