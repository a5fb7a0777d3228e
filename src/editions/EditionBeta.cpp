#include "editions/Edition.h"

const CEdition kEditionBeta = {"beta", "LinkBeta", 0, "LinkBeta.env", false, "Ledgora２２"};
