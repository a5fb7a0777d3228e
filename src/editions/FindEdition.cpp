#include <cstring>
#include <initializer_list>

#include "editions/Edition.h"

const CEdition* FindEdition(const char* id) {
    for (const CEdition* edition : {&kEditionAlpha, &kEditionBeta, &kEditionGamma}) {
        if (std::strcmp(edition->id, id) == 0) return edition;
    }
    return nullptr;
}
