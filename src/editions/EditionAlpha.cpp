#include "editions/Edition.h"

const Edition kEditionAlpha = {"alpha", "LinkAlpha", 3, "LinkAlpha.env", true, "Ledgora２２ Alpha"};
