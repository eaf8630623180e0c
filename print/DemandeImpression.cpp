#include "print/DemandeImpression.h"

#include "app/document/DocumentEnveloppe.h"

DemandeImpression DemandeImpression::DepuisDocument(const DocumentEnveloppe& document)
{
    DemandeImpression demande;
    demande.reglages = document.reglages();
    demande.adresses = document.adresses().entrees();
    return demande;
}

DemandeImpression DemandeImpression::DepuisDocument(const DocumentEnveloppe& document,
                                                    EntreesAdresses adresses)
{
    DemandeImpression demande;
    demande.reglages = document.reglages();
    adresses.trieEnOrdre();
    demande.adresses = std::move(adresses);
    return demande;
}
