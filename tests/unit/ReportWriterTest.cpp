#include "report/ReportWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/MemoryPlatform.h"
#include "support/XmlCheck.h"

namespace {

using testsupport::CMemoryPlatform;
const std::string kPath = "D:\\EXPORT\\減価償却.xml";
const std::string kSupportFile = "C:\\WORK\\SUPPORT.INF";

class CRecordingProgress : public IProgressDisplay {
public:
    std::vector<std::string> calls;
    void AdvanceBand(std::int16_t from, std::int16_t to) override {
        calls.push_back(std::to_string(from) + "-" + std::to_string(to));
    }
    void Pulse() override { calls.push_back("P"); }
};

const char* const kFieldNames[26] = {
    "SISANMEI", "SUURYO", "SUURYOTANI", "SYUTOKUNENGETU_GENGO", "SYUTOKUNENGETU_NEN", "SYUTOKUNENGETU_TUKI",
    "SYUTOKUKINGAKU", "SYOUKYAKUHOSYOUGAKU", "KISYUTYOUBOKAKAKU", "SYOUKYAKUKISOKINGAKU", "SYOUKYAKUHOUHOU",
    "SYOUKYAKUMEI", "KEIKASOTI", "TAIYOUNENSU", "SYOUKYAKURITU", "KAITEISYOUKYAKURITU", "KAITEISYUTOKUKAGAKU",
    "SYOUKYAKUKIKAN", "CHOUSEIMAESYOUKYAKUGAKU", "FUTUUSYOUKYAKUHI", "WARIMASISYOUKYAKUHI", "JIGYOUSENYUWARIAI",
    "HITUYOUKEIHISANNYUUGAKU", "MISYOUKYAKUZANDAKA", "TEKIYOU_JYOUDAN", "TEKIYOU_GEDAN"};

template <size_t N>
void Set(char (&field)[N], const char* text) {
    std::strncpy(field, text, N - 1);
}

// Every field distinct so that a field written under another name shows; some empty.
std::unique_ptr<CAssetOutputRecord> Record(const char* name) {
    auto r = std::make_unique<CAssetOutputRecord>();
    std::memset(r.get(), 0, sizeof *r);
    Set(r->SISANMEI, name), Set(r->SUURYO, "1"), Set(r->SUURYOTANI, "台"), Set(r->SYUTOKUNENGETU_GENGO, "令和");
    Set(r->SYUTOKUNENGETU_NEN, "4"), Set(r->SYUTOKUNENGETU_TUKI, "5"), Set(r->SYUTOKUKINGAKU, "300000");
    Set(r->KISYUTYOUBOKAKAKU, "250000"), Set(r->SYOUKYAKUKISOKINGAKU, "300001"), Set(r->SYOUKYAKUHOUHOU, "2");
    Set(r->SYOUKYAKUMEI, "定額法"), Set(r->TAIYOUNENSU, "6"), Set(r->SYOUKYAKURITU, "0.167");
    Set(r->SYOUKYAKUKIKAN, "12"), Set(r->CHOUSEIMAESYOUKYAKUGAKU, "50100"), Set(r->FUTUUSYOUKYAKUHI, "50000");
    Set(r->JIGYOUSENYUWARIAI, "80"), Set(r->HITUYOUKEIHISANNYUUGAKU, "40000"), Set(r->MISYOUKYAKUZANDAKA, "200000");
    Set(r->TEKIYOU_JYOUDAN, "A<B&C");
    return r;
}
const char* const kEscapedValues[26] = {
    nullptr, "1", "台", "令和", "4", "5", "300000", "", "250000", "300001", "2", "定額法", "", "6", "0.167", "", "",
    "12", "50100", "50000", "", "80", "40000", "200000", "A&lt;B&amp;C", ""};

std::string Line(int depth, const std::string& text) { return std::string(depth, '\t') + text + "\r\n"; }
std::string Element(const std::string& name, const std::string& text) {
    return Line(2, "<" + name + ">" + text + "</" + name + ">");
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<REPORT>\r\n";
std::string System(const std::string& name = "Ledgora２２", const std::string& version = "22.02.0X",
                   const std::string& functionId = "2") {
    return Line(1, "<SYSTEM>") + Element("GYOUMUPREFIX", "QF14") + Element("VERSION", "1") +
           Element("FUNCTIONID", functionId) + Element("CONNECTEDPROGRAMVER", "22.02.00") +
           Element("PROGRAMNAME", name) + Element("PROGRAMVER", version) + Line(1, "</SYSTEM>");
}
const std::string kBasicToDates = Line(1, "<BASIC>") + Element("KOMONSAKINAME", "ＡＢＣ") +
                                  Element("JIGYOUNENDOFROM", "20220401") + Element("JIGYOUNENDOTO", "20230331");
const std::string kBasic = kBasicToDates + Element("HASUU_SYOUKYAKU", "3") + Element("HASUU_ZANZON", "1") +
                           Line(1, "</BASIC>");
std::string Sisan(int count, const std::string& name) {
    std::string block = Line(2, "<SISAN Count=\"" + std::to_string(count) + "\">");
    for (int i = 0; i < 26; ++i) {
        const std::string text = i == 0 ? name : kEscapedValues[i];
        block += Line(3, std::string("<") + kFieldNames[i] + ">" + text + "</" + kFieldNames[i] + ">");
    }
    return block + Line(2, "</SISAN>");
}
const std::string kTail = "</REPORT>\r\n";

StDATAINFO Data(const char* name = "ABC", std::uint8_t rounding = 0) {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    Set(data.businessName, name);
    data.periodFrom = 20220401;
    data.periodTo = 20230331;
    data.roundingMode = rounding;
    return data;
}

// libxml2 must accept the document as Shift_JIS and find REPORT, SYSTEM (6), BASIC (5), DATA (SISAN x 26).
void ExpectReadableReport(const std::string& bytes, int records) {
    const testsupport::CParsedXml parsed = testsupport::ParseXml(bytes);
    ASSERT_TRUE(parsed.wellFormed);
    EXPECT_EQ(parsed.encoding, "Shift_JIS");
    std::vector<std::string> expected = {"/REPORT", "/REPORT/SYSTEM"};
    for (const char* name : {"GYOUMUPREFIX", "VERSION", "FUNCTIONID", "CONNECTEDPROGRAMVER", "PROGRAMNAME", "PROGRAMVER"})
        expected.push_back(std::string("/REPORT/SYSTEM/") + name);
    expected.push_back("/REPORT/BASIC");
    for (const char* name : {"KOMONSAKINAME", "JIGYOUNENDOFROM", "JIGYOUNENDOTO", "HASUU_SYOUKYAKU", "HASUU_ZANZON"})
        expected.push_back(std::string("/REPORT/BASIC/") + name);
    expected.push_back("/REPORT/DATA");
    for (int n = 1; n <= records; ++n) {
        const std::string sisan = "/REPORT/DATA/SISAN[Count=" + std::to_string(n) + "]";
        expected.push_back(sisan);
        for (const char* name : kFieldNames) expected.push_back(sisan + "/" + name);
    }
    EXPECT_EQ(parsed.paths, expected);
}

struct Fixture {
    Fixture() { platform.AddFolder("D:\\EXPORT"); }
    CMemoryPlatform platform;
    CRecordingProgress progress;
    COutputRecordList records;
    bool Write(const StDATAINFO& data = Data(), std::int16_t functionId = 2, const CEdition& edition = kEditionBeta) {
        CReportWriter writer(progress, records, 400, edition);
        return writer.WriteReport(kPath, functionId, data);
    }
    std::string File() { return platform.FileContent(kPath).value_or(""); }
};

TEST(ReportWriterTest, ThreeRecordsInListOrderWithProgress) {
    Fixture f;
    for (const char* name : {"パソコン", "軽トラック", "少額資産"}) f.records.push_back(Record(name));
    ASSERT_TRUE(f.Write(Data(), -1));
    EXPECT_EQ(f.File(), kHead + System("Ledgora２２", "22.02.0X", "-1") + kBasic + Line(1, "<DATA>") +
                            Sisan(1, "パソコン") + Sisan(2, "軽トラック") + Sisan(3, "少額資産") + Line(1, "</DATA>") + kTail);
    ExpectReadableReport(f.File(), 3);
    const std::vector<std::string> progress = {"P", "P", "P", "P", "P", "P", "P", "400-500", "P", "P", "P", "P", "P",
                                               "P", "500-600", "P", "P", "P", "P", "600-700", "P"};
    EXPECT_EQ(f.progress.calls, progress);
    const auto parsed = testsupport::ParseXml(f.File());
    EXPECT_EQ(parsed.elements[9], u8"/REPORT/BASIC/KOMONSAKINAME=ＡＢＣ");
    EXPECT_EQ(parsed.elements[16], u8"/REPORT/DATA/SISAN[Count=1]/SISANMEI=パソコン");
    EXPECT_EQ(parsed.elements[40], u8"/REPORT/DATA/SISAN[Count=1]/TEKIYOU_JYOUDAN=A<B&C");
}

TEST(ReportWriterTest, FieldIsReadToItsZeroByteAndNeverPastItsWidth) {
    Fixture f;
    auto record = Record("机");
    std::memset(record->SUURYO, '9', sizeof record->SUURYO);  // no zero byte in the field
    std::memcpy(record->SUURYOTANI, "AB\0CD", 5);              // bytes after the zero byte up to the width
    f.records.push_back(std::move(record));
    ASSERT_TRUE(f.Write());
    EXPECT_NE(f.File().find(Line(3, "<SUURYO>" + std::string(12, '9') + "</SUURYO>") +
                            Line(3, "<SUURYOTANI>AB</SUURYOTANI>")),
              std::string::npos);
}

TEST(ReportWriterTest, WriteFailureAfterAnyByteLeavesExactlyTheBytesBefore) {
    // One record: every kind of line at the fewest bytes, as each byte is one run.
    COutputRecordList records;
    records.push_back(Record("机"));
    const std::string full = kHead + System() + kBasic + Line(1, "<DATA>") + Sisan(1, "机") + Line(1, "</DATA>") + kTail;
    const struct {
        std::string endTag;
        const char* band;
    } bands[] = {{Line(1, "</SYSTEM>"), "400-500"}, {Line(1, "</BASIC>"), "500-600"}, {Line(1, "</DATA>"), "600-700"}};
    for (size_t limit = 0; limit <= full.size(); ++limit) {
        Fixture f;
        f.records = std::move(records);
        f.platform.writeLimit = limit;
        EXPECT_EQ(f.Write(), limit == full.size()) << limit;
        ASSERT_EQ(f.File(), full.substr(0, limit)) << limit;
        EXPECT_EQ(f.platform.writesAfterFailure, 0u) << limit;
        for (const auto& band : bands) {
            const bool blockDone = limit >= full.find(band.endTag) + band.endTag.size();
            const bool advanced = std::find(f.progress.calls.begin(), f.progress.calls.end(), band.band) !=
                                  f.progress.calls.end();
            EXPECT_EQ(advanced, blockDone) << limit << " " << band.band;
        }
        records = std::move(f.records);
    }
}

}  // namespace
