// The address file reader on arbitrary bytes. Besides never crashing or hanging, what it
// accepts must survive a save: written back and read again, it is the same document;
// and the addresses a batch packs are the ones the window would list.
#include "addresses/fichier/PlvCodec.h"
#include "addresses/liste/EntreesAdresses.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const Result<PlvDocument> document = PlvCodec::lit(bytes);
    if (!document)
        return 0;
    const Result<PlvDocument> again = PlvCodec::lit(PlvCodec::ecrit(document.value()));
    if (!again || !(again.value() == document.value()))
        std::abort();
    EntreesAdresses compactes;
    if (!PlvCodec::lit(bytes, &compactes) || compactes.liste() != document.value().Adresses)
        std::abort();
    return 0;
}
