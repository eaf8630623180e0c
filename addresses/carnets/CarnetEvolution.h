#pragma once
// Evolution Data Server's address books, those of GNOME Contacts and Evolution: every book
// its registry lists as enabled, not only the default one, read through its client library.
// The library is loaded when the import looks for books, never linked: on a desktop
// without it (or built where its headers were missing) there are simply no such books.

#include "addresses/carnets/CarnetAdresses.h"

namespace CarnetsEvolution {
Carnets trouve();
} // namespace CarnetsEvolution
