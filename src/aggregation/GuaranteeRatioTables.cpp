#include "aggregation/GuaranteeRatioTables.h"

// Fail the build rather than fall back to dynamic initialisation.
#if defined(__clang__)
#define GUARANTEE_CONSTINIT [[clang::require_constant_initialization]]
#elif defined(__GNUC__) && __GNUC__ >= 10
#define GUARANTEE_CONSTINIT __constinit
#else
#define GUARANTEE_CONSTINIT
#endif

// Whole part and tenths of ratio x 10000: RATIO(278, 9) is 278.9.
#define RATIO(whole, tenths) CFixedDecimal(whole, (tenths)*1000u)

// Lives 1 and 2 have no guarantee ratio; life 101 repeats life 100.
GUARANTEE_CONSTINIT const CFixedDecimal GuaranteeRatioTable250[kGuaranteeRatioLives] = {
    /*   1 */ RATIO(0, 0),   RATIO(0, 0),   RATIO(278, 9), RATIO(527, 4), RATIO(624, 9),
    /*   6 */ RATIO(577, 6), RATIO(549, 6), RATIO(511, 1), RATIO(473, 1), RATIO(444, 8),
    /*  11 */ RATIO(412, 3), RATIO(387, 0), RATIO(363, 3), RATIO(338, 9), RATIO(321, 7),
    /*  16 */ RATIO(306, 3), RATIO(290, 5), RATIO(275, 7), RATIO(261, 6), RATIO(251, 7),
    /*  21 */ RATIO(240, 8), RATIO(229, 6), RATIO(222, 6), RATIO(215, 7), RATIO(205, 8),
    /*  26 */ RATIO(198, 9), RATIO(190, 2), RATIO(186, 6), RATIO(180, 3), RATIO(176, 6),
    /*  31 */ RATIO(168, 8), RATIO(165, 5), RATIO(158, 5), RATIO(153, 2), RATIO(153, 2),
    /*  36 */ RATIO(149, 4), RATIO(142, 5), RATIO(139, 3), RATIO(137, 0), RATIO(131, 7),
    /*  41 */ RATIO(130, 6), RATIO(126, 1), RATIO(124, 8), RATIO(121, 0), RATIO(117, 5),
    /*  46 */ RATIO(117, 5), RATIO(115, 3), RATIO(112, 6), RATIO(110, 2), RATIO(107, 2),
    /*  51 */ RATIO(105, 3), RATIO(103, 6), RATIO(102, 8), RATIO(101, 5), RATIO(100, 7),
    /*  56 */ RATIO(96, 1),  RATIO(95, 2),  RATIO(94, 5),  RATIO(93, 4),  RATIO(89, 5),
    /*  61 */ RATIO(89, 2),  RATIO(88, 2),  RATIO(84, 7),  RATIO(84, 7),  RATIO(84, 7),
    /*  66 */ RATIO(82, 8),  RATIO(82, 8),  RATIO(81, 0),  RATIO(80, 0),  RATIO(77, 1),
    /*  71 */ RATIO(77, 1),  RATIO(75, 1),  RATIO(75, 1),  RATIO(73, 8),  RATIO(73, 8),
    /*  76 */ RATIO(72, 6),  RATIO(72, 6),  RATIO(71, 6),  RATIO(69, 3),  RATIO(69, 3),
    /*  81 */ RATIO(68, 3),  RATIO(68, 3),  RATIO(67, 3),  RATIO(65, 3),  RATIO(65, 3),
    /*  86 */ RATIO(64, 5),  RATIO(62, 7),  RATIO(62, 7),  RATIO(62, 0),  RATIO(60, 3),
    /*  91 */ RATIO(64, 9),  RATIO(63, 2),  RATIO(61, 5),  RATIO(59, 8),  RATIO(59, 4),
    /*  96 */ RATIO(57, 8),  RATIO(56, 3),  RATIO(54, 9),  RATIO(54, 9),  RATIO(54, 6),
    /* 101 */ RATIO(54, 6),
};

GUARANTEE_CONSTINIT const CFixedDecimal GuaranteeRatioTable200[kGuaranteeRatioLives] = {
    /*   1 */ RATIO(0, 0),   RATIO(0, 0),   RATIO(1108, 9), RATIO(1249, 9), RATIO(1080, 0),
    /*   6 */ RATIO(991, 1), RATIO(868, 0), RATIO(790, 9),  RATIO(712, 6),  RATIO(655, 2),
    /*  11 */ RATIO(599, 2), RATIO(556, 6), RATIO(518, 0),  RATIO(485, 4),  RATIO(456, 5),
    /*  16 */ RATIO(429, 4), RATIO(403, 8), RATIO(388, 4),  RATIO(369, 3),  RATIO(348, 6),
    /*  21 */ RATIO(333, 5), RATIO(318, 2), RATIO(305, 2),  RATIO(296, 9),  RATIO(284, 1),
    /*  26 */ RATIO(271, 6), RATIO(262, 4), RATIO(256, 8),  RATIO(246, 3),  RATIO(236, 6),
    /*  31 */ RATIO(228, 6), RATIO(221, 6), RATIO(216, 1),  RATIO(209, 7),  RATIO(205, 1),
    /*  36 */ RATIO(197, 4), RATIO(195, 0), RATIO(188, 2),  RATIO(186, 0),  RATIO(179, 1),
    /*  41 */ RATIO(174, 1), RATIO(169, 4), RATIO(166, 4),  RATIO(166, 4),  RATIO(163, 4),
    /*  46 */ RATIO(160, 1), RATIO(153, 2), RATIO(149, 9),  RATIO(147, 5),  RATIO(144, 0),
    /*  51 */ RATIO(142, 2), RATIO(142, 2), RATIO(137, 0),  RATIO(137, 0),  RATIO(133, 7),
    /*  56 */ RATIO(128, 8), RATIO(128, 1), RATIO(128, 1),  RATIO(124, 0),  RATIO(124, 0),
    /*  61 */ RATIO(120, 1), RATIO(120, 1), RATIO(116, 5),  RATIO(116, 5),  RATIO(113, 0),
    /*  66 */ RATIO(113, 0), RATIO(109, 7), RATIO(109, 7),  RATIO(106, 5),  RATIO(103, 4),
    /*  71 */ RATIO(103, 4), RATIO(100, 6), RATIO(106, 3),  RATIO(103, 5),  RATIO(100, 7),
    /*  76 */ RATIO(98, 0),  RATIO(95, 4),  RATIO(92, 9),   RATIO(92, 9),   RATIO(90, 7),
    /*  81 */ RATIO(88, 4),  RATIO(92, 9),  RATIO(90, 7),   RATIO(88, 5),   RATIO(86, 4),
    /*  86 */ RATIO(88, 5),  RATIO(86, 4),  RATIO(84, 4),   RATIO(86, 3),   RATIO(84, 4),
    /*  91 */ RATIO(82, 5),  RATIO(80, 7),  RATIO(79, 0),   RATIO(80, 7),   RATIO(79, 0),
    /*  96 */ RATIO(77, 3),  RATIO(75, 7),  RATIO(77, 3),   RATIO(75, 7),   RATIO(74, 2),
    /* 101 */ RATIO(74, 2),
};

#undef RATIO
#undef GUARANTEE_CONSTINIT

namespace {
// The table's entry for a useful life; 0 outside 1..101.
CFixedDecimal GuaranteeRatioFor(const CFixedDecimal (&table)[kGuaranteeRatioLives], int16_t usefulLife) {
    if (usefulLife < 1 || usefulLife > kGuaranteeRatioLives) return CFixedDecimal();
    return table[usefulLife - 1];
}
}  // namespace

bool LookupGuaranteeRatio(int methodCode, int16_t usefulLife, CFixedDecimal& out) {
    if (methodCode == kMethodDecliningBalance250) out = GuaranteeRatioFor(GuaranteeRatioTable250, usefulLife);
    else if (methodCode == kMethodDecliningBalance200) out = GuaranteeRatioFor(GuaranteeRatioTable200, usefulLife);
    else {
        out = CFixedDecimal();
        return false;
    }
    return true;
}
