#include "editions/Edition.h"

const CEdition kEditionAlpha = {"alpha", "LinkAlpha", 3, "LinkAlpha.env", true, "Ledgora２２ Alpha"};
