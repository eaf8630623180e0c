// An assistive technology in miniature: it connects to the accessibility bus and listens to
// the events a screen reader follows, so that applications' accessibility bridges send
// them, as they do while Orca runs (they send nothing nobody listens to). It writes "prêt"
// once listening and, when stopped by SIGTERM, how many events it received.
#include <atspi/atspi.h>
#include <glib-unix.h>

#include <csignal>
#include <cstdio>
#include <initializer_list>

namespace {
long g_evenements = 0;

void recoit(AtspiEvent* evenement, void*)
{
    ++g_evenements;
    g_boxed_free(ATSPI_TYPE_EVENT, evenement);
}

gboolean arrete(gpointer)
{
    atspi_event_quit();
    return G_SOURCE_REMOVE;
}
} // namespace

int main()
{
    if (atspi_init() < 0) {
        std::fprintf(stderr, "ecoute_atspi : pas de bus d'accessibilité\n");
        return 1;
    }
    AtspiEventListener* ecoute = atspi_event_listener_new(recoit, nullptr, nullptr);
    // What Orca registers for: every object, window and focus event.
    for (const char* type : {"object:", "window:", "focus:"}) {
        GError* erreur = nullptr;
        if (!atspi_event_listener_register(ecoute, type, &erreur)) {
            std::fprintf(stderr, "ecoute_atspi : %s refusé (%s)\n", type, erreur ? erreur->message : "?");
            return 1;
        }
    }
    g_unix_signal_add(SIGTERM, arrete, nullptr);
    std::printf("prêt\n");
    std::fflush(stdout);
    atspi_event_main();
    std::printf("%ld\n", g_evenements);
    std::fflush(stdout);
    g_object_unref(ecoute);
    return 0;
}
