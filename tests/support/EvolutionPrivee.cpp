#if PLIVANE_EVOLUTION
#include <libebook/libebook.h> // first: GLib names a member "signals", a keyword to Qt
#endif

#include "tests/support/EvolutionPrivee.h"

#include <QDir>
#include <QFile>

EvolutionPrivee::EvolutionPrivee(const QList<Livre>& livres)
{
#if !PLIVANE_EVOLUTION
    Q_UNUSED(livres);
    m_erreur = QStringLiteral("built without Evolution Data Server's headers");
#else
    const QDir maison(m_maison.path());
    for (const char* dossier : {"config/evolution/sources", "data", "cache", "runtime"})
        maison.mkpath(QString::fromLatin1(dossier));
    QFile::setPermissions(maison.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const Livre& l : livres) {
        QFile source(maison.filePath(QStringLiteral("config/evolution/sources/%1.source").arg(l.uid)));
        if (!source.open(QIODevice::WriteOnly))
            m_erreur = source.errorString();
        source.write(QStringLiteral("[Data Source]\nDisplayName=%1\nEnabled=true\nParent=local-stub\n\n"
                                    "[Address Book]\nBackendName=%2\n")
                         .arg(l.nom, l.moteur)
                         .toUtf8());
    }
    // The server's processes, started by the bus, take its environment.
    qputenv("HOME", QFile::encodeName(maison.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(maison.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(maison.filePath(QStringLiteral("data"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(maison.filePath(QStringLiteral("cache"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(maison.filePath(QStringLiteral("runtime"))));
    qputenv("GSETTINGS_BACKEND", "memory");
    m_bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                QStringLiteral("--print-address=1")});
    if (!m_bus.waitForReadyRead(10000)) {
        m_erreur = QStringLiteral("dbus-daemon did not start: ") + m_bus.errorString();
        return;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.readLine().trimmed());
#endif
}

EvolutionPrivee::~EvolutionPrivee()
{
    // The server's processes end with their bus.
    m_bus.terminate();
    m_bus.waitForFinished();
}

QString EvolutionPrivee::remplit(const QString& uid, const QByteArrayList& vcards)
{
#if !PLIVANE_EVOLUTION
    Q_UNUSED(uid);
    Q_UNUSED(vcards);
    return m_erreur;
#else
    GError* erreur = nullptr;
    const auto echec = [&erreur](const char* etape) {
        const QString texte = QString::fromUtf8(etape) + QStringLiteral(": ") +
                              (erreur ? QString::fromUtf8(erreur->message) : QString());
        g_clear_error(&erreur);
        return texte;
    };
    ESourceRegistry* registre = e_source_registry_new_sync(nullptr, &erreur);
    if (!registre)
        return echec("registry");
    ESource* source = uid.isEmpty() ? e_source_registry_ref_builtin_address_book(registre)
                                    : e_source_registry_ref_source(registre, uid.toUtf8().constData());
    g_object_unref(registre);
    if (!source)
        return QStringLiteral("no book ") + uid;
    EClient* client = e_book_client_connect_sync(source, static_cast<guint32>(-1), nullptr, &erreur);
    g_object_unref(source);
    if (!client)
        return echec("connect");
    GSList* contacts = nullptr;
    for (const QByteArray& vcard : vcards)
        contacts = g_slist_prepend(contacts, e_contact_new_from_vcard(vcard.constData()));
    const gboolean ajoute = e_book_client_add_contacts_sync(
        E_BOOK_CLIENT(client), contacts, E_BOOK_OPERATION_FLAG_NONE, nullptr, nullptr, &erreur);
    g_slist_free_full(contacts, g_object_unref);
    g_object_unref(client);
    return ajoute ? QString() : echec("add");
#endif
}
