#include "editions/Edition.h"

const Edition kEditionGamma = {"gamma", "LinkGamma", 5, "LinkGamma.env", false, "Kestrel"};
