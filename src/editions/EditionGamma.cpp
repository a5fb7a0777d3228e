#include "editions/Edition.h"

const CEdition kEditionGamma = {"gamma", "LinkGamma", 5, "LinkGamma.env", false, "Kestrel"};
