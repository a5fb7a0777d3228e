#include "aggregation/GuaranteeRatioTables.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
// Ratio x 10000 in tenths (278.9 is 2789), read off the statutory tables.
struct Sample
{
    int16_t life;
    int tenths250;
    int tenths200;
};

const Sample kSamples[] = {
    {1, 0, 0},          {2, 0, 0},          {3, 2789, 11089},   {4, 5274, 12499},   {5, 6249, 10800},
    {6, 5776, 9911},    {10, 4448, 6552},   {19, 2616, 3693},   {34, 1532, 2097},   {35, 1532, 2051},
    {44, 1210, 1664},   {56, 961, 1288},    {63, 847, 1165},    {72, 751, 1006},    {73, 751, 1063},
    {81, 683, 884},     {82, 683, 929},     {86, 645, 885},     {89, 620, 863},     {90, 603, 844},
    {91, 649, 825},     {94, 598, 807},     {98, 549, 773},     {99, 549, 757},     {100, 546, 742},
    {101, 546, 742},
};

int Tenths(const CFixedDecimal& d)
{
    return static_cast<int>(d.Scaled() / 1000);
}

TEST(GuaranteeRatioTables, SampledEntries)
{
    for (const Sample& s : kSamples)
    {
        CFixedDecimal r250, r200;
        EXPECT_EQ(1, LookupGuaranteeRatio(kMethodDecliningBalance250, s.life, r250));
        EXPECT_EQ(1, LookupGuaranteeRatio(kMethodDecliningBalance200, s.life, r200));
        EXPECT_EQ(s.tenths250, Tenths(r250)) << "life " << s.life;
        EXPECT_EQ(s.tenths200, Tenths(r200)) << "life " << s.life;
    }
}

// Every entry: positive, at most one decimal, and the documented shape of the
// tables: rising to a peak, then falling except at a few known lives.
TEST(GuaranteeRatioTables, ShapeOfEveryEntry)
{
    // sumOfTenths: the 101 published entries added up, in tenths; catches a
    // changed entry outside the samples.
    const struct { const CFixedDecimal* table; int peak; std::set<int> rises; int sumOfTenths; } tables[] = {
        {GuaranteeRatioTable250, 5, {91}, 157621},
        {GuaranteeRatioTable200, 4, {73, 82, 86, 89, 94, 98}, 236158},
    };
    for (const auto& t : tables)
    {
        CFixedDecimal sum;
        for (int life = 1; life <= kGuaranteeRatioLives; ++life)
            sum = CFixedDecimal::Add(sum, t.table[life - 1]);
        EXPECT_EQ(t.sumOfTenths, Tenths(sum));
        for (int life = 1; life <= kGuaranteeRatioLives; ++life)
        {
            const CFixedDecimal& e = t.table[life - 1];
            EXPECT_EQ(1, e.Sign());
            EXPECT_EQ(0u, e.Fraction() % 1000) << "life " << life;
            EXPECT_EQ(life > 2, e.IsNonZero()) << "life " << life;
            if (life <= 3)
                continue;
            const CFixedDecimal& before = t.table[life - 2];
            const bool rises = CFixedDecimal::IsGreater(e, before);
            EXPECT_EQ(life <= t.peak || t.rises.count(life) != 0, rises) << "life " << life;
        }
        EXPECT_EQ(t.table[99].Scaled(), t.table[100].Scaled());
    }
}

TEST(GuaranteeRatioTables, LivesWithoutEntryAndOtherMethods)
{
    const int16_t outside[] = {0, -1, 102, INT16_MIN, INT16_MAX};
    for (int16_t life : outside)
    {
        CFixedDecimal r = CFixedDecimal::FromInteger(7);
        EXPECT_EQ(1, LookupGuaranteeRatio(kMethodDecliningBalance200, life, r));
        EXPECT_FALSE(r.IsNonZero()) << life;
        EXPECT_FALSE(GuaranteeRatioFor(GuaranteeRatioTable250, life).IsNonZero()) << life;
    }
    const int otherMethods[] = {0, 1, 4, 6, 7, 9};
    for (int method : otherMethods)
    {
        CFixedDecimal r = CFixedDecimal::FromInteger(7);
        EXPECT_EQ(0, LookupGuaranteeRatio(method, 10, r));
        EXPECT_FALSE(r.IsNonZero()) << method;
    }
}
} // namespace
