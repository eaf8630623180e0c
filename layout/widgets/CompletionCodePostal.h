#pragma once
// A postcode typed at the start of a line of the recipient box offers the localities it
// serves, in the routing form ("29200 BREST"), to complete the line: the way an address is
// written right the first time rather than corrected afterwards.

#include <QObject>

class QCompleter;
class QPlainTextEdit;
class QStringListModel;

class CompletionCodePostal : public QObject {
    Q_OBJECT
public:
    explicit CompletionCodePostal(QPlainTextEdit* boite);

    QCompleter* completer() const { return m_completer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void propose();
    void complete(const QString& ligne);

    QPlainTextEdit* m_boite;
    QCompleter* m_completer;
    QStringListModel* m_lignes;
    QString m_code; // the postcode whose localities the model holds
};
