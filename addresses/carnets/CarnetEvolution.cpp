#if PLIVANE_EVOLUTION
// First: GLib names a structure's member "signals", which Qt's headers make a keyword.
#include <libebook/libebook.h>
#endif

#include "addresses/carnets/CarnetEvolution.h"

#if !PLIVANE_EVOLUTION
Carnets CarnetsEvolution::trouve()
{
    return {};
}
#else
#include "addresses/import/ImportVcard.h"

#include <QByteArray>
#include <dlfcn.h>

namespace {
// The client library's functions, and GLib's, found in it and the libraries it loads.
struct Ebook {
    decltype(&e_source_registry_new_sync) registreNouveau = nullptr;
    decltype(&e_source_registry_list_enabled) registreActives = nullptr;
    decltype(&e_source_get_display_name) nomSource = nullptr;
    decltype(&e_book_client_connect_sync) connecte = nullptr;
    decltype(&e_book_client_get_contacts_sync) contacts = nullptr;
    decltype(&e_vcard_to_string) enTexte = nullptr;
    decltype(&g_object_ref) ref = nullptr;
    decltype(&g_object_unref) unref = nullptr;
    decltype(&g_list_free) libereListe = nullptr;
    decltype(&g_slist_free_full) libereSListe = nullptr;
    decltype(&g_free) libere = nullptr;
    decltype(&g_error_free) libereErreur = nullptr;

    // Loaded once and kept: a library that registers GLib types is never unloaded.
    static const Ebook* charge()
    {
        static const std::optional<Ebook> ebook = []() -> std::optional<Ebook> {
            void* bibliotheque = nullptr;
            for (const char* nom : {"libebook-1.2.so.21", "libebook-1.2.so.20", "libebook-1.2.so.22"})
                if ((bibliotheque = dlopen(nom, RTLD_NOW | RTLD_LOCAL)))
                    break;
            if (!bibliotheque)
                return std::nullopt;
            Ebook e;
            const auto trouve = [bibliotheque](auto& fonction, const char* nom) {
                fonction =
                    reinterpret_cast<std::remove_reference_t<decltype(fonction)>>(dlsym(bibliotheque, nom));
                return fonction != nullptr;
            };
            if (!(trouve(e.registreNouveau, "e_source_registry_new_sync") &&
                  trouve(e.registreActives, "e_source_registry_list_enabled") &&
                  trouve(e.nomSource, "e_source_get_display_name") &&
                  trouve(e.connecte, "e_book_client_connect_sync") &&
                  trouve(e.contacts, "e_book_client_get_contacts_sync") &&
                  trouve(e.enTexte, "e_vcard_to_string") && trouve(e.ref, "g_object_ref") &&
                  trouve(e.unref, "g_object_unref") && trouve(e.libereListe, "g_list_free") &&
                  trouve(e.libereSListe, "g_slist_free_full") && trouve(e.libere, "g_free") &&
                  trouve(e.libereErreur, "g_error_free")))
                return std::nullopt;
            return e;
        }();
        return ebook ? &*ebook : nullptr;
    }
};

// Not waiting for a network book to reach its server: it answers from its own copy, and a
// book on this computer may never be told it is online (no network), which would cost the
// whole wait for nothing.
constexpr guint32 kSansAttendre = static_cast<guint32>(-1);

class CarnetEvolution : public CarnetAdresses {
public:
    CarnetEvolution(const Ebook& ebook, ESource* source)
        : m_ebook(ebook), m_source(static_cast<ESource*>(ebook.ref(source)))
    {
    }
    ~CarnetEvolution() override { m_ebook.unref(m_source); }
    CarnetEvolution(const CarnetEvolution&) = delete;
    CarnetEvolution& operator=(const CarnetEvolution&) = delete;

    QString nom() const override
    {
        return QStringLiteral("Evolution : ") + QString::fromUtf8(m_ebook.nomSource(m_source));
    }

    Result<LectureCarnet> lit() const override
    {
        // The server's own words are English or the desktop's language; the user gets ours.
        const Status refus = Status::failure(QStringLiteral("Evolution Data Server ne peut pas l'ouvrir"));
        GError* erreur = nullptr;
        EClient* client = m_ebook.connecte(m_source, kSansAttendre, nullptr, &erreur);
        if (!client) {
            if (erreur)
                m_ebook.libereErreur(erreur);
            return refus;
        }
        GSList* contacts = nullptr;
        const gboolean lu =
            m_ebook.contacts(reinterpret_cast<EBookClient*>(client),
                             "(contains \"x-evolution-any-field\" \"\")", &contacts, nullptr, &erreur);
        m_ebook.unref(client);
        if (!lu) {
            if (erreur)
                m_ebook.libereErreur(erreur);
            return refus;
        }
        LectureCarnet lecture;
        for (GSList* c = contacts; c; c = c->next) {
            gchar* texte = m_ebook.enTexte(static_cast<EVCard*>(c->data), EVC_FORMAT_VCARD_30);
            const Result<ImportVcard::Lecture> fiche = ImportVcard::lit(QByteArray(texte));
            m_ebook.libere(texte);
            if (fiche && !fiche.value().contacts.isEmpty())
                lecture.contacts << fiche.value().contacts.constFirst();
            else
                ++lecture.illisibles;
        }
        m_ebook.libereSListe(contacts, m_ebook.unref);
        return lecture;
    }

private:
    const Ebook& m_ebook;
    ESource* m_source;
};
} // namespace

Carnets CarnetsEvolution::trouve()
{
    const Ebook* ebook = Ebook::charge();
    if (!ebook)
        return {};
    GError* erreur = nullptr;
    ESourceRegistry* registre = ebook->registreNouveau(nullptr, &erreur);
    if (!registre) { // no session bus, or no server on it: no such books on this desktop
        if (erreur)
            ebook->libereErreur(erreur);
        return {};
    }
    Carnets carnets;
    GList* sources = ebook->registreActives(registre, E_SOURCE_EXTENSION_ADDRESS_BOOK);
    for (GList* s = sources; s; s = s->next) {
        carnets << std::make_shared<CarnetEvolution>(*ebook, static_cast<ESource*>(s->data));
        ebook->unref(s->data);
    }
    ebook->libereListe(sources);
    ebook->unref(registre);
    return carnets;
}
#endif
