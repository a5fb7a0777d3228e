#pragma once
#include <cstdint>

// Business categories the user chose to output; the values are those the conditions dialog
// saves and the extraction filters by.
enum OutputCategory : std::int16_t {
    GeneralOnly = 1,
    RealEstateOnly = 2,
    GeneralAndRealEstate = 3,
    AgricultureOnly = 4,
    GeneralAndAgriculture = 5,
    RealEstateAndAgriculture = 6,
    AllCategories = 7,
};
