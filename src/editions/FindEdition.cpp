#include <cstring>
#include <initializer_list>

#include "editions/Edition.h"

const Edition* FindEdition(const char* id) {
    for (const Edition* edition : {&kEditionAlpha, &kEditionBeta, &kEditionGamma}) {
        if (std::strcmp(edition->id, id) == 0) return edition;
    }
    return nullptr;
}
