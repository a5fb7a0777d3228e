#include "editions/Edition.h"

const Edition kEditionBeta = {"beta", "LinkBeta", 0, "LinkBeta.env", false, "Ledgora２２"};
