#include "report/ReportWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/MemoryPlatform.h"

namespace {

using testsupport::CMemoryPlatform;
const std::string kPath = "D:\\EXPORT\\減価償却.xml";

class CRecordingProgress : public IProgressDisplay {
public:
    std::vector<std::string> calls;
    void AdvanceBand(std::int16_t from, std::int16_t to) override {
        calls.push_back(std::to_string(from) + "-" + std::to_string(to));
    }
    void Pulse() override { calls.push_back("P"); }
};

template <size_t N>
void Set(char (&field)[N], const char* text) {
    std::strncpy(field, text, N - 1);
}

// Every field distinct so that a field written under another name shows, in the form the schema
// gives it; some empty.
std::unique_ptr<AssetOutputRecord> Record(const char* name) {
    auto r = std::make_unique<AssetOutputRecord>();
    std::memset(r.get(), 0, sizeof *r);
    Set(r->SISANMEI, name), Set(r->SUURYO, "1.00"), Set(r->SUURYOTANI, "台"), Set(r->SYUTOKUNENGETU_GENGO, "令和");
    Set(r->SYUTOKUNENGETU_NEN, "04"), Set(r->SYUTOKUNENGETU_TUKI, "05"), Set(r->SYUTOKUKINGAKU, "300000");
    Set(r->KISYUTYOUBOKAKAKU, "250000"), Set(r->SYOUKYAKUKISOKINGAKU, "300001"), Set(r->SYOUKYAKUHOUHOU, "2");
    Set(r->SYOUKYAKUMEI, "少額"), Set(r->TAIYOUNENSU, "6"), Set(r->SYOUKYAKURITU, "0.167");
    Set(r->SYOUKYAKUKIKAN, "12"), Set(r->CHOUSEIMAESYOUKYAKUGAKU, "50100"), Set(r->FUTUUSYOUKYAKUHI, "50000");
    Set(r->JIGYOUSENYUWARIAI, "80.0"), Set(r->HITUYOUKEIHISANNYUUGAKU, "40000"), Set(r->MISYOUKYAKUZANDAKA, "200000");
    Set(r->TEKIYOU_JYOUDAN, "A<B&C");
    return r;
}
StDATAINFO Data(const char* name = "ABC", std::uint8_t rounding = 0) {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    Set(data.businessName, name);
    data.periodFrom = 20220401;
    data.periodTo = 20230331;
    data.roundingMode = rounding;
    return data;
}

// The report as written by this writer once and read by a person: three records in list order.
std::string Golden() {
    std::ifstream in(LINK_SOURCE_DIR "/tests/unit/fixtures/report-three-records.xml", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Fixture {
    Fixture() { platform.AddFolder("D:\\EXPORT"); }
    CMemoryPlatform platform;
    CRecordingProgress progress;
    COutputRecordList records;
    bool Write(const StDATAINFO& data = Data(), std::int16_t functionId = 2, const Edition& edition = kEditionBeta) {
        CReportWriter writer(progress, records, edition);
        return writer.WriteReport(kPath, functionId, data);
    }
    std::string File() { return platform.FileContent(kPath).value_or(""); }
};

TEST(ReportWriterTest, ThreeRecordsInListOrderWithProgress) {
    Fixture f;
    for (const char* name : {"パソコン", "軽トラック", "少額資産"}) f.records.push_back(Record(name));
    ASSERT_TRUE(f.Write(Data(), -1));
    EXPECT_EQ(f.File(), Golden());
    const std::vector<std::string> progress = {"P", "P", "P", "P",       "P", "P", "P", "400-500", "P",       "P", "P",
                                               "P", "P", "P", "500-600", "P", "P", "P", "P",       "600-700", "P"};
    EXPECT_EQ(f.progress.calls, progress);
}

TEST(ReportWriterTest, FieldIsReadToItsZeroByteAndNeverPastItsWidth) {
    Fixture f;
    auto record = Record("机");
    std::memset(record->SUURYO, '9', sizeof record->SUURYO);  // no zero byte in the field
    std::memcpy(record->SUURYOTANI, "AB\0CD", 5);             // bytes after the zero byte up to the width
    f.records.push_back(std::move(record));
    ASSERT_TRUE(f.Write());
    EXPECT_NE(f.File().find("\t\t\t<SUURYO>999999999999</SUURYO>\r\n\t\t\t<SUURYOTANI>AB</SUURYOTANI>\r\n"),
              std::string::npos);
}

TEST(ReportWriterTest, WriteFailureAfterAnyByteLeavesExactlyTheBytesBefore) {
    // One record: every kind of line at the fewest bytes, as each byte is one run.
    Fixture whole;
    whole.records.push_back(Record("机"));
    ASSERT_TRUE(whole.Write());
    const std::string full = whole.File();
    COutputRecordList records = std::move(whole.records);
    const struct {
        std::string endTag;
        const char* band;
    } bands[] = {{"\t</SYSTEM>\r\n", "400-500"}, {"\t</BASIC>\r\n", "500-600"}, {"\t</DATA>\r\n", "600-700"}};
    for (size_t limit = 0; limit <= full.size(); ++limit) {
        Fixture f;
        f.records = std::move(records);
        f.platform.writeLimit = limit;
        EXPECT_EQ(f.Write(), limit == full.size()) << limit;
        ASSERT_EQ(f.File(), full.substr(0, limit)) << limit;
        EXPECT_EQ(f.platform.writesAfterFailure, 0u) << limit;
        for (const auto& band : bands) {
            const bool blockDone = limit >= full.find(band.endTag) + band.endTag.size();
            const bool advanced =
                std::find(f.progress.calls.begin(), f.progress.calls.end(), band.band) != f.progress.calls.end();
            EXPECT_EQ(advanced, blockDone) << limit << " " << band.band;
        }
        records = std::move(f.records);
    }
}

}  // namespace
