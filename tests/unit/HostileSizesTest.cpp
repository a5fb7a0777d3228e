#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/HostRun.h"
#include "support/XmlCheck.h"

// Whole runs with inputs at and beyond every size limit: command lines, hand-over paths, a settings
// file and a support information file of 1 MiB, names and remarks of every length, money at the
// limits of 64 bits. The report must stay well-formed Shift_JIS (a split double-byte character is
// not), fields within their widths, and nothing may be lost from the settings file.
namespace {

using testsupport::CFailingDiskPlatform;
using testsupport::CConfirmingUi;
using testsupport::CRunOutcome;
using testsupport::DecliningBalanceAsset;
using testsupport::HostInstallation;
using testsupport::kSuccessText;

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (const unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

// `length` bytes of double-byte characters, led by one single-byte letter when the length is odd.
std::string TextOfLength(size_t length) {
    std::string text(length % 2, 'a');
    while (text.size() < length) text += "机";
    return text;
}

// The raw bytes of every element `name` in the report, in order.
std::vector<std::string> ElementTexts(const std::string& report, const std::string& name) {
    std::vector<std::string> texts;
    const std::string open = "<" + name + ">";
    const std::string close = "</" + name + ">";
    for (size_t at = report.find(open); at != std::string::npos; at = report.find(open, at + 1)) {
        const size_t end = report.find(close, at);
        if (end == std::string::npos) break;
        texts.push_back(report.substr(at + open.size(), end - at - open.size()));
    }
    return texts;
}

class HostileSizesTest : public testsupport::HostRunTest {
protected:
    void ExpectWellFormedReport() {
        const std::string report = ReadNative("out/report.xml").value_or("");
        ASSERT_FALSE(report.empty());
        EXPECT_TRUE(testsupport::ParseXml(report).wellFormed);
    }
    // A run over no report left by the one before: it succeeds and writes a well-formed report.
    template <typename Installation>
    CRunOutcome RunFresh(const Installation& installation) {
        std::remove((m_root + "/out/report.xml").c_str());
        CRunOutcome outcome = Run(installation, "", nullptr);
        EXPECT_EQ(outcome.result, Success);
        ExpectWellFormedReport();
        return outcome;
    }
    // The installation the stand-in takes from the JSON text, or none when it refuses the text.
    static std::optional<hostsim::Installation> Loads(const std::string& json, std::string& error) {
        hostsim::Installation parsed;
        if (!hostsim::ParseInstallation(json, "", parsed, error)) return std::nullopt;
        return parsed;
    }
};

TEST_F(HostileSizesTest, CommandLinesOfEveryLengthUpTo10000Bytes) {
    const std::string installation = HostInstallation("{}", "[]");
    std::vector<size_t> lengths;
    for (size_t length = 0; length <= 300; ++length) lengths.push_back(length);
    for (size_t length = 301; length < 10000; length += 97) lengths.push_back(length);
    lengths.push_back(10000);
    const std::string full = "77,32768,5," + std::string(10000, 'p');
    for (const size_t length : lengths) {
        SCOPED_TRACE(length);
        const std::string commandLine = full.substr(0, length);
        const CRunOutcome outcome = Run(installation, commandLine.c_str(),
                                        [](CFailingDiskPlatform&, CConfirmingUi& ui) { ui.cancel = true; });
        ExpectCleanSignOff(outcome);
        ASSERT_LE(outcome.posted.size(), 1u);
        if (length >= 11) {
            // A hand-over: posted once; at most 259 bytes are taken, longer ones are refused unseen.
            ASSERT_EQ(outcome.posted.size(), 1u);
            EXPECT_EQ(outcome.posted[0].lparam, length <= 259 ? Cancelled : Failed);
            EXPECT_EQ(outcome.dialogsShown, length <= 259 ? 1 : 0);
        }
        if (HasFailure()) break;
    }
}

// Paths of 259, 260, 261 and 10,000 bytes: as the saved path in the settings file (read back only
// when within 260 bytes) and as the path the user confirms (remembered only when within 260 bytes;
// the other users' lines are kept either way).
TEST_F(HostileSizesTest, PathsAroundTheLimitInTheSettingsFile) {
    const std::string installation = HostInstallation("{}", "[]");
    for (const size_t length : {size_t{259}, size_t{260}, size_t{261}, size_t{10000}}) {
        SCOPED_TRACE(length);
        const std::string path = "L:\\" + std::string(length - 3, 'q');
        const std::string old = "U02/D-9:0/0/1/C:\\a\nU01/D-3:0/0/4/" + path + "\nU03/D-9:0/0/2/C:\\b\n";
        WriteNative("env/LinkBeta.env", old);
        const CRunOutcome outcome =
            Run(installation, "", [&](CFailingDiskPlatform&, CConfirmingUi& ui) { ui.outputPath = "L:\\out\\report.xml"; });
        ASSERT_TRUE(outcome.saved.has_value());
        EXPECT_EQ(outcome.saved->path, length <= 260 ? path : "");
        EXPECT_EQ(outcome.result, Success);
        EXPECT_EQ(ReadNative("env/LinkBeta.env"),
                  "U02/D-9:0/0/1/C:\\a\nU03/D-9:0/0/2/C:\\b\nU01/D-3:0/0/7/L:\\out\\report.xml\n");
        ExpectCleanSignOff(outcome);
    }
}

TEST_F(HostileSizesTest, SettingsFileOf1MiBKeepsEveryLine) {
    std::string old;
    for (int user = 0; old.size() < (1u << 20); ++user) {
        old += "X" + std::to_string(user) + "/D-3:0/0/1/C:\\" + std::string(200, 'z') + "\n";
        if (user == 2000) old += "U01/D-3:0/0/2/L:\\saved\\here.xml\n";
    }
    WriteNative("env/LinkBeta.env", old);
    const CRunOutcome outcome = Run(HostInstallation("{}", "[]"), "");
    EXPECT_EQ(outcome.result, Success);
    ASSERT_TRUE(outcome.saved.has_value());
    EXPECT_EQ(outcome.saved->path, "L:\\saved\\here.xml");
    EXPECT_EQ(outcome.saved->category, 2);
    const std::string mine = "U01/D-3:0/0/2/L:\\saved\\here.xml\n";
    std::string expected = old;
    expected.erase(expected.find(mine), mine.size());
    expected += "U01/D-3:0/0/7/L:\\out\\report.xml\n";
    const std::string now = ReadNative("env/LinkBeta.env").value_or("");
    EXPECT_EQ(now.size(), expected.size());
    EXPECT_TRUE(now == expected);
    ExpectCleanSignOff(outcome);
}

// SUPPORT.INF of 0 bytes to 1 MiB: labels within the first 30,000 bytes are found, later ones are
// not; the run succeeds either way and the report stays well-formed. (An empty file once made the
// reader copy from a null pointer.)
TEST_F(HostileSizesTest, SupportInformationFileFromEmptyTo1MiB) {
    const std::string labels = "[=製品名=]大きな製品\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]9.99\r\n";
    const std::string filler(1u << 20, 'f');
    struct Case {
        const char* name;
        std::string content;
        bool found;
    };
    const Case cases[] = {
        {"labels first", labels + filler, true},
        {"labels last", filler + "\r\n" + labels, false},
        {"labels across the buffer's end", std::string(29990, 'f') + "\r\n" + labels + filler, false},
        {"no line ends", std::string(1u << 20, '['), false},
        {"empty", "", false},
        {"name ending in a lead byte", "[=製品名=]大きな製品\x81\r\n", true},
        {"one byte", "[", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteNative("SUPPORT.INF", c.content);
        const CRunOutcome outcome = RunFresh(HostInstallation("{}", "[]"));
        const std::string report = ReadNative("out/report.xml").value_or("");
        EXPECT_EQ(report.find("大きな製品") != std::string::npos, c.found);
        ExpectCleanSignOff(outcome);
    }
}

// Names of 0 to 192 bytes and remarks of 0 to 80 bytes (the host's widths; one more is refused at
// load), in double-byte characters behind an odd single byte: the report field is a prefix of the
// text, within its width, and never ends in half a character.
TEST_F(HostileSizesTest, NamesAndRemarksOfEveryLength) {
    struct Field {
        const char* name;
        size_t hostWidth;
        const char* element;
        size_t reportWidth;
    };
    const Field fields[] = {{"name", 192, "SISANMEI", 32}, {"remarks", 80, "TEKIYOU_JYOUDAN", 20}};
    for (const Field& field : fields) {
        for (size_t length = 0; length <= field.hostWidth + 1; ++length) {
            SCOPED_TRACE(std::string(field.name) + " " + std::to_string(length));
            const std::string text = TextOfLength(length);
            const std::string json = R"({ "cp932hex": ")" + Hex(text) + R"(" })";
            const std::string asset = std::string(field.name) == "name"
                                          ? DecliningBalanceAsset(json)
                                          : DecliningBalanceAsset(u8R"("机")", json);
            const std::string installation = HostInstallation("{}", "[" + asset + "]");
            std::string error;
            const std::optional<hostsim::Installation> accepted = Loads(installation, error);
            EXPECT_EQ(accepted.has_value(), length <= field.hostWidth) << error;
            if (!accepted) continue;
            RunFresh(*accepted);
            const std::vector<std::string> texts =
                ElementTexts(ReadNative("out/report.xml").value_or(""), field.element);
            ASSERT_EQ(texts.size(), 1u);
            const std::string& shown = texts[0];
            EXPECT_LE(shown.size(), field.reportWidth);
            EXPECT_EQ(text.compare(0, shown.size(), shown), 0) << shown;
            // Whole characters: the cut is at an odd length (after the leading letter) or the text is all there.
            EXPECT_TRUE(shown.size() == text.size() || shown.size() % 2 == length % 2) << shown.size();
            // As much as fits.
            EXPECT_GE(shown.size() + 1, std::min(text.size(), field.reportWidth));
            if (HasFailure()) return;
        }
    }
}

// Business names of 0 to 256 bytes (the host's record), with a half-width letter that becomes two
// bytes: KOMONSAKINAME is the full-width name, whole when the name has at most 30 bytes, otherwise
// as many whole characters as fit in 63 bytes.
TEST_F(HostileSizesTest, BusinessNamesOfEveryLength) {
    for (size_t length = 0; length <= 258; ++length) {
        SCOPED_TRACE(length);
        const std::string name = TextOfLength(length);
        const std::string installation =
            HostInstallation("{}", "[]", R"({ "cp932hex": ")" + Hex(name) + R"(" })");
        std::string error;
        const std::optional<hostsim::Installation> accepted = Loads(installation, error);
        EXPECT_TRUE(accepted || length > 255) << error;
        EXPECT_TRUE(!accepted || length <= 256);
        if (!accepted) continue;
        RunFresh(*accepted);
        const std::vector<std::string> texts =
            ElementTexts(ReadNative("out/report.xml").value_or(""), "KOMONSAKINAME");
        ASSERT_EQ(texts.size(), 1u);
        const std::string wide = MapToFullWidth(name);
        const std::string& shown = texts[0];
        EXPECT_EQ(wide.compare(0, shown.size(), shown), 0);
        if (length <= 30 || wide.size() <= 63) EXPECT_EQ(shown, wide);
        else EXPECT_TRUE(shown.size() <= 63 && shown.size() >= 62) << shown.size();
        if (HasFailure()) return;
    }
}

// Every money field of the asset at and next to the limits of a signed 64-bit count of
// ten-thousandths of a yen: no overflow goes unnoticed (UBSan), the run succeeds, the report is
// well-formed and every amount fits its 12 characters.
TEST_F(HostileSizesTest, MoneyAtThe64BitLimits) {
    const char* const values[] = {"922337203685477.5807", "-922337203685477.5808", "922337203685477.5806",
                                  "-922337203685477.5807", "-0.0001", "0.0001"};
    const char* const fields[] = {"acquisitionCost", "costReduction", "openingBookValue", "residualValue",
                                  "depreciationBase", "yearEndBalance", "revisedAcquisitionCost",
                                  "ordinaryDepreciation", "additionalDepreciation1", "additionalDepreciation2",
                                  "includedInExpenses"};
    const char* const amounts[] = {"SYUTOKUKINGAKU", "SYOUKYAKUHOSYOUGAKU", "KISYUTYOUBOKAKAKU",
                                   "SYOUKYAKUKISOKINGAKU", "KAITEISYUTOKUKAGAKU", "CHOUSEIMAESYOUKYAKUGAKU",
                                   "FUTUUSYOUKYAKUHI", "WARIMASISYOUKYAKUHI", "HITUYOUKEIHISANNYUUGAKU",
                                   "MISYOUKYAKUZANDAKA"};
    int runs = 0;
    for (const char* field : fields) {
        for (const char* value : values) {
            SCOPED_TRACE(std::string(field) + "=" + value);
            std::string asset = DecliningBalanceAsset();
            const std::string key = "\"" + std::string(field) + "\": \"";
            const size_t at = asset.find(key);
            ASSERT_NE(at, std::string::npos);
            const size_t end = asset.find('"', at + key.size());
            asset.replace(at + key.size(), end - at - key.size(), value);
            std::remove((m_root + "/out/report.xml").c_str());
            const CRunOutcome outcome = Run(HostInstallation("{}", "[" + asset + "]"), "");
            EXPECT_EQ(outcome.result, Success);
            ExpectWellFormedReport();
            const std::string report = ReadNative("out/report.xml").value_or("");
            for (const char* amount : amounts)
                for (const std::string& text : ElementTexts(report, amount)) EXPECT_LE(text.size(), 12u) << amount;
            ExpectCleanSignOff(outcome);
            ++runs;
            if (HasFailure()) return;
        }
    }
    EXPECT_EQ(runs, 66);
}

}  // namespace
